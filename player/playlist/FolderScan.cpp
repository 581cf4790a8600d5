#include "Cp932.h"
#include "ListNesting.h"
#include "OpenAudioFile.h"
#include "PathNames.h"

// The walk keeps its own stack of folders, so deep trees cost heap, not call
// stack, and every folder is listed once however many links lead to it.
// Files of the whole tree are sorted together, entries of the lists found in
// subfolders among them; only the entries of the lists in the folder itself
// follow the sorted files in their own order.
void TOpenAudioFile::ScanFolder(std::vector<std::string>& list, const std::string& folder) {
    ListNesting nesting(*this);
    std::vector<std::string> found;
    std::vector<std::string> ownLists;
    std::vector<std::string> pending = {folder};
    bool atTop = true;
    while (!pending.empty()) {
        const std::string prefix = pending.back() + '\\';
        pending.pop_back();
        std::vector<std::string>& listEntries = atTop ? ownLists : found;
        atTop = false;

        std::string identity;
        if (files_.FolderIdentity(prefix, identity) && !visitedFolders_.insert(identity).second) {
            continue;
        }
        std::vector<FolderEntry> entries;
        if (!files_.ListFolder(prefix, entries)) continue;

        std::vector<std::string> subfolders;
        for (const FolderEntry& entry : entries) {
            if (entry.name.empty()) continue;
            const std::string path = prefix + entry.name;
            if (path.size() > kMaxPathLength) continue;
            if (entry.isFolder) {
                if (entry.name[0] != '.' && !options_.noSubfolders) subfolders.push_back(path);
                continue;
            }
            const int32_t kind = FileKindOf(entry.name);
            if (IsAudioKind(kind)) {
                found.push_back(path);
            } else if (kind == kKindM3U && !options_.noM3U) {
                ReadM3U(path, listEntries);
            }
        }
        // Reversed, so the first subfolder is walked next.
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
    SortNoCase(found);
    list.insert(list.end(), found.begin(), found.end());
    list.insert(list.end(), ownLists.begin(), ownLists.end());
}
