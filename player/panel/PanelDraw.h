// One drawing step of the panel, as data: the Windows painter carries out a
// list of them in order, and the tests read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PanelBitmap.h"

// A GDI font request; the face name is byte text (ANSI code page).
struct PanelFont {
    const char* face;
    int32_t height; // negative: character height in pixels
    int32_t weight; // 0: the default weight
    uint8_t charset;
    uint8_t quality;
};

// Text drawn into a copy of a line's background, which then goes to the panel.
struct TextLine {
    std::string text;
    PanelFont font;
    uint32_t colour;   // 0x00BBGGRR
    int32_t x, y;      // inside the background
    bool isTitle;      // the title line, which the scroll follows
    bool measureWidth; // report the text's width (the title, while scrolling is on)
};

enum class DrawKind {
    Bitmap,   // copy `bitmap` to (x, y)
    Polyline, // a line from (x, y) through the next pointCount - 1 points, in `colour`
    Text,     // `bitmap` is the line's background, placed at (x, y); `line` goes on it
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
};

using DrawList = std::vector<DrawOp>;
