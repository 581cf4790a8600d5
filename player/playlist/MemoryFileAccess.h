#pragma once

#include "FileAccess.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A file system held in memory with the Windows path rules the play list
// relies on (backslashes, drive roots, names without regard to case). Used
// by the tests, the benchmark and the fuzz target.
class MemoryFileAccess : public FileAccess {
  public:
    // Each creates the missing folders on the way; false when a name on the
    // way is a file.
    bool AddFolder(const std::string& path);
    bool AddFile(const std::string& path, const std::string& contents = "");
    // A folder entry at `path` that leads to the existing folder `target`.
    bool AddLink(const std::string& path, const std::string& target);
    // Listing the folder fails from now on.
    bool SetUnreadable(const std::string& path);

    bool ListFolder(const std::string& folderPrefix,
                    std::vector<FolderEntry>& entries) const override;
    bool IsFolder(const std::string& path) const override;
    bool FolderIdentity(const std::string& folderPrefix, std::string& identity) const override;
    bool ReadFile(const std::string& path, size_t maxBytes, std::string& bytes) const override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;

  private:
    struct Node {
        bool isFolder = false;
        bool unreadable = false;
        std::string contents;
        std::vector<std::pair<std::string, Node*>> entries; // in creation order
        std::map<std::string, Node*> byLowerName;
    };

    Node* Find(const std::string& path) const;
    Node* FindParent(const std::string& path, std::string& name, bool create);
    Node* AddEntry(Node* parent, const std::string& name, Node* node);
    Node* NewNode(bool isFolder);

    std::deque<Node> nodes_;
    std::map<std::string, Node*> roots_; // by lower-case drive name ("c:")
};
