// Hit tests of the built-in panel, and the translation of a skin's hit codes.
#pragma once

#include <cstdint>

namespace hit {
// Besides the button action codes 0-8 and 10.
constexpr int32_t kNothing = -1;
constexpr int32_t kClose = 20;
constexpr int32_t kMinimise = 21;
constexpr int32_t kWindowDrag = 22;
constexpr int32_t kVolumeBar = 100;
constexpr int32_t kSeekBar = 110;
} // namespace hit

// a = x - 201, b = y - 4: buttons, volume bar, seek bar, logo.
int32_t HitTestPanel(int32_t a, int32_t b, bool exchangeButton);
// a = x - 5, b = y - 3: the close and minimise marks.
int32_t HitTestFrame(int32_t a, int32_t b);

// A skin's hit code as a panel code: 0-8, 100 and 110 unchanged, the pause
// button 9 as 10, 10 and 11 as close and minimise, anything else nothing.
int32_t SkinPanelCode(int32_t skinCode);
// A skin's hit code as a frame code: 10 close, 11 minimise, 12 window drag.
int32_t SkinFrameCode(int32_t skinCode);
