#include "WindowPlacement.h"

namespace {

constexpr int32_t kControlColumnWidth = 88;
constexpr int32_t kMinimumGridWidth = 32;

bool StrictlyInside(int32_t value, int32_t low, int32_t high) {
    return value > low && value < high;
}

} // namespace

int32_t GridWidthFor(int32_t windowWidth) {
    if (windowWidth < kMinimumWidth) return kMinimumGridWidth;
    return windowWidth - kControlColumnWidth;
}

Box PlaceBeside(const Box& main, int32_t width, int32_t height, const Box& work) {
    Box placed{0, 0, width, height};
    if (main.bottom() + height <= work.bottom())
        placed.top = main.bottom();
    else if (main.top - height < work.top)
        placed.top = work.top;
    else
        placed.top = main.top - height;

    if (placed.top != work.top) {
        placed.left = main.left + width > work.right() ? work.right() - width : main.left;
    } else if (main.right() + width <= work.right()) {
        placed.left = main.right();
    } else {
        placed.left = main.left - width < work.left ? work.left : main.left - width;
    }
    return placed;
}

Box StretchToHeight(const Box& window, const Box& main, const Box& work) {
    Box stretched = window;
    if (StrictlyInside(main.left, window.left, window.right()) ||
        StrictlyInside(main.right(), window.left, window.right())) {
        if (main.top < window.top) {
            stretched.top = main.bottom();
            stretched.height = work.bottom() - main.bottom();
        } else {
            stretched.top = work.top;
            stretched.height = main.top - work.top;
        }
    } else {
        stretched.top = work.top;
        stretched.height = work.height;
    }
    return stretched;
}

Box StretchToWidth(const Box& window, const Box& main, const Box& work) {
    Box stretched = window;
    if (StrictlyInside(main.top, window.top, window.bottom()) ||
        StrictlyInside(main.bottom(), window.top, window.bottom())) {
        if (main.left < window.left) {
            stretched.left = main.right();
            stretched.width = work.right() - main.right();
        } else {
            stretched.left = work.left;
            stretched.width = main.left - work.left;
        }
    } else {
        stretched.left = work.left;
        stretched.width = work.width;
    }
    return stretched;
}

Box ResizedBy(const Box& window, int32_t dx, int32_t dy) {
    Box resized = window;
    resized.width = window.width + dx < kMinimumWidth ? kMinimumWidth : window.width + dx;
    resized.height = window.height + dy < kMinimumHeight ? kMinimumHeight : window.height + dy;
    return resized;
}
