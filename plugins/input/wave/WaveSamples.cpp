#include "WaveSamples.h"

#include <cstring>

int32_t WaveSourceSampleBytes(WaveCoding coding) {
    switch (coding) {
    case WaveCoding::Pcm16:
        return 2;
    case WaveCoding::Pcm24:
        return 3;
    case WaveCoding::Pcm32:
    case WaveCoding::Float32:
        return 4;
    default:
        return 1;
    }
}

int32_t WaveOutputSampleBytes(WaveCoding coding) {
    return coding == WaveCoding::Pcm8 ? 1 : 2;
}

namespace {

int32_t Le32Signed(const uint8_t* p) {
    const uint32_t bits = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                          static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int16_t FloatTo16(const uint8_t* p) {
    const int32_t bits = Le32Signed(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (value != value) return 0; // NaN
    const float scaled = value * 32768.0f;
    if (scaled >= 32767.0f) return 32767;
    if (scaled <= -32768.0f) return -32768;
    return static_cast<int16_t>(scaled);
}

} // namespace

int16_t NarrowWaveSample(WaveCoding coding, const uint8_t* sample) {
    switch (coding) {
    case WaveCoding::Pcm24: {
        // The three bytes in the top of an int32, so that the sign comes along.
        const uint8_t widened[4] = {0, sample[0], sample[1], sample[2]};
        return static_cast<int16_t>(Le32Signed(widened) / 65536);
    }
    case WaveCoding::Pcm32:
        return static_cast<int16_t>(Le32Signed(sample) / 65536);
    case WaveCoding::Float32:
        return FloatTo16(sample);
    default:
        return 0;
    }
}
