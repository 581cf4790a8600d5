#include "AnsiText.h"

#include <iconv.h>

#include <cstring>

namespace {

// `count` bytes through a converter; false when it can't take them all.
bool Convert(iconv_t converter, const char* in, size_t count, char* out, size_t* made) {
    char buffer[8];
    std::memcpy(buffer, in, count);
    char* inPointer = buffer;
    char* outPointer = out;
    size_t inLeft = count;
    size_t outLeft = 8;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1) ||
        inLeft != 0)
        return false;
    *made = 8 - outLeft;
    return true;
}

// One character (one or two code units); '?' when the code page lacks it or
// holds only a look-alike, that is when the bytes do not convert back to the
// same character, as Windows decides without best fit.
void AppendCharacter(iconv_t toAnsi, iconv_t fromAnsi, const char16_t* units, size_t count,
                     std::string* ansi) {
    char wide[4];
    for (size_t i = 0; i < count; ++i) {
        wide[2 * i] = static_cast<char>(units[i] & 0xFF);
        wide[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    char bytes[8];
    char back[8];
    size_t made = 0;
    size_t backMade = 0;
    if (Convert(toAnsi, wide, 2 * count, bytes, &made) &&
        Convert(fromAnsi, bytes, made, back, &backMade) && backMade == 2 * count &&
        std::memcmp(back, wide, backMade) == 0)
        ansi->append(bytes, made);
    else
        ansi->push_back('?');
}

} // namespace

std::string Utf16ToAnsi(const char16_t* text, size_t length) {
    std::string ansi;
    iconv_t toAnsi = iconv_open("CP932", "UTF-16LE");
    iconv_t fromAnsi = iconv_open("UTF-16LE", "CP932");
    const iconv_t none = reinterpret_cast<iconv_t>(-1);
    if (toAnsi != none && fromAnsi != none) {
        for (size_t i = 0; i < length;) {
            const char16_t unit = text[i];
            const bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < length &&
                              text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
            if (unit < 0x80)
                ansi.push_back(static_cast<char>(unit));
            else
                AppendCharacter(toAnsi, fromAnsi, text + i, pair ? 2 : 1, &ansi);
            i += pair ? 2 : 1;
        }
    } else {
        ansi.assign(length, '?');
    }
    if (toAnsi != none) iconv_close(toAnsi);
    if (fromAnsi != none) iconv_close(fromAnsi);
    return ansi;
}
