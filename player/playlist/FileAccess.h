#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct FolderEntry {
    std::string name;
    bool isFolder;
};

// What the play list needs of the file system. Paths are ANSI byte text with
// backslashes.
class FileAccess {
  public:
    virtual ~FileAccess() = default;
    // The entries of the folder `folderPrefix` names ("C:\music\"), in the
    // order the file system gives them, without "." and "..". False when the
    // folder can't be listed.
    virtual bool ListFolder(const std::string& folderPrefix,
                            std::vector<FolderEntry>& entries) const = 0;
    virtual bool IsFolder(const std::string& path) const = 0;
    // A text that is the same for every path reaching the same folder
    // (through links or junctions); false when it can't be told.
    virtual bool FolderIdentity(const std::string& folderPrefix, std::string& identity) const = 0;
    // The whole file; false when it can't be read or is larger than maxBytes.
    virtual bool ReadFile(const std::string& path, size_t maxBytes, std::string& bytes) const = 0;
    // Creates or replaces the file.
    virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
};
