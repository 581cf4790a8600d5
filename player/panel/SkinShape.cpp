#include "SkinShape.h"

std::optional<std::vector<ShapeRect>> MaskRuns(const uint8_t* pixels, int32_t width, int32_t height,
                                               int32_t mask, size_t maxRects) {
    std::vector<ShapeRect> runs;
    // A mask outside 0 to 0xFFFFFF matches no pixel.
    const int64_t cut = mask;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = pixels + size_t{4} * static_cast<size_t>(width) * y;
        int32_t start = -1;
        for (int32_t x = 0; x <= width; ++x) {
            bool kept = false;
            if (x < width) {
                const uint8_t* pixel = row + size_t{4} * x;
                kept = (int64_t{pixel[2]} << 16 | int64_t{pixel[1]} << 8 | pixel[0]) != cut;
            }
            if (kept && start < 0) start = x;
            if (!kept && start >= 0) {
                if (runs.size() == maxRects) return std::nullopt;
                runs.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
    }
    return runs;
}
