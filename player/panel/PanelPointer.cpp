#include "PanelPointer.h"

#include <algorithm>

#include "PanelHitTest.h"

namespace {

bool IsButtonAction(int32_t code) {
    return (code >= 0 && code <= 8) || code == 10;
}

bool IsWindowAction(int32_t code) {
    return code == hit::kClose || code == hit::kMinimise;
}

} // namespace

int32_t BuiltInHitTester::PanelCode(int32_t x, int32_t y) const {
    return HitTestPanel(x - 201, y - 4, exchangeButton);
}

int32_t BuiltInHitTester::FrameCode(int32_t x, int32_t y) const {
    return HitTestFrame(x - 5, y - 3);
}

bool BuiltInHitTester::InDragArea(int32_t x, int32_t y) const {
    return x > 0 && x < 15 && y > 0 && y < 45;
}

bool BuiltInHitTester::InButtonArea(int32_t x, int32_t y) const {
    return x > 200 && x <= 263 && y > 3 && y <= 40;
}

bool BuiltInHitTester::InFrameArea(int32_t x, int32_t y) const {
    return x > 4 && x <= 14 && y > 2;
}

void PanelPointer::Press(int32_t x, int32_t y) {
    pressX = x;
    pressY = y;
}

PointerMove PanelPointer::Move(int32_t x, int32_t y, bool leftOnly, PointerValues& values,
                               const PanelHitTester& panel) {
    PointerMove move;
    if (!leftOnly) return move;
    if (panel.InDragArea(pressX, pressY)) {
        // The window follows, so the press point stays under the cursor.
        move.moveWindow = true;
        move.dx = x - pressX;
        move.dy = y - pressY;
    }
    // The press point moves along with a bar drag, so a drag that leaves
    // the bar stops changing its value.
    switch (panel.PanelCode(pressX, pressY)) {
    case hit::kVolumeBar: {
        const int64_t volume = int64_t{values.Volume} + pressY - y;
        pressY = y;
        values.Volume = static_cast<int32_t>(std::clamp<int64_t>(volume, 0, 100));
        move.volumeDragged = true;
        break;
    }
    case hit::kSeekBar: {
        seekDragging = true;
        const int64_t position = int64_t{values.Position} + x - pressX;
        pressX = x;
        values.Position = static_cast<int32_t>(
            std::clamp<int64_t>(position, 0, std::max<int32_t>(values.Length, 0)));
        move.positionDragged = true;
        break;
    }
    }
    return move;
}

PointerRelease PanelPointer::Release(int32_t x, int32_t y, PointerButton button,
                                     const PointerValues& values, const PanelHitTester& panel) {
    PointerRelease release;
    if (seekDragging) {
        seekDragging = false;
        release.seek = true;
        release.seekPosition = values.Position;
        return release;
    }
    if (button == PointerButton::Right) {
        release.controlMenu = true;
        return release;
    }
    if (button != PointerButton::Left) return release;
    // Where the button was pressed does not matter.
    if (panel.InButtonArea(x, y)) {
        const int32_t code = panel.PanelCode(x, y);
        if (IsButtonAction(code)) release.buttonAction = code;
    }
    if (panel.InFrameArea(x, y)) {
        const int32_t code = panel.FrameCode(x, y);
        if (IsWindowAction(code)) release.windowAction = code;
    }
    return release;
}
