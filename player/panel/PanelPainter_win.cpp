#include "PanelPainter.h"

#include <algorithm>
#include <climits>

namespace {

// A bitmap selected into a memory context compatible with `dc`; the bitmap
// is not owned.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC dc, HBITMAP bitmap) : memory(bitmap ? CreateCompatibleDC(dc) : nullptr) {
        if (memory) previous = SelectObject(memory, bitmap);
    }
    ~MemoryCanvas() {
        if (!memory) return;
        if (previous) SelectObject(memory, previous);
        DeleteDC(memory);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool ready() const { return memory && previous; }
    HDC dc() const { return memory; }

  private:
    HDC memory;
    HGDIOBJ previous = nullptr;
};

// A resource bitmap, loaded for one drawing and deleted after it.
class ResourceBitmap {
  public:
    ResourceBitmap(HINSTANCE resources, PanelBitmap which)
        : bitmap(LoadBitmapA(resources, PanelBitmapName(which))) {
        BITMAP info;
        if (bitmap && GetObjectA(bitmap, sizeof info, &info) == sizeof info) {
            width = info.bmWidth;
            height = info.bmHeight;
        }
    }
    ~ResourceBitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
    ResourceBitmap(const ResourceBitmap&) = delete;
    ResourceBitmap& operator=(const ResourceBitmap&) = delete;

    HBITMAP handle() const { return bitmap; }
    int width = 0;
    int height = 0;

  private:
    HBITMAP bitmap;
};

// Declared in this order, the canvas lets go of the bitmap before it is deleted.
struct ResourceCanvas {
    ResourceCanvas(HDC dc, HINSTANCE resources, PanelBitmap which)
        : bitmap(resources, which), canvas(dc, bitmap.handle()) {}
    bool ready() const { return canvas.ready() && bitmap.width > 0 && bitmap.height > 0; }
    void CopyTo(HDC target, int32_t x, int32_t y) const {
        BitBlt(target, x, y, bitmap.width, bitmap.height, canvas.dc(), 0, 0, SRCCOPY);
    }
    ResourceBitmap bitmap;
    MemoryCanvas canvas;
};

void DrawBitmap(HDC dc, HINSTANCE resources, const DrawOp& op) {
    const ResourceCanvas canvas(dc, resources, op.bitmap);
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

// The line's text on `canvas`, measured when asked.
void DrawLine(HDC canvas, const TextLine& line, PaintResult& result) {
    const PanelFont& font = line.font;
    HFONT handle =
        CreateFontA(font.height, 0, 0, 0, font.weight, font.italic, font.underline, font.strikeout,
                    font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, font.quality,
                    DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
    HGDIOBJ previous = handle ? SelectObject(canvas, handle) : nullptr;
    SetTextColor(canvas, static_cast<COLORREF>(line.colour));
    SetBkColor(canvas, RGB(0, 0, 0));
    SetBkMode(canvas, line.transparent ? TRANSPARENT : OPAQUE);
    const int length = static_cast<int>(std::min<size_t>(line.text.size(), INT_MAX));
    TextOutA(canvas, line.x, line.y, line.text.data(), length);
    if (line.isTitle) result.titleDrawn = true;
    if (line.measureWidth) {
        SIZE extent;
        if (GetTextExtentPoint32A(canvas, line.text.data(), length, &extent)) {
            result.titleMeasured = true;
            result.titleWidth = extent.cx;
        }
    }
    if (handle) {
        SelectObject(canvas, previous);
        DeleteObject(handle);
    }
}

// The text goes onto a copy of the line's background, which then replaces
// the line on the panel in one copy.
void DrawTextLine(HDC dc, HINSTANCE resources, const DrawOp& op, PaintResult& result) {
    const ResourceCanvas canvas(dc, resources, op.bitmap);
    if (!canvas.ready()) return;
    DrawLine(canvas.canvas.dc(), op.line, result);
    canvas.CopyTo(dc, op.x, op.y);
}

HBITMAP SheetOf(const PanelSheets& sheets, SkinSheet sheet) {
    return sheets[static_cast<size_t>(sheet)];
}

bool HasArea(const SheetBlock& block) {
    return block.w > 0 && block.h > 0;
}

void DrawSheetBlock(HDC dc, const PanelSheets& sheets, const DrawOp& op) {
    const SheetBlock& block = op.block;
    if (!HasArea(block)) return;
    const MemoryCanvas sheet(dc, SheetOf(sheets, block.sheet));
    if (sheet.ready())
        BitBlt(dc, op.x, op.y, block.w, block.h, sheet.dc(), block.x, block.y, SRCCOPY);
}

// The block is restored on the scratch from the main sheet, written on, and
// copied out; the rest of the scratch is never shown.
void DrawSheetText(HDC dc, const PanelSheets& sheets, const DrawOp& op, PaintResult& result) {
    const SheetBlock& block = op.block;
    const MemoryCanvas scratch(dc, SheetOf(sheets, SkinSheet::MainScratch));
    const MemoryCanvas main(dc, SheetOf(sheets, SkinSheet::Main));
    if (!scratch.ready() || !main.ready()) return;
    if (HasArea(block))
        BitBlt(scratch.dc(), block.x, block.y, block.w, block.h, main.dc(), block.x, block.y,
               SRCCOPY);
    DrawLine(scratch.dc(), op.line, result);
    if (HasArea(block))
        BitBlt(dc, op.x, op.y, block.w, block.h, scratch.dc(), block.x, block.y, SRCCOPY);
}

} // namespace

PaintResult PaintPanel(HDC dc, HINSTANCE resources, const DrawList& list,
                       const PanelSheets* sheets) {
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
        case DrawKind::Sheet:
            if (sheets) DrawSheetBlock(dc, *sheets, op);
            break;
        case DrawKind::SheetText:
            if (sheets) DrawSheetText(dc, *sheets, op, result);
            break;
        }
    }
    return result;
}

PaintResult PaintPanelOnWindow(HWND window, HINSTANCE resources, const DrawList& list,
                               const PanelSheets* sheets) {
    HDC dc = GetDC(window);
    if (!dc) return {};
    const PaintResult result = PaintPanel(dc, resources, list, sheets);
    ReleaseDC(window, dc);
    return result;
}
