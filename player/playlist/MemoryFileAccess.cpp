#include "MemoryFileAccess.h"

#include "Cp932.h"

#include <cstdint>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = NextBackslash(path, start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

} // namespace

MemoryFileAccess::Node* MemoryFileAccess::NewNode(bool isFolder) {
    nodes_.emplace_back();
    nodes_.back().isFolder = isFolder;
    return &nodes_.back();
}

MemoryFileAccess::Node* MemoryFileAccess::AddEntry(Node* parent, const std::string& name,
                                                   Node* node) {
    parent->entries.emplace_back(name, node);
    parent->byLowerName[ToLowerAnsi(name)] = node;
    return node;
}

MemoryFileAccess::Node* MemoryFileAccess::Find(const std::string& path) const {
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty()) return nullptr;
    const auto root = roots_.find(ToLowerAnsi(parts[0]));
    if (root == roots_.end()) return nullptr;
    Node* node = root->second;
    for (size_t i = 1; i < parts.size(); ++i) {
        if (!node->isFolder) return nullptr;
        const auto next = node->byLowerName.find(ToLowerAnsi(parts[i]));
        if (next == node->byLowerName.end()) return nullptr;
        node = next->second;
    }
    return node;
}

// The folder that holds the last name of `path`, creating folders on the way
// when asked.
MemoryFileAccess::Node* MemoryFileAccess::FindParent(const std::string& path, std::string& name,
                                                     bool create) {
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.size() < 2) return nullptr;
    const std::string drive = ToLowerAnsi(parts[0]);
    if (roots_.count(drive) == 0) {
        if (!create) return nullptr;
        roots_[drive] = NewNode(true);
    }
    Node* node = roots_[drive];
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const auto next = node->byLowerName.find(ToLowerAnsi(parts[i]));
        if (next != node->byLowerName.end()) {
            node = next->second;
            if (!node->isFolder) return nullptr;
        } else if (create) {
            node = AddEntry(node, parts[i], NewNode(true));
        } else {
            return nullptr;
        }
    }
    name = parts.back();
    return node;
}

bool MemoryFileAccess::AddFolder(const std::string& path) {
    std::string name;
    Node* parent = FindParent(path, name, true);
    if (parent == nullptr) {
        const std::vector<std::string> parts = SplitPath(path);
        if (parts.size() != 1) return false;
        Node*& root = roots_[ToLowerAnsi(parts[0])];
        if (root == nullptr) root = NewNode(true);
        return true;
    }
    const auto existing = parent->byLowerName.find(ToLowerAnsi(name));
    if (existing != parent->byLowerName.end()) return existing->second->isFolder;
    AddEntry(parent, name, NewNode(true));
    return true;
}

bool MemoryFileAccess::AddFile(const std::string& path, const std::string& contents) {
    std::string name;
    Node* parent = FindParent(path, name, true);
    if (parent == nullptr) return false;
    const auto existing = parent->byLowerName.find(ToLowerAnsi(name));
    if (existing != parent->byLowerName.end()) {
        if (existing->second->isFolder) return false;
        existing->second->contents = contents;
        return true;
    }
    AddEntry(parent, name, NewNode(false))->contents = contents;
    return true;
}

bool MemoryFileAccess::AddLink(const std::string& path, const std::string& target) {
    Node* targetNode = Find(target);
    std::string name;
    Node* parent = FindParent(path, name, true);
    if (targetNode == nullptr || !targetNode->isFolder || parent == nullptr) return false;
    if (parent->byLowerName.count(ToLowerAnsi(name)) != 0) return false;
    AddEntry(parent, name, targetNode);
    return true;
}

bool MemoryFileAccess::SetUnreadable(const std::string& path) {
    Node* node = Find(path);
    if (node == nullptr || !node->isFolder) return false;
    node->unreadable = true;
    return true;
}

bool MemoryFileAccess::ListFolder(const std::string& folderPrefix,
                                  std::vector<FolderEntry>& entries) const {
    const Node* folder = Find(folderPrefix);
    if (folder == nullptr || !folder->isFolder || folder->unreadable) return false;
    entries.clear();
    for (const auto& [name, node] : folder->entries)
        entries.push_back({name, node->isFolder});
    return true;
}

bool MemoryFileAccess::IsFolder(const std::string& path) const {
    const Node* node = Find(path);
    return node != nullptr && node->isFolder;
}

bool MemoryFileAccess::FolderIdentity(const std::string& folderPrefix,
                                      std::string& identity) const {
    const Node* node = Find(folderPrefix);
    if (node == nullptr || !node->isFolder) return false;
    identity = std::to_string(reinterpret_cast<uintptr_t>(node));
    return true;
}

bool MemoryFileAccess::ReadFile(const std::string& path, size_t maxBytes,
                                std::string& bytes) const {
    const Node* node = Find(path);
    if (node == nullptr || node->isFolder || node->contents.size() > maxBytes) return false;
    bytes = node->contents;
    return true;
}

bool MemoryFileAccess::WriteFile(const std::string& path, const std::string& bytes) {
    std::string name;
    Node* parent = FindParent(path, name, false);
    if (parent == nullptr) return false;
    const auto existing = parent->byLowerName.find(ToLowerAnsi(name));
    if (existing != parent->byLowerName.end()) {
        if (existing->second->isFolder) return false;
        existing->second->contents = bytes;
        return true;
    }
    AddEntry(parent, name, NewNode(false))->contents = bytes;
    return true;
}
