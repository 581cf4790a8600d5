#include <gtest/gtest.h>

#include "PanelHitTest.h"

namespace {

TEST(PanelHitTestTest, UpperRowButtons) {
    EXPECT_EQ(HitTestPanel(0, 0, false), 2);
    EXPECT_EQ(HitTestPanel(10, 10, false), 2);
    EXPECT_EQ(HitTestPanel(0, -3, false), 2);
    EXPECT_EQ(HitTestPanel(13, 0, false), 1);
    EXPECT_EQ(HitTestPanel(23, 10, false), 1);
    EXPECT_EQ(HitTestPanel(26, 5, false), 0);
    EXPECT_EQ(HitTestPanel(36, 5, false), 0);
    EXPECT_EQ(HitTestPanel(39, 5, false), 3);
    EXPECT_EQ(HitTestPanel(49, 10, false), 3);
    // Gaps between the buttons and left of the first one.
    EXPECT_EQ(HitTestPanel(11, 5, false), -1);
    EXPECT_EQ(HitTestPanel(25, 5, false), -1);
    EXPECT_EQ(HitTestPanel(-1, 5, false), -1);
}

TEST(PanelHitTestTest, LowerRowButtonsFollowExchangeButton) {
    EXPECT_EQ(HitTestPanel(0, 13, false), 4);
    EXPECT_EQ(HitTestPanel(0, 13, true), 5);
    EXPECT_EQ(HitTestPanel(23, 23, false), 5);
    EXPECT_EQ(HitTestPanel(23, 23, true), 4);
    EXPECT_EQ(HitTestPanel(26, 18, false), 6);
    EXPECT_EQ(HitTestPanel(49, 23, false), 7);
    EXPECT_EQ(HitTestPanel(11, 18, false), -1);
    // Between the rows.
    EXPECT_EQ(HitTestPanel(5, 11, false), -1);
    EXPECT_EQ(HitTestPanel(5, 12, false), -1);
}

TEST(PanelHitTestTest, BarsAndLogo) {
    EXPECT_EQ(HitTestPanel(52, 0, false), 100);
    EXPECT_EQ(HitTestPanel(62, 25, false), 100);
    EXPECT_EQ(HitTestPanel(57, -3, false), 100);
    EXPECT_EQ(HitTestPanel(0, 26, false), 110);
    EXPECT_EQ(HitTestPanel(48, 36, false), 110);
    EXPECT_EQ(HitTestPanel(49, 30, false), -1);
    EXPECT_EQ(HitTestPanel(48, 37, false), -1);
    EXPECT_EQ(HitTestPanel(52, 26, false), 8);
    EXPECT_EQ(HitTestPanel(62, 36, false), 8);
    EXPECT_EQ(HitTestPanel(80, 80, false), 8);
}

TEST(PanelHitTestTest, TopEdgeOutsideTheButtonsIsClose) {
    EXPECT_EQ(HitTestPanel(50, 1, false), 20);
    EXPECT_EQ(HitTestPanel(63, 9, false), 20);
    EXPECT_EQ(HitTestPanel(63, 10, false), -1);
    EXPECT_EQ(HitTestPanel(-150, 26, false), -1);
}

TEST(PanelHitTestTest, Frame) {
    EXPECT_EQ(HitTestFrame(0, -2), 20);
    EXPECT_EQ(HitTestFrame(0, 0), 20);
    EXPECT_EQ(HitTestFrame(8, 9), 20);
    EXPECT_EQ(HitTestFrame(0, 10), 21);
    EXPECT_EQ(HitTestFrame(8, 18), 21);
    EXPECT_EQ(HitTestFrame(0, 19), -1);
}

TEST(PanelHitTestTest, SkinCodes) {
    for (int32_t code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 100, 110})
        EXPECT_EQ(SkinPanelCode(code), code);
    EXPECT_EQ(SkinPanelCode(9), 10);
    EXPECT_EQ(SkinPanelCode(10), 20);
    EXPECT_EQ(SkinPanelCode(11), 21);
    for (int32_t code : {-1, 12, 13, 99, 101, 111, 200})
        EXPECT_EQ(SkinPanelCode(code), -1);
    EXPECT_EQ(SkinFrameCode(10), 20);
    EXPECT_EQ(SkinFrameCode(11), 21);
    EXPECT_EQ(SkinFrameCode(12), 22);
    for (int32_t code : {-1, 0, 9, 13, 100})
        EXPECT_EQ(SkinFrameCode(code), -1);
}

} // namespace
