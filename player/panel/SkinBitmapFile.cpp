#include "SkinBitmapFile.h"

namespace {

constexpr uint32_t kCoreFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;     // BITMAPINFOHEADER
constexpr uint32_t kLargestHeaderBytes = 124; // BITMAPV5HEADER
constexpr uint32_t kUncompressed = 0;         // BI_RGB
constexpr uint32_t kBitFields = 3;            // BI_BITFIELDS
constexpr uint32_t kBitFieldMaskBytes = 12;

uint32_t U32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

uint16_t U16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

bool IsBitDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::optional<BitmapFileLayout> CheckBitmapFile(std::string_view bytes) {
    const uint64_t size = bytes.size();
    if (size < kCoreFileHeaderBytes + kInfoHeaderBytes || size > sheet::kMaxFileBytes ||
        bytes.substr(0, 2) != "BM")
        return std::nullopt;
    const size_t info = sheet::kInfoHeaderOffset;
    const uint32_t headerBytes = U32(bytes, info);
    if (headerBytes < kInfoHeaderBytes || headerBytes > kLargestHeaderBytes ||
        info + headerBytes > size)
        return std::nullopt;

    const int32_t width = static_cast<int32_t>(U32(bytes, info + 4));
    const int32_t height = static_cast<int32_t>(U32(bytes, info + 8));
    const uint16_t planes = U16(bytes, info + 12);
    const uint16_t bits = U16(bytes, info + 14);
    const uint32_t compression = U32(bytes, info + 16);
    const uint32_t coloursUsed = U32(bytes, info + 32);
    if (width < 1 || width > sheet::kMaxSide || height == 0 || height < -sheet::kMaxSide ||
        height > sheet::kMaxSide || planes != 1 || !IsBitDepth(bits))
        return std::nullopt;

    // Bit-field masks follow a 40-byte header; larger headers hold them.
    uint64_t tableStart = info + headerBytes;
    if (compression == kBitFields) {
        if (bits != 16 && bits != 32) return std::nullopt;
        if (headerBytes == kInfoHeaderBytes) tableStart += kBitFieldMaskBytes;
    } else if (compression != kUncompressed) {
        return std::nullopt;
    }
    // A palette of up to 2^bits entries; deeper pixels may carry one of at
    // most 256 entries, which the system may read as well.
    const uint64_t paletteLimit = bits <= 8 ? uint64_t{1} << bits : 256;
    if (coloursUsed > paletteLimit) return std::nullopt;
    const uint64_t paletteEntries = coloursUsed != 0 ? coloursUsed : bits <= 8 ? paletteLimit : 0;
    const uint64_t tableEnd = tableStart + paletteEntries * 4;

    const uint32_t pixelOffset = U32(bytes, 10);
    const uint64_t rows = height < 0 ? -int64_t{height} : height;
    const uint64_t stride = (uint64_t{static_cast<uint32_t>(width)} * bits + 31) / 32 * 4;
    if (tableEnd > size || pixelOffset < tableEnd || pixelOffset + stride * rows > size)
        return std::nullopt;
    return BitmapFileLayout{width, static_cast<int32_t>(rows), pixelOffset};
}
