#include "MpegInfo.h"

namespace {

// The header's layer code counts down: 1 is Layer III, 3 is Layer I.
int LayerNumber(int32_t code) {
    return code >= 1 && code <= 3 ? 4 - code : 0;
}

const char* ModeText(int32_t mode, int32_t extension) {
    switch (mode) {
    case 0:
        return "stereo";
    case 1:
        return extension != 0 ? "MS stereo" : "join stereo";
    case 2:
        return "dual channel";
    case 3:
        return "mono";
    }
    return "?";
}

// 1 is 50/15 microseconds, 3 CCITT J.17; 2 is reserved.
const char* EmphasisText(int32_t emphasis) {
    switch (emphasis) {
    case 0:
        return "No";
    case 1:
    case 3:
        return "Yes";
    }
    return "?";
}

const char* YesNo(int32_t bit) {
    return bit != 0 ? "Yes" : "No";
}

} // namespace

std::string MpegInfoText(const InputFileInfo& info) {
    std::string text = "--- MPEG Info ---\nMPEG-";
    text += info.mpegVersion != 0 ? "1" : "2";
    text += " layer  " + std::to_string(LayerNumber(info.layer));
    text += std::string("\nmode  ") + ModeText(info.mode, info.modeExtension);
    text += std::string("\ncopyright  ") + YesNo(info.copyright);
    text += std::string("\noriginal  ") + YesNo(info.original);
    text += std::string("\nemphasis  ") + EmphasisText(info.emphasis);
    return text;
}
