// Colour helpers and the gradient bitmap of the title bars.
#include "Gradient.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

uint32_t DwordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (uint32_t(bytes[offset + 3]) << 24);
}

uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8);
}

TEST(GradientTest, BrightestGrey) {
    EXPECT_EQ(BrightestGrey(0x00302010), 0x00303030u); // channels 16, 32, 48
    EXPECT_EQ(BrightestGrey(0x000000FF), 0x00FFFFFFu);
    EXPECT_EQ(BrightestGrey(0), 0u);
}

TEST(GradientTest, RoundFraction) {
    EXPECT_EQ(RoundFraction(0.0), 0);
    EXPECT_EQ(RoundFraction(0.3), 1);
    EXPECT_EQ(RoundFraction(-0.3), -1);
    EXPECT_EQ(RoundFraction(1.0), 1);
    EXPECT_EQ(RoundFraction(2.9), 2);
    EXPECT_EQ(RoundFraction(-2.9), -2);
    EXPECT_EQ(RoundFraction(-25.5), -25);
    EXPECT_EQ(RoundFraction(1e300), 2147483647);
}

TEST(GradientTest, ThreeByTwoFileLayout) {
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(GradientBitmap(bmp, 3, 2, 0x00102030, 0x00102030));
    ASSERT_EQ(bmp.size(), 78u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(DwordAt(bmp, 2), 78u);
    EXPECT_EQ(DwordAt(bmp, 6), 0u);
    EXPECT_EQ(DwordAt(bmp, 10), 54u);
    EXPECT_EQ(DwordAt(bmp, 14), 40u);
    EXPECT_EQ(DwordAt(bmp, 18), 3u);
    EXPECT_EQ(DwordAt(bmp, 22), 2u);
    EXPECT_EQ(WordAt(bmp, 26), 1u);
    EXPECT_EQ(WordAt(bmp, 28), 24u);
    for (size_t offset = 30; offset < 54; ++offset)
        EXPECT_EQ(bmp[offset], 0) << offset;
    const std::vector<uint8_t> row = {0x10, 0x20, 0x30, 0x10, 0x20, 0x30,
                                      0x10, 0x20, 0x30, 0,    0,    0};
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 66), row);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 66, bmp.end()), row);
}

TEST(GradientTest, TenPixelsFromBlackToWhite) {
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(GradientBitmap(bmp, 10, 1, 0x00000000, 0x00FFFFFF));
    ASSERT_EQ(bmp.size(), 54u + 30u + 2u);
    const int expected[10] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
    for (int column = 0; column < 10; ++column) {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(bmp[54 + column * 3 + channel], expected[column]) << column;
        }
    }
}

TEST(GradientTest, ChannelsAreWrittenBlueGreenRed) {
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(GradientBitmap(bmp, 2, 1, 0x000000FF, 0x00FF0000)); // red towards blue
    // Column 1 is halfway: red 255 - 127 = 128, blue 0 + 127 = 127.
    const std::vector<uint8_t> pixels = {0, 0, 255, 127, 0, 128, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.end()), pixels);
}

TEST(GradientTest, AppendsToTheStream) {
    std::vector<uint8_t> bmp = {7};
    ASSERT_TRUE(GradientBitmap(bmp, 1, 1, 0, 0));
    EXPECT_EQ(bmp.size(), 1u + 58u);
    EXPECT_EQ(bmp[0], 7);
    EXPECT_EQ(bmp[1], 'B');
}

TEST(GradientTest, RefusesImpossibleSizes) {
    std::vector<uint8_t> bmp;
    EXPECT_FALSE(GradientBitmap(bmp, 0, 2, 0, 0));
    EXPECT_FALSE(GradientBitmap(bmp, 3, -1, 0, 0));
    EXPECT_FALSE(GradientBitmap(bmp, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0));
    EXPECT_TRUE(bmp.empty());
}

} // namespace
