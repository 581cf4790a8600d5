// Carries out a panel draw list on a device context (Windows only). Every
// bitmap is loaded from the module's resources, copied and freed at once;
// nothing is cached.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PanelDraw.h"

struct PaintResult {
    bool titleMeasured = false; // a title line with measureWidth was drawn
    int32_t titleWidth = 0;     // its text width in pixels
};

PaintResult PaintPanel(HDC dc, HINSTANCE resources, const DrawList& list);
// Straight onto the window's client area, outside WM_PAINT.
PaintResult PaintPanelOnWindow(HWND window, HINSTANCE resources, const DrawList& list);
