// The main window's own values in the settings file, section
// "MainWindowParameter": volume, repeat mode and the window's position. The
// shuffle mode is not stored; it starts as normal (100) on every run.
#pragma once

#include <cstdint>
#include <string>

struct WindowParameter {
    int32_t Volume = 40;  // 0 to 100
    int32_t Repeat = 110; // 110 off, 111 whole list, 112 one track
    int32_t Left = 0;     // window position, pixels
    int32_t Top = 0;
};

// Reads the four values; a missing file, key or unreadable number gives the
// defaults, with the window's current position as the default position. A
// volume beyond 0-100 is pulled to the nearer end, an unknown repeat mode is
// 110, a position beyond the 16-bit window coordinates is pulled inside them.
WindowParameter LoadWindowParameter(const std::string& path, int32_t currentLeft,
                                    int32_t currentTop);

// A rectangle in screen pixels: left and top inside, right and bottom just
// outside.
struct ScreenRect {
    int32_t left, top, right, bottom;
};

// Where a window of `width` x `height` stored at (left, top) is placed at
// start: where it was, when it overlaps `workArea` (the work area of the
// monitor nearest to it); otherwise moved the shortest way until it lies
// inside that work area (its top-left corner first when it is too big).
void KeepOnWorkArea(WindowParameter& parameter, int32_t width, int32_t height,
                    const ScreenRect& workArea);

// Writes the four values into path, keeping every other entry; the file is
// replaced in one step. False, with the file unchanged, when it failed.
bool SaveWindowParameter(const std::string& path, const WindowParameter& parameter);
