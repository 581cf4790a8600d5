#include "AnsiText.h"

#include <iconv.h>

namespace {

// One character (one or two code units) through the converter; '?' when the
// code page lacks it.
void AppendCharacter(iconv_t converter, const char16_t* units, size_t count, std::string* ansi) {
    char in[4];
    for (size_t i = 0; i < count; ++i) {
        in[2 * i] = static_cast<char>(units[i] & 0xFF);
        in[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    char out[8];
    char* inPointer = in;
    char* outPointer = out;
    size_t inLeft = 2 * count;
    size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1) ||
        inLeft != 0)
        ansi->push_back('?');
    else
        ansi->append(out, sizeof out - outLeft);
}

} // namespace

std::string Utf16ToAnsi(const char16_t* text, size_t length) {
    std::string ansi;
    iconv_t converter = iconv_open("CP932", "UTF-16LE");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(length, '?');
    for (size_t i = 0; i < length;) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            ansi.push_back(static_cast<char>(unit));
            ++i;
            continue;
        }
        const bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < length &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        AppendCharacter(converter, text + i, pair ? 2 : 1, &ansi);
        i += pair ? 2 : 1;
    }
    iconv_close(converter);
    return ansi;
}
