#include "M3UWriting.h"

#include "Cp932.h"
#include "PathNames.h"
#include "TextCompare.h"

namespace {

bool OnDrive(std::string_view path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

size_t CountBackslashes(std::string_view text) {
    size_t count = 0;
    for (size_t at = NextBackslash(text, 0); at != std::string_view::npos;
         at = NextBackslash(text, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

// Network paths stay absolute: ".." can't climb out of a share, so a
// relative name would only hold within one share.
std::string RelativeM3UPath(std::string_view listFolder, std::string_view path) {
    if (!OnDrive(path) || !OnDrive(listFolder)) return std::string(path);
    if (CompareFolded(listFolder.data(), path.data(), 1) != 0) return std::string(path);
    // Drop the leading folders both share, then climb out of the rest.
    while (true) {
        const size_t slash = NextBackslash(listFolder, 0);
        if (slash == std::string_view::npos) break;
        const size_t length = slash + 1;
        if (path.size() < length || CompareFolded(listFolder.data(), path.data(), length) != 0) {
            break;
        }
        listFolder.remove_prefix(length);
        path.remove_prefix(length);
    }
    std::string relative;
    for (size_t up = CountBackslashes(listFolder); up > 0; --up)
        relative += "..\\";
    relative += path;
    return relative;
}

std::string FormatM3U(const TInputItemDB& items, std::string_view listPath, bool relative) {
    const std::string listFolder = FolderOf(listPath);
    std::string text = "#M3U\r\n";
    for (int32_t i = 1; i <= items.GetCount(); ++i) {
        const std::string_view path = FieldText(items.GetItem(i)->path);
        text += relative ? RelativeM3UPath(listFolder, path) : std::string(path);
        text += "\r\n";
    }
    return text;
}

bool SaveM3U(FileAccess& files, const std::string& listPath, const TInputItemDB& items,
             bool relative, const MessageSink& messages) {
    if (files.WriteFile(listPath, FormatM3U(items, listPath, relative))) return true;
    if (messages) messages(kMsgFileCreateFailed);
    return false;
}
