#include "Cp932.h"

#include <algorithm>

bool IsLeadByte932(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t CharLength932(std::string_view text, size_t index) {
    if (IsLeadByte932(static_cast<unsigned char>(text[index])) && index + 1 < text.size()) {
        return 2;
    }
    return 1;
}

size_t LastBackslash(std::string_view text) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += CharLength932(text, i)) {
        if (text[i] == '\\') found = i;
    }
    return found;
}

size_t NextBackslash(std::string_view text, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLength932(text, i)) {
        if (text[i] == '\\') return i;
    }
    return std::string_view::npos;
}

std::string_view WholeCharacters(std::string_view text, size_t maxBytes) {
    const size_t limit = text.size() < maxBytes ? text.size() : maxBytes;
    size_t end = 0;
    while (end < limit) {
        const bool lead = IsLeadByte932(static_cast<unsigned char>(text[end]));
        const size_t length = lead ? 2 : 1;
        if (end + length > limit || (lead && end + 1 >= text.size())) break;
        end += length;
    }
    return text.substr(0, end);
}

std::string ToLowerAnsi(std::string_view text) {
    std::string lower(text);
    for (size_t i = 0; i < lower.size(); i += CharLength932(lower, i)) {
        if (lower[i] >= 'A' && lower[i] <= 'Z') lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
    }
    return lower;
}

namespace {

// Letters without case; the path separator before every other character, so
// "f1\x" comes before "f10\x" and a folder's files stay together.
unsigned char SortWeight(unsigned char byte) {
    if (byte == '\\') return 0;
    if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte - 'A' + 'a');
    return byte;
}

} // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
    // Equal bytes so far means both texts are at the same character boundary.
    bool inTrailByte = false;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        unsigned char byteA = static_cast<unsigned char>(a[i]);
        unsigned char byteB = static_cast<unsigned char>(b[i]);
        if (!inTrailByte) {
            byteA = SortWeight(byteA);
            byteB = SortWeight(byteB);
        }
        if (byteA != byteB) return byteA < byteB ? -1 : 1;
        inTrailByte = !inTrailByte && IsLeadByte932(static_cast<unsigned char>(a[i]));
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void SortNoCase(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareNoCase(a, b) < 0;
    });
}
