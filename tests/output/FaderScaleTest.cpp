#include "FaderScale.h"

#include <gtest/gtest.h>

namespace {

TEST(FaderScale, EndsMapToTheBounds) {
    EXPECT_EQ(ToControlValue(0, 0, 65535), 0u);
    EXPECT_EQ(ToControlValue(65535, 0, 65535), 65535u);
    EXPECT_EQ(ToControlValue(0, 100, 200), 100u);
    EXPECT_EQ(ToControlValue(65535, 100, 200), 200u);
    EXPECT_EQ(FromControlValue(100, 100, 200), 0u);
    EXPECT_EQ(FromControlValue(200, 100, 200), 65535u);
}

TEST(FaderScale, MiddleRoundsToTheNearestStep) {
    EXPECT_EQ(ToControlValue(32768, 0, 100), 50u); // 50.0008
    EXPECT_EQ(ToControlValue(32767, 0, 100), 50u); // 49.9992
    EXPECT_EQ(ToControlValue(32767, 0, 65535), 32767u);
    EXPECT_EQ(FromControlValue(50, 0, 100), 32768u); // 32767.5 rounds up
    EXPECT_EQ(FromControlValue(1, 0, 3), 21845u);
}

TEST(FaderScale, OutOfRangeValuesAreClamped) {
    EXPECT_EQ(ToControlValue(70000, 0, 100), 100u);
    EXPECT_EQ(FromControlValue(5, 10, 20), 0u);
    EXPECT_EQ(FromControlValue(25, 10, 20), 65535u);
}

TEST(FaderScale, EmptyRangeStaysAtTheMinimum) {
    EXPECT_EQ(ToControlValue(40000, 7, 7), 7u);
    EXPECT_EQ(ToControlValue(40000, 9, 7), 9u);
    EXPECT_EQ(FromControlValue(7, 7, 7), 0u);
}

TEST(FaderScale, FullRangeOfUnsignedBounds) {
    EXPECT_EQ(ToControlValue(65535, 0, 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(FromControlValue(0xFFFFFFFEu, 0, 0xFFFFFFFFu), 65535u);
}

TEST(FaderScale, StereoPackingPutsRightHigh) {
    EXPECT_EQ(PackStereo(0x1234, 0xABCD), 0xABCD1234u);
    EXPECT_EQ(PackStereo(0x11234, 0x1ABCD), 0xABCD1234u);
}

} // namespace
