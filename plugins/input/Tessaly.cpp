#include "Tessaly.h"

#include <cstring>

#include "DecodeOptionRequest.h"

namespace {
constexpr char kVersion[] = "2.1.0";
}

Tessaly::Tessaly() : decodeOptions(kDefaultDecodeOptions) {
    SetDecodeOptions(0, 0, 24000);
}

int32_t Tessaly::SetOutput(OutputPlugin* newOutput) {
    if (state != kInputStopped) return 0;
    output = newOutput;
    return 1;
}

int32_t Tessaly::SetCallback(InputCallback newCallback, uintptr_t newUserData) {
    if (state != kInputStopped) return 0;
    callback = newCallback;
    userData = newUserData;
    return 1;
}

int32_t Tessaly::GetState() {
    return state;
}

int32_t Tessaly::SetVolume(int32_t left, int32_t right) {
    return output ? output->OutputSetVolume(left, right) : 0;
}

int32_t Tessaly::SetDecodeOptions(int32_t reduction, int32_t conversion, int32_t frequencyLimit) {
    decodeOptions = ApplyDecodeOptionRequest(decodeOptions, reduction, conversion, frequencyLimit);
    return 1;
}

int32_t Tessaly::GetVersion(char* buffer) {
    std::memcpy(buffer, kVersion, sizeof kVersion);
    return 1;
}

// Sources, playback and tag writing arrive with the decoder, the tag formats
// and the playback thread; until then every source is refused.
int32_t Tessaly::Open(const char*, InputFileInfo*) {
    return 0;
}
int32_t Tessaly::Close() {
    return 0;
}
int32_t Tessaly::GetFileInfo(const char*, InputFileInfo*) {
    return 0;
}
int32_t Tessaly::Play() {
    return 0;
}
int32_t Tessaly::Stop() {
    return 1;
}
int32_t Tessaly::Pause() {
    return 1;
}
int32_t Tessaly::Resume() {
    return 1;
}
int32_t Tessaly::Seek(int32_t) {
    return 0;
}
int32_t Tessaly::WriteID3v1(const char*, const TagRecord*) {
    return 0;
}
int32_t Tessaly::WriteRiffInfo(const char*, const TagRecord*) {
    return 0;
}
int32_t Tessaly::WriteLyrics3(const char*, const TagRecord*) {
    return 0;
}
int32_t Tessaly::GetCDTrackCount(const char*) {
    return 0;
}
