// The bitmaps of the built-in panel: their resource names and sizes, and the
// glyph codes that the number drawing uses.
#pragma once

#include <cstdint>

enum class PanelBitmap {
    IntBar,
    Exit2Up,
    Min2Up,
    IntTitleBk,
    IntArtistBk,
    SlVolOff,
    SlPosOff,
    BtPlayOn,
    BtPlayOff,
    BtPauseOn,
    BtPauseOff,
    BtStopOn,
    BtStopOff,
    BtPrevOn,
    BtPrevOff,
    BtNextOn,
    BtNextOff,
    BtRepOn,
    BtRepOff,
    BtSrOn,
    BtSrOff,
    BtListOn,
    BtListOff,
    BtOpenOn,
    BtOpenOff,
    BtQuorelOn,
    Num0,
    Num1,
    Num2,
    Num3,
    Num4,
    Num5,
    Num6,
    Num7,
    Num8,
    Num9,
    NumDot,
    NumDd,
    NumSpa,
    SinKhz,
    SinBit,
    SinSla,
    Vol,
    SrOff,
    Shuffle,
    Random,
    RepOff,
    RepAll,
    Rep1,
    VolBarOn,
    VolBarOff,
    SeekBarOn,
    SeekBarOff,
};

constexpr int kPanelBitmapCount = static_cast<int>(PanelBitmap::SeekBarOff) + 1;

struct BitmapSize {
    int32_t width;
    int32_t height;
};

// The resource name, as in the program's resource script.
const char* PanelBitmapName(PanelBitmap bitmap);
BitmapSize PanelBitmapSize(PanelBitmap bitmap);

// Glyph codes: 0-9 digits, 10 point, 11 colon, 12 kHz sign, 13 kbit/s sign,
// 14 slash, 15 blank digit, 100-102 shuffle modes, 110-112 repeat modes,
// 200 the volume label; any other code is the digit 0.
PanelBitmap GlyphBitmap(int32_t code);

namespace glyph {
constexpr int32_t kPoint = 10;
constexpr int32_t kColon = 11;
constexpr int32_t kKhzSign = 12;
constexpr int32_t kBitSign = 13;
constexpr int32_t kSlash = 14;
constexpr int32_t kBlank = 15;
constexpr int32_t kVolumeLabel = 200;
} // namespace glyph
