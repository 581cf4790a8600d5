#include "Keldrin.h"

#include <cstring>

namespace {
constexpr char kVersion[] = "0.1.0";
static_assert(sizeof kVersion <= 8, "the version fits the host's 8-byte buffer");
} // namespace

// The Windows mixer is not wrapped yet: the plug-in reports no devices.
int32_t Keldrin::MixerGetDeviceCount() {
    return 0;
}
bool Keldrin::MixerGetDeviceName(int32_t, char*) {
    return false;
}
int32_t Keldrin::MixerOpen(WindowHandle, int32_t) {
    return 0;
}
int32_t Keldrin::MixerClose() {
    return 0;
}
int32_t Keldrin::MixerReserved4() {
    return 0;
}
int32_t Keldrin::MixerReserved5() {
    return 0;
}
int32_t Keldrin::MixerReserved6() {
    return 0;
}
int32_t Keldrin::MixerReserved7() {
    return 0;
}
int32_t Keldrin::MixerReserved8() {
    return 0;
}
int32_t Keldrin::MixerReserved9() {
    return 0;
}
FaderInfo* Keldrin::MixerGetControl(uint32_t) {
    return nullptr;
}
uint32_t Keldrin::MixerFindVolumeControl(const char*) {
    return 0;
}
int32_t Keldrin::MixerSetControlValue(uint32_t, int32_t, uint32_t) {
    return 0;
}
uint32_t Keldrin::MixerGetControlValue(const FaderInfo*, int32_t) {
    return 0;
}
int32_t Keldrin::MixerGetLine(WindowHandle, int32_t, int32_t, char*) {
    return kMixerLineEnd;
}

int32_t Keldrin::MixerGetVersion(char* buffer8) {
    std::memcpy(buffer8, kVersion, sizeof kVersion);
    return 1;
}
