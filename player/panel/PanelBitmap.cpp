#include "PanelBitmap.h"

namespace {

struct BitmapEntry {
    const char* name;
    BitmapSize size;
};

// In the order of PanelBitmap.
constexpr BitmapEntry kBitmaps[kPanelBitmapCount] = {
    {"INT_BAR", {15, 45}},
    {"EXIT2_UP", {9, 9}},
    {"MIN2_UP", {9, 9}},
    {"INT_TITLE_BK", {180, 14}},
    {"INT_ARTIST_BK", {180, 11}},
    {"SL_VOL_OFF", {11, 23}},
    {"SL_POS_OFF", {49, 11}},
    {"BT_PLAY_ON", {11, 11}},
    {"BT_PLAY_OFF", {11, 11}},
    {"BT_PAUSE_ON", {11, 11}},
    {"BT_PAUSE_OFF", {11, 11}},
    {"BT_STOP_ON", {11, 11}},
    {"BT_STOP_OFF", {11, 11}},
    {"BT_PREV_ON", {11, 11}},
    {"BT_PREV_OFF", {11, 11}},
    {"BT_NEXT_ON", {11, 11}},
    {"BT_NEXT_OFF", {11, 11}},
    {"BT_REP_ON", {11, 11}},
    {"BT_REP_OFF", {11, 11}},
    {"BT_SR_ON", {11, 11}},
    {"BT_SR_OFF", {11, 11}},
    {"BT_LIST_ON", {11, 11}},
    {"BT_LIST_OFF", {11, 11}},
    {"BT_OPEN_ON", {11, 11}},
    {"BT_OPEN_OFF", {11, 11}},
    {"BT_QUOREL_ON", {11, 11}},
    {"NUM_0", {6, 7}},
    {"NUM_1", {6, 7}},
    {"NUM_2", {6, 7}},
    {"NUM_3", {6, 7}},
    {"NUM_4", {7, 7}},
    {"NUM_5", {6, 7}},
    {"NUM_6", {6, 7}},
    {"NUM_7", {6, 7}},
    {"NUM_8", {6, 7}},
    {"NUM_9", {6, 7}},
    {"NUM_DOT", {3, 7}},
    {"NUM_DD", {3, 7}},
    {"NUM_SPA", {7, 7}},
    {"SIN_KHZ", {15, 7}},
    {"SIN_BIT", {24, 7}},
    {"SIN_SLA", {7, 7}},
    {"VOL", {27, 7}},
    {"SR_OFF", {36, 7}},
    {"SHUFFLE", {36, 7}},
    {"RANDOM", {36, 7}},
    {"REP_OFF", {50, 7}},
    {"REP_ALL", {50, 7}},
    {"REP_1", {50, 7}},
    {"VOL_BAR_ON", {5, 1}},
    {"VOL_BAR_OFF", {5, 1}},
    {"SEEK_BAR_ON", {1, 5}},
    {"SEEK_BAR_OFF", {1, 5}},
};

const BitmapEntry& Entry(PanelBitmap bitmap) {
    const int index = static_cast<int>(bitmap);
    return kBitmaps[index >= 0 && index < kPanelBitmapCount ? index : 0];
}

} // namespace

const char* PanelBitmapName(PanelBitmap bitmap) {
    return Entry(bitmap).name;
}

BitmapSize PanelBitmapSize(PanelBitmap bitmap) {
    return Entry(bitmap).size;
}

PanelBitmap GlyphBitmap(int32_t code) {
    if (code >= 0 && code <= 9)
        return static_cast<PanelBitmap>(static_cast<int>(PanelBitmap::Num0) + code);
    switch (code) {
    case glyph::kPoint:
        return PanelBitmap::NumDot;
    case glyph::kColon:
        return PanelBitmap::NumDd;
    case glyph::kKhzSign:
        return PanelBitmap::SinKhz;
    case glyph::kBitSign:
        return PanelBitmap::SinBit;
    case glyph::kSlash:
        return PanelBitmap::SinSla;
    case glyph::kBlank:
        return PanelBitmap::NumSpa;
    case 100:
        return PanelBitmap::SrOff;
    case 101:
        return PanelBitmap::Shuffle;
    case 102:
        return PanelBitmap::Random;
    case 110:
        return PanelBitmap::RepOff;
    case 111:
        return PanelBitmap::RepAll;
    case 112:
        return PanelBitmap::Rep1;
    case glyph::kVolumeLabel:
        return PanelBitmap::Vol;
    default:
        return PanelBitmap::Num0;
    }
}
