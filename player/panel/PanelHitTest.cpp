#include "PanelHitTest.h"

namespace {

bool Within(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

} // namespace

int32_t HitTestPanel(int32_t a, int32_t b, bool exchangeButton) {
    if (a <= 49 && b <= 10) {
        if (Within(a, 0, 10)) return 2;
        if (Within(a, 13, 23)) return 1;
        if (Within(a, 26, 36)) return 0;
        if (Within(a, 39, 49)) return 3;
        return hit::kNothing;
    }
    if (a <= 49 && Within(b, 13, 23)) {
        if (Within(a, 0, 10)) return exchangeButton ? 5 : 4;
        if (Within(a, 13, 23)) return exchangeButton ? 4 : 5;
        if (Within(a, 26, 36)) return 6;
        if (Within(a, 39, 49)) return 7;
    }
    if (Within(a, 52, 62) && b <= 25) return hit::kVolumeBar;
    if (Within(a, 0, 48) && Within(b, 26, 36)) return hit::kSeekBar;
    if (a >= 52 && b >= 26) return 8;
    return b <= 9 ? hit::kClose : hit::kNothing;
}

int32_t HitTestFrame(int32_t /*a*/, int32_t b) {
    if (b <= 9) return hit::kClose;
    if (b <= 18) return hit::kMinimise;
    return hit::kNothing;
}

int32_t SkinPanelCode(int32_t skinCode) {
    if (Within(skinCode, 0, 8) || skinCode == hit::kVolumeBar || skinCode == hit::kSeekBar)
        return skinCode;
    switch (skinCode) {
    case 9:
        return 10;
    case 10:
        return hit::kClose;
    case 11:
        return hit::kMinimise;
    default:
        return hit::kNothing;
    }
}

int32_t SkinFrameCode(int32_t skinCode) {
    switch (skinCode) {
    case 10:
        return hit::kClose;
    case 11:
        return hit::kMinimise;
    case 12:
        return hit::kWindowDrag;
    default:
        return hit::kNothing;
    }
}
