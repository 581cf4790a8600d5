#include "M3UReading.h"

#include "Cp932.h"
#include "ListNesting.h"
#include "OpenAudioFile.h"
#include "PathNames.h"

std::vector<std::string_view> M3UEntryLines(std::string_view contents) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string_view::npos) end = contents.size();
        std::string_view line = contents.substr(start, end - start);
        start = end + 1;
        line = line.substr(0, line.find('\0'));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(' ') == std::string_view::npos) continue; // blank
        if (line.size() > kMaxPathLength || line[0] == '#') continue;
        lines.push_back(line);
    }
    return lines;
}

namespace {

// Length of the part ".." never climbs out of: "C:" or "\\server\share".
size_t RootLength(std::string_view folder) {
    if (folder.size() >= 2 && folder[1] == ':') return 2;
    if (folder.substr(0, 2) != "\\\\") return 0;
    const size_t server = NextBackslash(folder, 2);
    if (server == std::string_view::npos) return folder.size();
    const size_t share = NextBackslash(folder, server + 1);
    return share == std::string_view::npos ? folder.size() : share;
}

} // namespace

std::optional<std::string> ResolveM3ULine(std::string_view base, std::string_view line) {
    if (IsAbsolutePath(line)) {
        if (line.size() > kMaxPathLength) return std::nullopt;
        return std::string(line);
    }
    // Only whole "." and ".." segments count: ".hidden.mp3" is a name.
    std::string folder(base);
    const size_t root = RootLength(folder);
    while (true) {
        if (line == "." || line == "..") {
            line = {};
        } else if (line.substr(0, 2) == ".\\") {
            line.remove_prefix(2);
        } else if (line.substr(0, 3) == "..\\") {
            const size_t slash = LastBackslash(folder);
            if (slash != std::string::npos && slash >= root) folder.resize(slash);
            line.remove_prefix(3);
        } else {
            break;
        }
    }
    std::string path = folder.empty() ? std::string(line) : folder + '\\' + std::string(line);
    if (path.empty() || path.size() > kMaxPathLength) return std::nullopt;
    return path;
}

void TOpenAudioFile::ReadM3U(const std::string& path, std::vector<std::string>& list) {
    ListNesting nesting(*this);
    std::string contents;
    if (!files_.ReadFile(path, kMaxListFileBytes, contents)) {
        Show(kMsgM3UOpenFailed);
        return;
    }
    const size_t slash = LastBackslash(path);
    const std::string base = slash == std::string::npos ? "" : path.substr(0, slash);
    for (std::string_view line : M3UEntryLines(contents)) {
        const std::optional<std::string> entry = ResolveM3ULine(base, line);
        if (!entry) continue;
        const std::string folder = ExistingFolder(files_, *entry);
        if (folder.empty()) {
            list.push_back(*entry);
            continue;
        }
        AddCDTracks(list, *entry);
        if (nesting.Depth() < ListNesting::kMaxDepth) ScanFolder(list, folder);
    }
}
