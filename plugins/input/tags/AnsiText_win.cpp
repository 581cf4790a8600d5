#include "AnsiText.h"

#include <windows.h>

std::string Utf16ToAnsi(const char16_t* text, size_t length) {
    if (length == 0) return std::string();
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 code units");
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    const int units = static_cast<int>(length);
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, nullptr, 0, "?", nullptr);
    if (bytes <= 0) return std::string();
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, &ansi[0], bytes, "?", nullptr);
    return ansi;
}
