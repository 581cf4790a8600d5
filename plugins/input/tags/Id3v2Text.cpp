#include "Id3v2Text.h"

#include "AnsiText.h"
#include "TagText.h"

namespace {

bool IsWide(uint8_t encoding) {
    return encoding == kId3v2Utf16 || encoding == kId3v2Utf16Be;
}

// True when every byte is ASCII, a half-width katakana or one half of a
// double-byte character, and at least one double-byte character occurs.
bool IsDoubleByteShiftJis(const uint8_t* bytes, size_t length) {
    bool doubleByte = false;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t byte = bytes[i];
        if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) continue;
        if (!IsShiftJisLeadByte(byte) || i + 1 >= length || !IsShiftJisTrailByte(bytes[i + 1]))
            return false;
        doubleByte = true;
        ++i;
    }
    return doubleByte;
}

std::u16string Utf16Units(const uint8_t* bytes, size_t length, bool bigEndian) {
    size_t i = 0;
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bigEndian = false;
        i = 2;
    } else if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        bigEndian = true;
        i = 2;
    }
    std::u16string units;
    for (; i + 1 < length; i += 2) {
        const uint8_t high = bigEndian ? bytes[i] : bytes[i + 1];
        const uint8_t low = bigEndian ? bytes[i + 1] : bytes[i];
        units.push_back(static_cast<char16_t>(high << 8 | low));
    }
    return units;
}

void AppendCodePoint(std::u16string* units, uint32_t point) {
    if (point < 0x10000) {
        units->push_back(static_cast<char16_t>(point));
    } else {
        point -= 0x10000;
        units->push_back(static_cast<char16_t>(0xD800 | point >> 10));
        units->push_back(static_cast<char16_t>(0xDC00 | (point & 0x3FF)));
    }
}

// Malformed sequences become U+FFFD, which no ANSI code page holds.
std::u16string Utf8Units(const uint8_t* bytes, size_t length) {
    std::u16string units;
    size_t i = 0;
    while (i < length) {
        const uint8_t lead = bytes[i];
        size_t extra = 0;
        uint32_t point = lead;
        uint32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, point = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, point = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, point = lead & 0x07, least = 0x10000;
        } else if (lead >= 0x80) {
            AppendCodePoint(&units, 0xFFFD);
            ++i;
            continue;
        }
        size_t taken = 1;
        while (taken <= extra && i + taken < length && (bytes[i + taken] & 0xC0) == 0x80) {
            point = point << 6 | (bytes[i + taken] & 0x3F);
            ++taken;
        }
        const bool whole = taken == extra + 1;
        const bool valid =
            whole && point >= least && point <= 0x10FFFF && !(point >= 0xD800 && point < 0xE000);
        AppendCodePoint(&units, valid ? point : 0xFFFD);
        i += taken;
    }
    return units;
}

} // namespace

size_t Id3v2StringLength(uint8_t encoding, const uint8_t* bytes, size_t length, size_t* next) {
    const size_t step = IsWide(encoding) ? 2 : 1;
    for (size_t i = 0; i + step <= length; i += step) {
        if (bytes[i] == 0 && (step == 1 || bytes[i + 1] == 0)) {
            *next = i + step;
            return i;
        }
    }
    *next = length;
    return length;
}

std::string Id3v2StringToAnsi(uint8_t encoding, const uint8_t* bytes, size_t length) {
    std::u16string units;
    switch (encoding) {
    case kId3v2Utf16:
    case kId3v2Utf16Be:
        units = Utf16Units(bytes, length, encoding == kId3v2Utf16Be);
        break;
    case kId3v2Utf8:
        units = Utf8Units(bytes, length);
        break;
    default:
        if (IsDoubleByteShiftJis(bytes, length))
            return std::string(reinterpret_cast<const char*>(bytes), length);
        for (size_t i = 0; i < length; ++i)
            units.push_back(bytes[i]);
    }
    return Utf16ToAnsi(units.data(), units.size());
}
