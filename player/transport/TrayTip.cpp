#include "TrayTip.h"

#include "Cp932.h"

TrayLook TrayLookFor(bool playing, const std::string& title) {
    if (playing) return {kTrayPlaying, true};
    if (!title.empty()) return {kTrayNone, true};
    return {kTrayStopped, false};
}

int32_t TrayStateOfInput(int32_t inputState) {
    switch (inputState) {
    case 0:
        return kTrayStopped;
    case 1:
        return kTrayPlaying;
    case 2:
        return kTrayPaused;
    }
    return 255;
}

std::string TrayTipOf(const std::string& text) {
    constexpr size_t kMaxTipBytes = 63;
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + CharLength932(text, end);
        if (next > kMaxTipBytes) break;
        end = next;
    }
    return text.substr(0, end);
}
