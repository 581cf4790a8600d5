#include "SkinTitleScroll.h"

#include <algorithm>
#include <cstdlib>

bool SkinTitleScroll::AfterTitleDrawn(int32_t measuredWidth, int32_t width) {
    textWidth = measuredWidth;
    areaWidth = width;
    if (textWidth < areaWidth) {
        offset = 0;
        return false;
    }
    return true;
}

void SkinTitleScroll::Tick() {
    // The turn comes once the offset exceeds the overhang. The area's width
    // comes from the description, so the overhang is bounded to keep the
    // offset (at most one step past it) inside int32.
    const int64_t overhang =
        std::min<int64_t>(std::llabs(int64_t{textWidth} - areaWidth), INT32_MAX - kStep);
    if (overhang < std::llabs(int64_t{offset})) step = -step;
    if (offset <= 0) step = kStep;
    offset += step;
}
