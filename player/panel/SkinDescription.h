// A skin's description file, "quorel_skin.ini": where every panel element is
// taken from in its sheet and where it goes in the window, the two fonts,
// and the window's shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class IniDocument;

// A w x h block at (x, y) of its sheet, drawn at (wx, wy) of the window.
struct SkinElement {
    int32_t wx = 0, wy = 0;
    int32_t x = 0, y = 0;
    int32_t w = 0, h = 0;
};

struct SkinFont {
    std::string face;    // byte text, at most 31 bytes
    uint32_t colour = 0; // 0x00BBGGRR
    int32_t height = 0;  // as passed to the font
    int32_t weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

namespace skin {
// The button pairs; a pair's index is the button's hit code.
enum Button { kPlay, kStop, kPrevious, kNext, kRepeat, kShuffle, kList, kOpen, kLogo, kPause };
constexpr int kButtonCount = kPause + 1;
constexpr int kSeekImages = 25;
constexpr int kVolumeImages = 12;
// Glyphs 0-9 are the digits.
constexpr int32_t kGlyphPoint = 10;
constexpr int32_t kGlyphColon = 11;
constexpr int32_t kGlyphBlank = 12;
constexpr int32_t kGlyphVolumeLabel = 13;
constexpr int32_t kGlyphVolume100 = 14;
constexpr int kGlyphCount = 15;
// Where each kind of number starts (only wx and wy count).
enum NumberPosition { kSampleRate, kBitRate, kElapsedTime, kTotalTime, kVolume, kVolume100 };
constexpr int kNumberPositionCount = kVolume100 + 1;
// A description is a few kilobytes; a larger file is not read (looking up
// its keys would take long).
constexpr size_t kMaxDescriptionBytes = 64 * 1024;
// A window larger than this on either side is not a panel.
constexpr int32_t kMaxBackgroundSide = 4096;
constexpr size_t kMaxFaceBytes = 31;
} // namespace skin

struct SkinDescription {
    bool upon = true;                      // play and pause share one place
    SkinFont fonts[2];                     // the title's, the artist line's
    SkinElement background, title, artist; // main sheet
    bool shaped = false;                   // cut the window's shape from the main sheet
    int32_t mask = 0;                      // the colour cut away, red * 65536 + green * 256 + blue
    SkinElement buttonDark[skin::kButtonCount]; // button sheet
    SkinElement buttonLit[skin::kButtonCount];
    SkinElement close, minimise, frame;      // sys sheet; frame is drawn, all three are hit areas
    SkinElement seek[skin::kSeekImages];     // seek sheet
    SkinElement volume[skin::kVolumeImages]; // vol sheet
    SkinElement shuffleIndicator[3];         // char sheet: off, shuffle, random
    SkinElement repeatIndicator[3];          // char sheet: off, all, one
    SkinElement glyphs[skin::kGlyphCount];   // char sheet
    SkinElement numberPositions[skin::kNumberPositionCount];
};

// Reads every section, a missing key giving its default; nothing when the
// skin switches itself off ([skin_info] off not 0).
std::optional<SkinDescription> ReadSkinDescription(const IniDocument& ini);

// The background sizes the window: it must be a block of 1 to 4096 pixels a
// side inside the main sheet.
bool BackgroundFitsSheet(const SkinElement& background, int32_t sheetWidth, int32_t sheetHeight);
