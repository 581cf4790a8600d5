#include "Varnoth.h"

#include <cstring>

namespace {
constexpr char kVersion[] = "0.1.0";
static_assert(sizeof kVersion <= 8, "the version fits the host's 8-byte buffer");
} // namespace

// The sinks (wave device, DirectSound, disk writer) are not built yet: every
// stream is refused, so the input plug-in never starts playing.
int32_t Varnoth::OutputOpen(int32_t, const PcmFormat*) {
    return 0;
}
int32_t Varnoth::OutputClose() {
    return 0;
}
int32_t Varnoth::OutputWrite(const void*, int32_t) {
    return 0;
}
int32_t Varnoth::OutputReset() {
    return 0;
}
int32_t Varnoth::OutputPause() {
    return 0;
}
int32_t Varnoth::OutputResume() {
    return 0;
}
int32_t Varnoth::OutputSetVolume(int32_t, int32_t) {
    return 0;
}
int32_t Varnoth::OutputReserved8() {
    return 0;
}
int32_t Varnoth::OutputReserved9() {
    return 0;
}
int32_t Varnoth::OutputInitDirectSound(WindowHandle) {
    return 0;
}
int32_t Varnoth::OutputRelease() {
    return 1;
}

int32_t Varnoth::OutputGetVersion(char* buffer8) {
    std::memcpy(buffer8, kVersion, sizeof kVersion);
    return 1;
}
