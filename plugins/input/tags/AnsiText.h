// Unicode text to the ANSI code page (932 on the target), for tags that store
// Unicode. No look-alikes: a character the code page lacks becomes '?'.
// Win32: WideCharToMultiByte without best fit. Elsewhere (the native tests and
// fuzzing): iconv's CP932 table, which holds the same characters as Windows'
// code page 932 (JIS X 0208, the NEC and IBM extensions, half-width katakana),
// keeping only what converts back to the same character, so that look-alikes
// iconv would give ("¥" as a backslash, "〜" as "～") are '?' as on Windows.
// ASCII passes unchanged in both.
#pragma once

#include <cstddef>
#include <string>

std::string Utf16ToAnsi(const char16_t* text, size_t length);
