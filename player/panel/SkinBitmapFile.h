// The checks a skin's bitmap file passes before the system makes a bitmap
// from it: the system reads the headers, colour table and rows at the places
// the file names, so every one of them must lie inside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sheet {
constexpr size_t kMaxFileBytes = 32 * 1024 * 1024;
constexpr int32_t kMaxSide = 4096;
constexpr size_t kInfoHeaderOffset = 14;
} // namespace sheet

struct BitmapFileLayout {
    int32_t width = 0;
    int32_t height = 0;       // rows, whichever way they run
    uint32_t pixelOffset = 0; // where the rows start in the file
};

// A "BM" file with an information header of 40 to 124 bytes, 1 to 4096
// pixels a side, one plane, 1, 4, 8, 16, 24 or 32 bits a pixel, uncompressed
// (bit fields only at 16 and 32 bits, with their masks in the file), and its
// colour table and rows inside the file; anything else is nothing.
std::optional<BitmapFileLayout> CheckBitmapFile(std::string_view bytes);
