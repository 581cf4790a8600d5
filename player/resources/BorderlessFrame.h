// The frame every borderless secondary window draws for itself: the gradient
// title bar (active colours, greys while inactive), dragging the window by
// it, and the close image "EXIT_UP"/"EXIT_DOWN" with the hint "閉じる".
//
// The window owns one BorderlessFrame, calls Attach once it exists, forwards
// its messages to HandleMessage and paints it from WM_PAINT. A release on the
// close image posts WM_CLOSE to the window, which closes in its own way.
#pragma once

#include <windows.h>

#include <cstdint>

#include "TitleFrame.h"

class BorderlessFrame {
  public:
    explicit BorderlessFrame(const TitleFrameLayout& layout) : frame(layout) {}
    BorderlessFrame(const BorderlessFrame&) = delete;
    BorderlessFrame& operator=(const BorderlessFrame&) = delete;

    // Binds the frame to its window and gives the close image its hint.
    void Attach(HWND owner);

    // The colours of the active title bar (0x00BBGGRR); redraws it.
    void SetColours(uint32_t left, uint32_t right);
    // Draws the title bar active or inactive from the same colours.
    void SetActive(bool active);
    bool Active() const { return active; }

    // Mouse and activation messages. True when the message was the frame's
    // and the window should return 0 for it; WM_ACTIVATE is only observed.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The title bar and the close image, for the window's WM_PAINT.
    void Paint(HDC dc) const;

    const TitleFrameLayout& Layout() const { return frame.Layout(); }

  private:
    void Redraw(const FrameArea& area) const;

    TitleFrame frame;
    HWND window = nullptr;
    uint32_t leftColour = 0x730E09;
    uint32_t rightColour = 0xFFFFFF;
    bool active = true;
};

// The raised two-pixel edge round a form's client area.
void PaintPanelBevel(HWND window, HDC dc);

// Draws the gradient of `left` to `right` (0x00BBGGRR) into `area`.
void PaintGradient(HDC dc, const FrameArea& area, uint32_t left, uint32_t right);
