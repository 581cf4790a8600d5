#include "TagText.h"

#include <cstring>

#include "Genres.h"

bool IsShiftJisLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsShiftJisTrailByte(uint8_t byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

namespace {

// Bytes of the character at text[i]: 2 for a lead byte with a valid trail.
size_t CharacterWidth(const char* text, size_t length, size_t i) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    if (IsShiftJisLeadByte(byte(i)) && i + 1 < length && IsShiftJisTrailByte(byte(i + 1))) return 2;
    return 1;
}

} // namespace

size_t ShiftJisPrefixLength(const char* text, size_t length, size_t limit) {
    if (limit > length) limit = length;
    size_t i = 0;
    while (i < limit) {
        size_t width = CharacterWidth(text, length, i);
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

size_t WithoutDanglingLeadByte(const char* text, size_t length) {
    size_t i = 0;
    size_t last = 0;
    while (i < length) {
        last = i;
        i += CharacterWidth(text, length, i);
    }
    if (length > 0 && last == length - 1 && IsShiftJisLeadByte(static_cast<uint8_t>(text[last])))
        return length - 1;
    return length;
}

void CopyTagText(char* dest, size_t capacity, const char* source, size_t sourceLength) {
    if (capacity == 0) return;
    size_t length = RecordTextLength(source, sourceLength);
    const size_t kept = ShiftJisPrefixLength(source, length, capacity - 1);
    if (kept > 0) std::memcpy(dest, source, kept);
    dest[kept] = '\0';
}

size_t RecordTextLength(const char* field, size_t fieldSize) {
    if (fieldSize == 0) return 0; // `field` may then be null
    const void* nul = std::memchr(field, 0, fieldSize);
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : fieldSize;
}

int32_t GenreNumberOfTagText(const char* text) {
    const size_t length = std::strlen(text);
    const size_t first = length > 1 && text[0] == '(' ? 1 : 0;
    size_t end = first;
    int32_t number = 0;
    while (end < length && end - first < 3 && text[end] >= '0' && text[end] <= '9')
        number = number * 10 + (text[end++] - '0');
    const bool closed = first == 0 ? end == length : end < length && text[end] == ')';
    if (end > first && closed) return number < kGenreCount ? number : -1;
    return GenreNumberOf(text);
}
