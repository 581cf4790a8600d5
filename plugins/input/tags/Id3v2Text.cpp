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

// What a UTF-8 lead byte announces: continuation bytes, its own payload bits
// and the smallest code point the sequence may hold. False for a byte that
// starts no sequence.
struct Utf8Lead {
    size_t extra;
    uint32_t bits;
    uint32_t least;
};

bool Utf8LeadOf(uint8_t lead, Utf8Lead* out) {
    if (lead < 0x80) {
        *out = {0, lead, 0};
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        *out = {1, lead & 0x1Fu, 0x80};
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        *out = {2, lead & 0x0Fu, 0x800};
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        *out = {3, lead & 0x07u, 0x10000};
    } else {
        return false;
    }
    return true;
}

// Malformed sequences become U+FFFD, which no ANSI code page holds.
std::u16string Utf8Units(const uint8_t* bytes, size_t length) {
    std::u16string units;
    size_t i = 0;
    while (i < length) {
        Utf8Lead lead;
        if (!Utf8LeadOf(bytes[i], &lead)) {
            AppendCodePoint(&units, 0xFFFD);
            ++i;
            continue;
        }
        uint32_t point = lead.bits;
        size_t taken = 1;
        while (taken <= lead.extra && i + taken < length && (bytes[i + taken] & 0xC0) == 0x80) {
            point = point << 6 | (bytes[i + taken] & 0x3F);
            ++taken;
        }
        const bool valid = taken == lead.extra + 1 && point >= lead.least && point <= 0x10FFFF &&
                           !(point >= 0xD800 && point < 0xE000);
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
