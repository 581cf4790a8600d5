// Carries out a panel draw list on a device context (Windows only). Every
// built-in bitmap is loaded from the module's resources, copied and freed at
// once; nothing is cached. A skin's blocks come from its loaded sheets.
#pragma once

#include <windows.h>

#include <array>
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

// A skin's sheets, by SkinSheet; owned by the skin.
using PanelSheets = std::array<HBITMAP, kSkinSheetCount>;

// Sheet steps are skipped without sheets.
PaintResult PaintPanel(HDC dc, HINSTANCE resources, const DrawList& list,
                       const PanelSheets* sheets = nullptr);
// Straight onto the window's client area, outside WM_PAINT.
PaintResult PaintPanelOnWindow(HWND window, HINSTANCE resources, const DrawList& list,
                               const PanelSheets* sheets = nullptr);
