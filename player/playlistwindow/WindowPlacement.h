// Where the play list window goes beside the main window, how it stretches
// to the screen's height or width, and how the frame drag sizes it. All
// within a work area (the main window's monitor, without the task bar).
#pragma once

#include <cstdint>

struct Box {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t right() const { return left + width; }
    int32_t bottom() const { return top + height; }
};

// The window's smallest size by the frame drag.
constexpr int32_t kMinimumWidth = 120;
constexpr int32_t kMinimumHeight = 230;

// The grid takes the window's width but for the column of controls.
int32_t GridWidthFor(int32_t windowWidth);

// Below the main window when it fits, else above it, else at the top of the
// work area beside it.
Box PlaceBeside(const Box& main, int32_t width, int32_t height, const Box& work);

// The window's height (or width) filled: beside the main window when the
// main window overlaps its span, else the whole work area's.
Box StretchToHeight(const Box& window, const Box& main, const Box& work);
Box StretchToWidth(const Box& window, const Box& main, const Box& work);

// The window after the frame was dragged by (dx, dy): never below the
// smallest size.
Box ResizedBy(const Box& window, int32_t dx, int32_t dy);
