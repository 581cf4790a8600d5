// What the tray icon shows for a play state, and its tip cut to fit.
#pragma once

#include <cstdint>
#include <string>

// State codes of the tray icon: playing shows "MINI_PLAY", any other "MINI".
constexpr int32_t kTrayPlaying = 100;
constexpr int32_t kTrayStopped = 101;
constexpr int32_t kTrayPaused = 102;
constexpr int32_t kTrayNone = -1;

struct TrayLook {
    int32_t state;
    bool withTip; // the given tip; else the default one
};

// The transport's report: playing or resumed, paused (a title given), or
// stopped (none).
TrayLook TrayLookFor(bool playing, const std::string& title);
// The state code after the settings dialog's Apply, from the input's state.
int32_t TrayStateOfInput(int32_t inputState);
// At most 63 bytes, never ending in half a double-byte character.
std::string TrayTipOf(const std::string& text);
