#include "TitleFrame.h"

#include "Gradient.h"

TitleFrameLayout TitleFrameLayout::AlongTitleBar(int32_t left, int32_t top, int32_t width) {
    TitleFrameLayout layout;
    layout.titleBar = FrameArea{left, top, width, kTitleBarHeight};
    layout.closeImage =
        FrameArea{left + width - kImageWidth - 2, top + 2, kImageWidth, kImageHeight};
    return layout;
}

TitleColours TitleBarColours(uint32_t left, uint32_t right, bool active) {
    if (active) return TitleColours{left, right};
    return TitleColours{BrightestGrey(left), BrightestGrey(right)};
}

bool PressableImage::Press(int32_t x, int32_t y) {
    pressed = area.Contains(x, y);
    return pressed;
}

bool PressableImage::Release(int32_t x, int32_t y) {
    const bool fired = pressed && area.Contains(x, y);
    pressed = false;
    return fired;
}

bool TitleFrame::Press(int32_t x, int32_t y) {
    // The close image lies on the title bar and wins over it.
    if (close.Press(x, y)) return true;
    dragging = layout.titleBar.Contains(x, y);
    if (dragging) {
        pressX = x;
        pressY = y;
    }
    return dragging;
}

FrameMove TitleFrame::Move(int32_t x, int32_t y, bool leftHeld) {
    if (!dragging) return FrameMove{};
    if (!leftHeld) {
        dragging = false;
        return FrameMove{};
    }
    if (x == pressX && y == pressY) return FrameMove{};
    return FrameMove{true, x - pressX, y - pressY};
}

bool TitleFrame::Release(int32_t x, int32_t y) {
    dragging = false;
    return close.Release(x, y);
}

void TitleFrame::Cancel() {
    dragging = false;
    close.Cancel();
}
