#include "Gradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

uint32_t BrightestGrey(uint32_t colour) {
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    const uint32_t brightest = std::max({red, green, blue});
    return brightest | (brightest << 8) | (brightest << 16);
}

int32_t RoundFraction(double value) {
    if (std::isnan(value) || value == 0.0) return 0;
    if (value > 0.0 && value < 1.0) return 1;
    if (value < 0.0 && value > -1.0) return -1;
    if (value >= double(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= double(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value); // conversion cuts toward zero
}

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

void PutWord(std::vector<uint8_t>& stream, uint32_t value) {
    stream.push_back(static_cast<uint8_t>(value));
    stream.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(std::vector<uint8_t>& stream, uint32_t value) {
    PutWord(stream, value & 0xFFFF);
    PutWord(stream, value >> 16);
}

uint8_t GradientChannel(int32_t column, int32_t width, int32_t left, int32_t right) {
    const int32_t value = left - RoundFraction(double(column) * (left - right) / width);
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

bool GradientBitmap(std::vector<uint8_t>& stream, int32_t width, int32_t height,
                    uint32_t leftColour, uint32_t rightColour) {
    if (width <= 0 || height <= 0) return false;
    const uint64_t padding = uint64_t(width) % 4;
    const uint64_t rowBytes = uint64_t(width) * 3 + padding;
    const uint64_t fileSize = rowBytes * uint64_t(height) + kFileHeaderSize + kInfoHeaderSize;
    if (fileSize > uint64_t(std::numeric_limits<int32_t>::max())) return false;

    std::vector<uint8_t> row;
    row.reserve(rowBytes);
    for (int32_t column = 0; column < width; ++column) {
        for (int shift : {16, 8, 0}) { // blue, green, red
            const int32_t left = (leftColour >> shift) & 0xFF;
            const int32_t right = (rightColour >> shift) & 0xFF;
            row.push_back(GradientChannel(column, width, left, right));
        }
    }
    row.resize(rowBytes, 0);

    stream.reserve(stream.size() + fileSize);
    stream.push_back('B');
    stream.push_back('M');
    PutDword(stream, static_cast<uint32_t>(fileSize));
    PutDword(stream, 0); // two reserved words
    PutDword(stream, kFileHeaderSize + kInfoHeaderSize);
    PutDword(stream, kInfoHeaderSize);
    PutDword(stream, static_cast<uint32_t>(width));
    PutDword(stream, static_cast<uint32_t>(height));
    PutWord(stream, 1);  // planes
    PutWord(stream, 24); // bits per pixel
    for (int field = 0; field < 6; ++field)
        PutDword(stream, 0);
    for (int32_t line = 0; line < height; ++line)
        stream.insert(stream.end(), row.begin(), row.end());
    return true;
}
