#include "ListLoader.h"

#include "Cp932.h"
#include "PathNames.h"

bool ListLoader::AddModeFor(bool add) const {
    return add && parts.model.PlayList().GetCount() > 0;
}

void ListLoader::StopAndEmpty() {
    parts.transport.ButtonAction(kButtonStop);
    parts.model.ClearLists();
}

void ListLoader::ClearList() {
    parts.model.ClearLists();
    parts.transport.ResetForEmptyList(parts.idleTitle, parts.idleSubtitle);
    parts.view.RebuildPlayList();
    parts.view.RepaintAll();
}

std::vector<std::string> ListLoader::FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    parts.model.AddCDTracks(names, folder);
    parts.model.ScanFolder(names, folder);
    return names;
}

// Buttons light only for a list that holds items; a replacing load that
// found nothing playable leaves the idle panel.
void ListLoader::Finish(int32_t first, bool add) {
    if (parts.model.PlayList().GetCount() == 0) {
        ClearList();
        return;
    }
    parts.transport.ListLoaded = 1;
    parts.transport.AfterListLoaded(first, add);
}

void ListLoader::OpenFiles(const std::vector<std::string>& chosen, bool add) {
    if (chosen.empty()) return;
    if (!add) StopAndEmpty();
    add = AddModeFor(add);
    const int32_t first = parts.model.PlayList().GetCount() + 1;
    std::vector<std::string> names;
    for (const std::string& name : chosen) {
        if (FileKindOf(name) != kKindM3U)
            names.push_back(name);
        else if (!parts.model.Options().noM3U)
            parts.model.ReadM3U(name, names);
    }
    // The dialog's folder, where the user will look again.
    if (parts.model.AddFiles(names)) RememberFolder(chosen.front());
    Finish(first, add);
}

void ListLoader::OpenFolder(const std::string& chosen, bool add) {
    if (chosen.empty()) return;
    if (!add) StopAndEmpty();
    add = AddModeFor(add);
    const int32_t first = parts.model.PlayList().GetCount() + 1;
    std::string folder = chosen;
    if (LastBackslash(folder) == folder.size() - 1) folder.pop_back();
    const std::vector<std::string> names = FolderContents(folder);
    if (names.empty()) {
        // Nothing playable there: an added-to list stays as it was.
        if (!add) Finish(first, add);
        return;
    }
    parts.model.AddFiles(names);
    RememberFolder(folder + '\\');
    Finish(first, add);
}

void ListLoader::ReOpen(const std::string& entry, bool replace) {
    if (entry.empty()) return;
    if (replace) StopAndEmpty();
    const bool add = AddModeFor(!replace);
    const int32_t first = parts.model.PlayList().GetCount() + 1;
    const std::vector<std::string> names = FolderContents(entry.substr(0, entry.size() - 1));
    if (names.empty()) {
        if (!add) Finish(first, add);
        return;
    }
    parts.model.AddFiles(names);
    RememberFolder(entry);
    Finish(first, add);
}

void ListLoader::DropFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    bool add = true;
    if (!parts.settings.DDtoAdd) {
        parts.transport.ButtonAction(kButtonStop);
        ClearList();
        parts.view.RebuildPlayList();
        add = false;
    }
    add = AddModeFor(add);
    const int32_t first = parts.model.PlayList().GetCount() + 1;
    // Files and folder contents sorted together, then the lists' entries.
    if (!parts.model.AddFiles(parts.model.GatherArguments(names))) return;
    RememberFolder(names.front());
    Finish(first, add);
}

void ListLoader::OpenCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return;
    parts.model.OpenArguments(arguments);
    RememberFolder(arguments.front());
    Finish(1, false);
}

void ListLoader::OpenHandover(const std::string& path) {
    bool add = parts.settings.DDtoAdd;
    if (!add) StopAndEmpty();
    add = AddModeFor(add);
    const int32_t first = parts.model.PlayList().GetCount() + 1;
    const std::vector<std::string> names = parts.model.ReadHandoverList(path);
    if (!parts.model.AddFiles(names)) {
        if (!add) Finish(first, add);
        return;
    }
    RememberFolder(names.front());
    Finish(first, add);
}

void ListLoader::RememberFolder(const std::string& name) {
    std::string folder = ExistingFolder(parts.files, name);
    if (folder.empty()) {
        const size_t slash = LastBackslash(name);
        if (slash == std::string::npos || slash == 0) return;
        folder = name.substr(0, slash);
    }
    // "C:" would name the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    lastFolder = folder;
    parts.history.AddName(LastBackslash(folder) == folder.size() - 1 ? folder : folder + '\\');
}
