// The borderless windows' own frame: a gradient title bar that drags the
// window and a close image at its right end. Platform-free: the window passes
// client coordinates in and carries the results out (BorderlessFrame.h does
// that for Win32 windows).
#pragma once

#include <cstdint>

struct FrameArea {
    int32_t left = 0, top = 0, width = 0, height = 0;
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

struct TitleFrameLayout {
    FrameArea titleBar;
    FrameArea closeImage;

    static constexpr int32_t kTitleBarHeight = 18;
    static constexpr int32_t kImageWidth = 16;
    static constexpr int32_t kImageHeight = 14;

    // A title bar `width` pixels wide at (left, top) with the close image two
    // pixels in from its right end and its top.
    static TitleFrameLayout AlongTitleBar(int32_t left, int32_t top, int32_t width);
};

// The two colours a title bar is drawn with: the given ones while its window
// is active, their brightest greys otherwise.
struct TitleColours {
    uint32_t left, right;
};
TitleColours TitleBarColours(uint32_t left, uint32_t right, bool active);

// An image that acts like a button: pressed by a left press inside it, it
// fires on a release inside it. The press and the release belong together
// (the window captures the mouse between them).
class PressableImage {
  public:
    explicit PressableImage(FrameArea area) : area(area) {}
    // True when the press landed on the image (which now shows pressed).
    bool Press(int32_t x, int32_t y);
    // True when the image was pressed and the release is inside it.
    bool Release(int32_t x, int32_t y);
    void Cancel() { pressed = false; }
    bool Pressed() const { return pressed; }
    const FrameArea& Area() const { return area; }

  private:
    FrameArea area;
    bool pressed = false;
};

struct FrameMove {
    bool moveWindow = false; // move the window by (dx, dy)
    int32_t dx = 0, dy = 0;
};

class TitleFrame {
  public:
    explicit TitleFrame(const TitleFrameLayout& layout)
        : layout(layout), close(layout.closeImage) {}

    // A left press; true when the frame took it (the window captures the
    // mouse until the release).
    bool Press(int32_t x, int32_t y);
    // The pointer moved with `leftHeld` telling whether the left button is
    // down; a drag of the title bar moves the window by the distance from
    // the press position.
    FrameMove Move(int32_t x, int32_t y, bool leftHeld);
    // A left release; true when it closes the window.
    bool Release(int32_t x, int32_t y);
    // The mouse was taken away between press and release.
    void Cancel();

    bool Captures() const { return dragging || close.Pressed(); }
    bool CloseImagePressed() const { return close.Pressed(); }
    const TitleFrameLayout& Layout() const { return layout; }

  private:
    TitleFrameLayout layout;
    PressableImage close;
    bool dragging = false;
    int32_t pressX = 0, pressY = 0;
};
