// A skin's window shape: every pixel of the main sheet except those of the
// mask colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct ShapeRect {
    int32_t left, top, right, bottom; // right and bottom one past the last pixel
};

// More rectangles than this make no panel's shape.
constexpr size_t kMaxShapeRects = 65536;

// pixels: `height` top-down rows of `width` 32-bit pixels as the system gives
// them (blue, green, red, unused). A pixel whose red * 65536 + green * 256 +
// blue differs from mask belongs to the shape; each run of them in a row is
// one rectangle one pixel high. Nothing when there would be more than
// maxRects.
std::optional<std::vector<ShapeRect>> MaskRuns(const uint8_t* pixels, int32_t width, int32_t height,
                                               int32_t mask, size_t maxRects = kMaxShapeRects);
