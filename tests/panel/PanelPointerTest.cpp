#include <gtest/gtest.h>

#include "PanelPointer.h"

namespace {

class PanelPointerTest : public ::testing::Test {
  protected:
    PointerMove MoveTo(int32_t x, int32_t y) { return pointer.Move(x, y, true, values, panel); }
    PointerRelease ReleaseAt(int32_t x, int32_t y, PointerButton button = PointerButton::Left) {
        return pointer.Release(x, y, button, values, panel);
    }
    void ExpectNoAction(const PointerRelease& release) {
        EXPECT_FALSE(release.seek);
        EXPECT_EQ(release.buttonAction, -1);
        EXPECT_EQ(release.windowAction, -1);
        EXPECT_FALSE(release.controlMenu);
    }

    PanelPointer pointer;
    PointerValues values = {40, 30, 200};
    BuiltInHitTester panel{false};
};

TEST_F(PanelPointerTest, TenPixelSeekDragSeeksTenSecondsAndIsNoClick) {
    pointer.Press(210, 35); // seek bar
    for (int32_t x = 211; x <= 220; ++x) {
        const PointerMove move = MoveTo(x, 35);
        EXPECT_TRUE(move.positionDragged);
        EXPECT_FALSE(move.moveWindow);
    }
    EXPECT_EQ(values.Position, 40);
    EXPECT_TRUE(pointer.SeekDragging());
    // Released over the stop button: only the seek happens.
    const PointerRelease release = ReleaseAt(220, 8);
    EXPECT_TRUE(release.seek);
    EXPECT_EQ(release.seekPosition, 40);
    EXPECT_EQ(release.buttonAction, -1);
    EXPECT_FALSE(pointer.SeekDragging());
    // The next release is an ordinary click again.
    pointer.Press(220, 8);
    EXPECT_EQ(ReleaseAt(220, 8).buttonAction, 1);
}

TEST_F(PanelPointerTest, SeekDragInOneMoveAndBackwards) {
    pointer.Press(230, 33);
    MoveTo(240, 40); // vertical movement does not matter
    EXPECT_EQ(values.Position, 40);
    MoveTo(215, 40);
    EXPECT_EQ(values.Position, 15);
}

TEST_F(PanelPointerTest, SeekDragStaysWithinTheLength) {
    values = {40, 195, 200};
    pointer.Press(205, 35);
    MoveTo(225, 35);
    EXPECT_EQ(values.Position, 200);
    MoveTo(201, 35);
    EXPECT_EQ(values.Position, 176);
    MoveTo(0, 35); // the press point was still on the bar
    EXPECT_EQ(values.Position, 0);
    MoveTo(100, 35); // now it is not
    EXPECT_EQ(values.Position, 0);

    values = {40, 10, 0};
    pointer = PanelPointer();
    pointer.Press(205, 35);
    MoveTo(215, 35);
    EXPECT_EQ(values.Position, 0);
    EXPECT_TRUE(ReleaseAt(215, 35).seek);
}

TEST_F(PanelPointerTest, SeekStopsFollowingOnceThePointerLeavesTheBar) {
    pointer.Press(245, 35); // a = 44
    MoveTo(249, 35);        // a = 48, still the bar
    EXPECT_EQ(values.Position, 34);
    MoveTo(250, 35);
    EXPECT_EQ(values.Position, 35);
    MoveTo(251, 35); // the press point (a = 49) is off the bar
    EXPECT_EQ(values.Position, 35);
    MoveTo(230, 35);
    EXPECT_EQ(values.Position, 35);
    // Still a seek on release.
    const PointerRelease release = ReleaseAt(230, 35);
    EXPECT_TRUE(release.seek);
    EXPECT_EQ(release.seekPosition, 35);
}

TEST_F(PanelPointerTest, VolumeDragOnePixelOneStepUpwardsRaises) {
    pointer.Press(256, 15);
    PointerMove move = MoveTo(256, 5);
    EXPECT_TRUE(move.volumeDragged);
    EXPECT_EQ(values.Volume, 50);
    MoveTo(300, 25); // sideways movement keeps following
    EXPECT_EQ(values.Volume, 30);
    MoveTo(256, -200);
    EXPECT_EQ(values.Volume, 100);
    EXPECT_FALSE(pointer.SeekDragging());
    // A volume drag ends without a seek; the release is an ordinary one (on
    // the volume bar, which starts no action).
    ExpectNoAction(ReleaseAt(256, 10));
}

TEST_F(PanelPointerTest, VolumeDragStaysWithin0And100) {
    values.Volume = 3;
    pointer.Press(256, 20);
    MoveTo(256, 25);
    EXPECT_EQ(values.Volume, 0);
    // Below the bar the press point has left it.
    MoveTo(256, 40);
    EXPECT_EQ(values.Volume, 0);
    MoveTo(256, 0);
    EXPECT_EQ(values.Volume, 0);
}

TEST_F(PanelPointerTest, MovesCountOnlyWithTheLeftButtonAlone) {
    pointer.Press(210, 35);
    const PointerMove move = pointer.Move(230, 35, false, values, panel);
    EXPECT_FALSE(move.positionDragged);
    EXPECT_EQ(values.Position, 30);
    EXPECT_FALSE(pointer.SeekDragging());
    pointer.Press(7, 20);
    EXPECT_FALSE(pointer.Move(30, 30, false, values, panel).moveWindow);
}

TEST_F(PanelPointerTest, LeftStripDragsTheWindow) {
    pointer.Press(7, 30);
    PointerMove move = MoveTo(17, 25);
    EXPECT_TRUE(move.moveWindow);
    EXPECT_EQ(move.dx, 10);
    EXPECT_EQ(move.dy, -5);
    // The window followed, so the cursor is back over the press point.
    move = MoveTo(5, 31);
    EXPECT_EQ(move.dx, -2);
    EXPECT_EQ(move.dy, 1);
    EXPECT_FALSE(move.volumeDragged || move.positionDragged);
}

TEST_F(PanelPointerTest, PressOutsideTheLeftStripNeverMovesTheWindow) {
    for (const auto& [x, y] : {std::pair<int32_t, int32_t>{0, 20},
                               {15, 20},
                               {7, 0},
                               {7, 45},
                               {100, 20},
                               {230, 35},
                               {256, 15}}) {
        pointer.Press(x, y);
        EXPECT_FALSE(MoveTo(x + 20, y + 3).moveWindow) << x << "," << y;
    }
}

TEST_F(PanelPointerTest, ReleaseRunsTheButtonUnderThePointer) {
    pointer.Press(205, 8); // previous
    EXPECT_EQ(ReleaseAt(244, 8).buttonAction, 3);
    pointer.Press(244, 8);
    EXPECT_EQ(ReleaseAt(205, 8).buttonAction, 2);
    pointer.Press(100, 40); // pressed outside every button
    EXPECT_EQ(ReleaseAt(232, 9).buttonAction, 0);
    EXPECT_EQ(ReleaseAt(245, 21).buttonAction, 7);
    EXPECT_EQ(ReleaseAt(258, 35).buttonAction, 8);
    EXPECT_EQ(ReleaseAt(205, 21).buttonAction, 4);
}

TEST_F(PanelPointerTest, ReleaseOnRepeatOrShuffleFollowsExchangeButton) {
    const BuiltInHitTester exchanged(true);
    pointer.Press(205, 21);
    EXPECT_EQ(pointer.Release(205, 21, PointerButton::Left, values, exchanged).buttonAction, 5);
    EXPECT_EQ(pointer.Release(218, 21, PointerButton::Left, values, exchanged).buttonAction, 4);
}

TEST_F(PanelPointerTest, ReleaseOutsideTheButtonAreaOrOnBarsDoesNothing) {
    pointer.Press(0, 0);
    ExpectNoAction(ReleaseAt(200, 8));  // x must exceed 200
    ExpectNoAction(ReleaseAt(205, 3));  // y must exceed 3
    ExpectNoAction(ReleaseAt(264, 35)); // x at most 263
    ExpectNoAction(ReleaseAt(258, 41)); // y at most 40
    ExpectNoAction(ReleaseAt(212, 8));  // gap between buttons
    ExpectNoAction(ReleaseAt(256, 15)); // volume bar
    ExpectNoAction(ReleaseAt(220, 35)); // seek bar (no drag)
    ExpectNoAction(ReleaseAt(251, 5));  // the panel's close code is no button action
    ExpectNoAction(ReleaseAt(100, 20));
}

TEST_F(PanelPointerTest, ReleaseOnTheMarksClosesOrMinimises) {
    pointer.Press(8, 5);
    EXPECT_EQ(ReleaseAt(8, 5).windowAction, 20);
    EXPECT_EQ(ReleaseAt(14, 12).windowAction, 20);
    EXPECT_EQ(ReleaseAt(8, 13).windowAction, 21);
    EXPECT_EQ(ReleaseAt(8, 21).windowAction, 21);
    ExpectNoAction(ReleaseAt(8, 22));
    ExpectNoAction(ReleaseAt(4, 5));
    ExpectNoAction(ReleaseAt(15, 5));
    ExpectNoAction(ReleaseAt(8, 2));
    EXPECT_EQ(ReleaseAt(8, 5).buttonAction, -1);
}

TEST_F(PanelPointerTest, RightReleasePopsUpTheControlMenuOnly) {
    pointer.Press(232, 9);
    const PointerRelease release = ReleaseAt(232, 9, PointerButton::Right);
    EXPECT_TRUE(release.controlMenu);
    EXPECT_EQ(release.buttonAction, -1);
    ExpectNoAction(ReleaseAt(232, 9, PointerButton::Middle));
}

TEST_F(PanelPointerTest, RightReleaseAfterASeekDragOnlySeeks) {
    pointer.Press(210, 35);
    MoveTo(212, 35);
    const PointerRelease release = ReleaseAt(212, 35, PointerButton::Right);
    EXPECT_TRUE(release.seek);
    EXPECT_FALSE(release.controlMenu);
}

} // namespace
