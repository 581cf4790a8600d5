#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinShape.h"

namespace {

// Rows of pixels written as letters: r red, g green, b blue, m magenta, k black.
std::vector<uint8_t> Pixels(const std::vector<std::string>& rows) {
    std::vector<uint8_t> pixels;
    for (const std::string& row : rows)
        for (const char c : row) {
            const uint8_t red = (c == 'r' || c == 'm') ? 255 : 0;
            const uint8_t green = c == 'g' ? 255 : 0;
            const uint8_t blue = (c == 'b' || c == 'm') ? 255 : 0;
            pixels.insert(pixels.end(), {blue, green, red, 0x7F}); // as the system lays them out
        }
    return pixels;
}

std::vector<std::vector<int>> Rects(const std::vector<std::string>& rows, int32_t mask,
                                    size_t maxRects = kMaxShapeRects) {
    const std::vector<uint8_t> pixels = Pixels(rows);
    const auto runs = MaskRuns(pixels.data(), static_cast<int32_t>(rows[0].size()),
                               static_cast<int32_t>(rows.size()), mask, maxRects);
    if (!runs) return {{-1}};
    std::vector<std::vector<int>> rects;
    for (const ShapeRect& r : *runs)
        rects.push_back({r.left, r.top, r.right, r.bottom});
    return rects;
}

TEST(SkinShapeTest, RunsOfUnmaskedPixelsBecomeOnePixelHighRectangles) {
    const int32_t magenta = 16711935, red = 16711680;
    EXPECT_EQ(
        Rects({"mkkm", "kmmk", "mmmm", "kkkk"}, magenta),
        (std::vector<std::vector<int>>{{1, 0, 3, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {0, 3, 4, 4}}));
    // The value is red * 65536 + green * 256 + blue: red is cut, blue is not.
    EXPECT_EQ(Rects({"rbr", "bgr"}, red),
              (std::vector<std::vector<int>>{{1, 0, 2, 1}, {0, 1, 2, 2}}));
    EXPECT_EQ(Rects({"rbg"}, 255), (std::vector<std::vector<int>>{{0, 0, 1, 1}, {2, 0, 3, 1}}));
    // A mask no pixel value can have cuts nothing; the unused byte never counts.
    EXPECT_EQ(Rects({"mk"}, -1), (std::vector<std::vector<int>>{{0, 0, 2, 1}}));
    EXPECT_EQ(Rects({"mk"}, 0x7FFF00FF), (std::vector<std::vector<int>>{{0, 0, 2, 1}}));
    EXPECT_TRUE(Rects({"mm"}, magenta).empty());
    // Too many rectangles: no shape at all.
    EXPECT_EQ(Rects({"kmkmk"}, magenta, 3).size(), 3u);
    EXPECT_EQ(Rects({"kmkmk"}, magenta, 2), (std::vector<std::vector<int>>{{-1}}));
}

} // namespace
