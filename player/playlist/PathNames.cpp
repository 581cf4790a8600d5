#include "PathNames.h"

#include "Cp932.h"
#include "FileAccess.h"

#include <limits>

std::string FileNameOf(std::string_view path) {
    const size_t slash = LastBackslash(path);
    if (slash == std::string_view::npos) return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string ExtensionOf(std::string_view path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.'); // '.' is never half of a double-byte character
    if (dot == std::string::npos) return "";
    return ToLowerAnsi(std::string_view(name).substr(dot + 1));
}

std::string FolderOf(std::string_view path) {
    const size_t slash = LastBackslash(path);
    if (slash == std::string_view::npos) return "c:\\";
    return std::string(path.substr(0, slash + 1));
}

namespace {

// Whole-text decimal conversion with an optional sign, within int32.
bool ParseInteger(std::string_view text, int64_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
    }
    value = negative ? -magnitude : magnitude;
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

} // namespace

int32_t TrailingNumberOf(std::string_view path) {
    std::string stem = FileNameOf(path);
    stem = stem.substr(0, stem.find('.'));
    int64_t found = -1;
    for (size_t length = 1; length <= stem.size(); ++length) {
        int64_t value = 0;
        if (!ParseInteger(std::string_view(stem).substr(stem.size() - length), value)) break;
        found = value;
    }
    return static_cast<int32_t>(found);
}

int32_t FileKindOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    const std::string extension =
        ToLowerAnsi(dot == std::string_view::npos ? name : name.substr(dot + 1));
    if (extension == "rmp") return kKindRmp;
    if (extension == "mp3") return kKindMp3;
    if (extension == "mp2") return kKindMp2;
    if (extension == "mp1" || extension == "mpg") return kKindMp1;
    if (extension == "wav") return kKindWav;
    if (extension == "m3u") return kKindM3U;
    if (extension == "cda") return kKindCDTrack;
    return kKindOther;
}

bool IsAbsolutePath(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return true;
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::string ExistingFolder(const FileAccess& files, std::string_view path) {
    if (path.empty() || !files.IsFolder(std::string(path))) return "";
    std::string folder(path);
    if (folder.back() == '\\' && LastBackslash(folder) == folder.size() - 1) folder.pop_back();
    return folder;
}
