// The scrolling of a long title on the built-in panel: one pixel per tick
// to the left until the text's right end reaches x 221, a rest of ten ticks,
// back to the right until the offset is 2, a rest, and so on.
#pragma once

#include <cstdint>

class TitleScroll {
  public:
    // Where the title is drawn inside its line.
    int32_t Offset() const { return offset; }
    // After each drawing of the title (measuredWidth: its width in pixels):
    // whether the scroll timer must run. With scrolling off the offset
    // goes back to 1.
    bool AfterTitleDrawn(bool titleScrollOn, int32_t measuredWidth);
    // The timer's tick; true when the title must be redrawn.
    bool Tick();
    // The list was emptied.
    void ResetOffset() { offset = 1; }

  private:
    int32_t offset = 1;
    int32_t step = -1;
    int32_t pauseCount = 100;
    int32_t width = 0;
};
