// The scrolling of a long title on a skin: two pixels per tick to the left
// until the text's end has passed the end of its area, then back to the
// start, and so on. Only titles at least as wide as their area scroll.
#pragma once

#include <cstdint>

class SkinTitleScroll {
  public:
    // How far the title is moved to the left, in pixels.
    int32_t Offset() const { return offset; }
    // After each drawing of the title: whether the scroll timer must run. A
    // title narrower than its area goes back to the start.
    bool AfterTitleDrawn(int32_t textWidth, int32_t areaWidth);
    // The timer's tick; the title is then redrawn.
    void Tick();
    // A track starts: the title starts again from its left end.
    void Restart() { offset = 0; }

    static constexpr int32_t kStep = 2;

  private:
    int32_t offset = 0;
    int32_t step = kStep;
    int32_t textWidth = 100;
    int32_t areaWidth = 100;
};
