// The borderless windows' frame: where its parts are, its colours, and what
// a gesture on it does.
#include "TitleFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TitleFrameTest, CloseImageSitsAtTheTitleBarsRightEnd) {
    // The play list window's title bar: 85 pixels at (2, 2), close image at (69, 4).
    const TitleFrameLayout layout = TitleFrameLayout::AlongTitleBar(2, 2, 85);
    EXPECT_EQ(layout.titleBar.left, 2);
    EXPECT_EQ(layout.titleBar.top, 2);
    EXPECT_EQ(layout.titleBar.width, 85);
    EXPECT_EQ(layout.titleBar.height, 18);
    EXPECT_EQ(layout.closeImage.left, 69);
    EXPECT_EQ(layout.closeImage.top, 4);
    EXPECT_EQ(layout.closeImage.width, 16);
    EXPECT_EQ(layout.closeImage.height, 14);
}

TEST(TitleFrameTest, InactiveTitleBarsAreTheBrightestGreys) {
    struct Case {
        uint32_t colour, inactive;
    };
    for (const Case& c : {Case{0x0000FF, 0xFFFFFF}, Case{0xFF0000, 0xFFFFFF},
                          Case{0x730E09, 0x737373}, Case{0xFFFFFF, 0xFFFFFF}}) {
        const TitleColours active = TitleBarColours(c.colour, 0x102030, true);
        EXPECT_EQ(active.left, c.colour);
        EXPECT_EQ(active.right, 0x102030u);
        const TitleColours grey = TitleBarColours(c.colour, 0x102030, false);
        EXPECT_EQ(grey.left, c.inactive) << std::hex << c.colour;
        EXPECT_EQ(grey.right, 0x303030u);
    }
}

// One gesture step and what the frame must answer.
struct Step {
    enum Kind { Press, Move, MoveReleased, Release, Cancel } kind;
    int32_t x, y;
    bool taken;        // Press: the frame took it; Release: it closes
    int32_t dx, dy;    // Move: the window moves by this (0, 0: it stays)
    bool closePressed; // the close image shows pressed afterwards
};

TEST(TitleFrameTest, GesturesDragTheWindowAndCloseOnAReleaseInsideTheCloseImage) {
    // A 249-pixel title bar at (2, 2): close image x 233..248, y 4..17.
    struct Gesture {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Gesture> gestures = {
        {"press and release on the close image",
         {{Step::Press, 233, 4, true, 0, 0, true}, {Step::Release, 248, 17, true, 0, 0, false}}},
        {"release just right of the close image",
         {{Step::Press, 240, 10, true, 0, 0, true}, {Step::Release, 249, 10, false, 0, 0, false}}},
        {"release just below the close image",
         {{Step::Press, 240, 10, true, 0, 0, true}, {Step::Release, 240, 18, false, 0, 0, false}}},
        {"release on the close image without a press there",
         {{Step::Press, 100, 10, true, 0, 0, false}, {Step::Release, 240, 10, false, 0, 0, false}}},
        {"release alone", {{Step::Release, 240, 10, false, 0, 0, false}}},
        {"close image pressed, the mouse taken away",
         {{Step::Press, 240, 10, true, 0, 0, true},
          {Step::Cancel, 0, 0, false, 0, 0, false},
          {Step::Release, 240, 10, false, 0, 0, false}}},
        {"a drag moves the window by the distance from the press",
         {{Step::Press, 50, 8, true, 0, 0, false},
          {Step::Move, 57, 3, false, 7, -5, false},
          {Step::Move, 50, 8, false, 0, 0, false},
          {Step::Move, 40, 20, false, -10, 12, false},
          {Step::Release, 40, 20, false, 0, 0, false},
          {Step::Move, 60, 20, false, 0, 0, false}}},
        {"moving without the left button ends the drag",
         {{Step::Press, 50, 8, true, 0, 0, false},
          {Step::MoveReleased, 60, 8, false, 0, 0, false},
          {Step::Move, 70, 8, false, 0, 0, false}}},
        {"presses beside the title bar are not the frame's",
         {{Step::Press, 1, 10, false, 0, 0, false},
          {Step::Press, 100, 20, false, 0, 0, false},
          {Step::Move, 120, 20, false, 0, 0, false}}},
    };
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        TitleFrame frame(TitleFrameLayout::AlongTitleBar(2, 2, 249));
        for (size_t i = 0; i < gesture.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const Step& step = gesture.steps[i];
            switch (step.kind) {
            case Step::Press:
                EXPECT_EQ(frame.Press(step.x, step.y), step.taken);
                break;
            case Step::Move:
            case Step::MoveReleased: {
                const FrameMove move = frame.Move(step.x, step.y, step.kind == Step::Move);
                EXPECT_EQ(move.moveWindow, step.dx != 0 || step.dy != 0);
                EXPECT_EQ(move.dx, step.dx);
                EXPECT_EQ(move.dy, step.dy);
                break;
            }
            case Step::Release:
                EXPECT_EQ(frame.Release(step.x, step.y), step.taken);
                break;
            case Step::Cancel:
                frame.Cancel();
                break;
            }
            EXPECT_EQ(frame.CloseImagePressed(), step.closePressed);
        }
    }
}

} // namespace
