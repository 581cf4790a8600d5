#pragma once

#include "FileAccess.h"

// The file system through the ANSI Win32 functions (FindFirstFileA and
// friends), so names are in the system code page.
class WindowsFileAccess : public FileAccess {
  public:
    bool ListFolder(const std::string& folderPrefix,
                    std::vector<FolderEntry>& entries) const override;
    bool IsFolder(const std::string& path) const override;
    bool FolderIdentity(const std::string& folderPrefix, std::string& identity) const override;
    bool ReadFile(const std::string& path, size_t maxBytes, std::string& bytes) const override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;
};
