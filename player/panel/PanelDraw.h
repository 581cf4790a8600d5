// One drawing step of the panel, as data: the Windows painter carries out a
// list of them in order, and the tests read them. Steps come from the
// built-in bitmaps or from the sheets of a skin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PanelBitmap.h"

// A GDI font request; the face name is byte text (ANSI code page).
struct PanelFont {
    std::string face;
    int32_t height; // negative: character height in pixels
    int32_t weight; // 0: the default weight
    uint8_t charset;
    uint8_t quality;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

// Text drawn into a copy of a line's background, which then goes to the panel.
struct TextLine {
    std::string text;
    PanelFont font;
    uint32_t colour;          // 0x00BBGGRR
    int32_t x, y;             // inside the background
    bool isTitle;             // the title line, which the scroll follows
    bool measureWidth;        // report the text's width (the title, while scrolling is on)
    bool transparent = false; // else on black
};

// The bitmap sheets of a skin; the scratch is a second copy of the main
// sheet that the text lines are drawn on.
enum class SkinSheet { Main, MainScratch, Button, Sys, Seek, Vol, Char };
constexpr int kSkinSheetCount = static_cast<int>(SkinSheet::Char) + 1;

// A w x h block at (x, y) of a sheet.
struct SheetBlock {
    SkinSheet sheet = SkinSheet::Main;
    int32_t x = 0, y = 0, w = 0, h = 0;
};

enum class DrawKind {
    Bitmap,    // copy `bitmap` to (x, y)
    Polyline,  // a line from (x, y) through the next pointCount - 1 points, in `colour`
    Text,      // `bitmap` is the line's background, placed at (x, y); `line` goes on it
    Sheet,     // copy `block` to (x, y)
    SheetText, // `line` goes on `block` of the main sheet, at the block's own
               // coordinates, on the scratch; the block then goes to (x, y)
};

struct DrawOp {
    DrawKind kind = DrawKind::Bitmap;
    PanelBitmap bitmap = PanelBitmap::Num0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t pointCount = 0;
    int32_t x2 = 0, y2 = 0, x3 = 0, y3 = 0;
    uint32_t colour = 0;
    TextLine line = {};
    SheetBlock block = {};
};

using DrawList = std::vector<DrawOp>;
