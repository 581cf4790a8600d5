// The text strings of ID3v2 frames, in any of the four encodings, as ANSI
// code-page bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum Id3v2Encoding : uint8_t {
    kId3v2Latin1 = 0,
    kId3v2Utf16 = 1, // with a byte-order mark (little-endian without one)
    kId3v2Utf16Be = 2,
    kId3v2Utf8 = 3,
};

// Bytes of the string at the start of `bytes` (up to its terminator or the
// end); `*next` becomes the index behind the terminator.
size_t Id3v2StringLength(uint8_t encoding, const uint8_t* bytes, size_t length, size_t* next);

// One string (without its terminator) in the ANSI code page. A Latin-1 string
// whose bytes are valid Shift-JIS with at least one double-byte character is
// taken as Shift-JIS, as Japanese tagging programs wrote it.
std::string Id3v2StringToAnsi(uint8_t encoding, const uint8_t* bytes, size_t length);
