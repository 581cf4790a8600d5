#include "PanelPainter.h"

#include <algorithm>
#include <climits>

namespace {

// A resource bitmap selected into a memory context compatible with `dc`.
class BitmapCanvas {
  public:
    BitmapCanvas(HDC dc, HINSTANCE resources, PanelBitmap which)
        : bitmap(LoadBitmapA(resources, PanelBitmapName(which))),
          memory(bitmap ? CreateCompatibleDC(dc) : nullptr) {
        if (!memory) return;
        previous = SelectObject(memory, bitmap);
        BITMAP info;
        if (GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
            width = info.bmWidth;
            height = info.bmHeight;
        }
    }
    ~BitmapCanvas() {
        if (memory) {
            SelectObject(memory, previous);
            DeleteDC(memory);
        }
        if (bitmap) DeleteObject(bitmap);
    }
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;

    bool ready() const { return memory && width > 0 && height > 0; }
    HDC dc() const { return memory; }
    void CopyTo(HDC target, int32_t x, int32_t y) const {
        BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
    }

  private:
    HBITMAP bitmap;
    HDC memory;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;
};

void DrawBitmap(HDC dc, HINSTANCE resources, const DrawOp& op) {
    const BitmapCanvas canvas(dc, resources, op.bitmap);
    if (canvas.ready()) canvas.CopyTo(dc, op.x, op.y);
}

void DrawPolyline(HDC dc, const DrawOp& op) {
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(op.colour));
    if (!pen) return;
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, op.x, op.y, nullptr);
    if (op.pointCount >= 2) LineTo(dc, op.x2, op.y2);
    if (op.pointCount >= 3) LineTo(dc, op.x3, op.y3);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// The text goes onto a copy of the line's background, which then replaces
// the line on the panel in one copy.
void DrawTextLine(HDC dc, HINSTANCE resources, const DrawOp& op, PaintResult& result) {
    const BitmapCanvas canvas(dc, resources, op.bitmap);
    if (!canvas.ready()) return;
    const TextLine& line = op.line;
    HFONT font = CreateFontA(line.font.height, 0, 0, 0, line.font.weight, FALSE, FALSE, FALSE,
                             line.font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             line.font.quality, DEFAULT_PITCH | FF_DONTCARE, line.font.face);
    HGDIOBJ previous = font ? SelectObject(canvas.dc(), font) : nullptr;
    SetTextColor(canvas.dc(), static_cast<COLORREF>(line.colour));
    SetBkColor(canvas.dc(), RGB(0, 0, 0));
    SetBkMode(canvas.dc(), OPAQUE);
    const int length = static_cast<int>(std::min<size_t>(line.text.size(), INT_MAX));
    TextOutA(canvas.dc(), line.x, line.y, line.text.data(), length);
    if (line.isTitle) result.titleDrawn = true;
    if (line.measureWidth) {
        SIZE extent;
        if (GetTextExtentPoint32A(canvas.dc(), line.text.data(), length, &extent)) {
            result.titleMeasured = true;
            result.titleWidth = extent.cx;
        }
    }
    if (font) {
        SelectObject(canvas.dc(), previous);
        DeleteObject(font);
    }
    canvas.CopyTo(dc, op.x, op.y);
}

} // namespace

PaintResult PaintPanel(HDC dc, HINSTANCE resources, const DrawList& list) {
    PaintResult result;
    for (const DrawOp& op : list) {
        switch (op.kind) {
        case DrawKind::Bitmap:
            DrawBitmap(dc, resources, op);
            break;
        case DrawKind::Polyline:
            DrawPolyline(dc, op);
            break;
        case DrawKind::Text:
            DrawTextLine(dc, resources, op, result);
            break;
        }
    }
    return result;
}

PaintResult PaintPanelOnWindow(HWND window, HINSTANCE resources, const DrawList& list) {
    HDC dc = GetDC(window);
    if (!dc) return {};
    const PaintResult result = PaintPanel(dc, resources, list);
    ReleaseDC(window, dc);
    return result;
}
