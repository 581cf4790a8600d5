// The panel's mouse gestures: presses, drags of the window, the volume bar
// and the seek bar, and the action a release asks for. Platform-free: the
// main window passes client coordinates in and carries the results out.
#pragma once

#include <cstdint>

// Where things are on the panel in use (built-in or a skin). Points are in
// client coordinates.
class PanelHitTester {
  public:
    virtual ~PanelHitTester() = default;
    virtual int32_t PanelCode(int32_t x, int32_t y) const = 0;
    virtual int32_t FrameCode(int32_t x, int32_t y) const = 0;
    // Pressing here and moving drags the window.
    virtual bool InDragArea(int32_t x, int32_t y) const = 0;
    // A left release here runs the panel's (buttons) or the frame's code.
    virtual bool InButtonArea(int32_t x, int32_t y) const = 0;
    virtual bool InFrameArea(int32_t x, int32_t y) const = 0;
};

class BuiltInHitTester : public PanelHitTester {
  public:
    explicit BuiltInHitTester(bool exchangeButton) : exchangeButton(exchangeButton) {}
    int32_t PanelCode(int32_t x, int32_t y) const override;
    int32_t FrameCode(int32_t x, int32_t y) const override;
    bool InDragArea(int32_t x, int32_t y) const override;
    bool InButtonArea(int32_t x, int32_t y) const override;
    bool InFrameArea(int32_t x, int32_t y) const override;

  private:
    bool exchangeButton;
};

// The main window's values that the drags change.
struct PointerValues {
    int32_t Volume;   // 0 to 100
    int32_t Position; // seconds
    int32_t Length;   // seconds
};

struct PointerMove {
    bool moveWindow = false; // move the window by (dx, dy)
    int32_t dx = 0, dy = 0;
    bool volumeDragged = false;   // redraw the volume, apply it
    bool positionDragged = false; // redraw the elapsed time and seek bar
};

enum class PointerButton { Left, Right, Middle };

struct PointerRelease {
    bool seek = false; // seek the input to seekPosition; nothing else happens
    int32_t seekPosition = 0;
    int32_t buttonAction = -1; // a button action code, or -1
    int32_t windowAction = -1; // 20 close, 21 minimise, or -1
    bool controlMenu = false;  // pop up the control menu at the release point
};

class PanelPointer {
  public:
    // Any button.
    void Press(int32_t x, int32_t y);
    // leftOnly: exactly the left button is held and no modifier key is down.
    PointerMove Move(int32_t x, int32_t y, bool leftOnly, PointerValues& values,
                     const PanelHitTester& panel);
    PointerRelease Release(int32_t x, int32_t y, PointerButton button, const PointerValues& values,
                           const PanelHitTester& panel);
    // While true, position notices must not move the displayed position.
    bool SeekDragging() const { return seekDragging; }

  private:
    int32_t pressX = 0;
    int32_t pressY = 0;
    bool seekDragging = false;
};
