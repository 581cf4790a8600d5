#include "CdTrackName.h"

#include <cctype>

namespace {

constexpr int32_t kLastTrack = 99; // a disc holds at most 99 tracks

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The value of `text` when all of it is a decimal integer with an optional
// sign; false otherwise or beyond the int32 range.
bool ReadsAsInteger(const std::string& text, int64_t* value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        result = result * 10 + (text[i] - '0');
        if (result > INT32_MAX) return false;
    }
    *value = negative ? -result : result;
    return true;
}

} // namespace

bool ParseCdTrackName(const std::string& name, CdTrackName* parsed) {
    const std::string lower = LowerCase(name);
    const size_t firstSlash = lower.find('\\');
    if (firstSlash == std::string::npos) return false;
    std::string stem = lower.substr(lower.rfind('\\') + 1);
    const size_t dot = stem.find('.');
    // Only three characters of the extension are looked at.
    if (dot == std::string::npos || stem.compare(dot + 1, 3, "cda") != 0) return false;
    stem.erase(dot);
    // Leading characters go one by one until the rest reads as a number.
    for (size_t start = 0; start < stem.size(); ++start) {
        int64_t track;
        if (!ReadsAsInteger(stem.substr(start), &track)) continue;
        if (track < 1 || track > kLastTrack) return false;
        parsed->root = lower.substr(0, firstSlash + 1);
        parsed->track = static_cast<int32_t>(track);
        return true;
    }
    return false;
}
