#include "SinkSettings.h"

#include <cstdio>

namespace {

// Lower-case ASCII letters only: the values are English words, and other
// bytes (Shift-JIS lead bytes included) must stay as they are.
std::string Normalised(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(" \t");
    std::string word = text.substr(first, last - first + 1);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word;
}

} // namespace

bool ParseSinkKind(const std::string& text, SinkKind& kind) {
    const std::string word = Normalised(text);
    if (word == "wave")
        kind = SinkKind::WaveDevice;
    else if (word == "disk")
        kind = SinkKind::DiskWriter;
    else
        return false;
    return true;
}

bool ParseDiskPace(const std::string& text, DiskPace& pace) {
    const std::string word = Normalised(text);
    if (word == "realtime")
        pace = DiskPace::RealTime;
    else if (word == "fast")
        pace = DiskPace::Fast;
    else
        return false;
    return true;
}

std::string DiskFileName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "Varnoth-%04d.wav", index);
    return name;
}

std::string ResolveFolder(const std::string& base, const std::string& folder) {
    if (folder.empty()) return folder;
    const bool drive = folder.size() >= 2 && folder[1] == ':';
    const bool rooted = folder[0] == '\\' || folder[0] == '/';
    return drive || rooted ? folder : base + folder;
}
