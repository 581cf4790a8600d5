#include "TitleScroll.h"

namespace {

constexpr int32_t kScrollFrom = 180;   // widths from here on run the timer
constexpr int32_t kVisibleWidth = 220; // the text moves when wider than this
constexpr int32_t kRestTicks = 10;

} // namespace

bool TitleScroll::AfterTitleDrawn(bool titleScrollOn, int32_t measuredWidth) {
    if (!titleScrollOn) {
        offset = 1;
        return false;
    }
    width = measuredWidth;
    return width >= kScrollFrom;
}

bool TitleScroll::Tick() {
    const int32_t overhang = width - kVisibleWidth;
    if (overhang <= 0) return false;
    if (pauseCount < kRestTicks) {
        ++pauseCount;
        return false;
    }
    offset += step;
    if (offset <= 1 - overhang || offset > 1) {
        pauseCount = 0;
        step = -step;
    }
    return true;
}
