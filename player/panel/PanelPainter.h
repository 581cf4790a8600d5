// Carries out a panel draw list on a device context (Windows only). Every
// bitmap is loaded from the module's resources, copied and freed at once;
// nothing is cached.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PanelDraw.h"

// After a list that drew the title (titleDrawn), the caller hands
// titleWidth to TitleScroll::AfterTitleDrawn, which says whether the scroll
// timer runs.
struct PaintResult {
    bool titleDrawn = false;    // the list drew the title line
    bool titleMeasured = false; // ... and measured its width
    int32_t titleWidth = 0;     // in pixels
};

PaintResult PaintPanel(HDC dc, HINSTANCE resources, const DrawList& list);
// Straight onto the window's client area, outside WM_PAINT.
PaintResult PaintPanelOnWindow(HWND window, HINSTANCE resources, const DrawList& list);
