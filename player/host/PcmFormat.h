#pragma once

#include <cstddef>
#include <cstdint>

// The stream an input plug-in asks the output to open. The PCM is
// interleaved, little-endian, unsigned for 8 bits and signed for 16 bits.
struct PcmFormat {
    int32_t channels;         // 1 or 2
    int32_t bitsPerSample;    // 8 or 16
    int32_t samplesPerSecond; // per channel
    int32_t bufferBytes;      // capacity of the input's PCM buffer: no write is larger
};

static_assert(sizeof(PcmFormat) == 16, "PcmFormat is four int32");
static_assert(offsetof(PcmFormat, channels) == 0, "PcmFormat layout");
static_assert(offsetof(PcmFormat, bitsPerSample) == 4, "PcmFormat layout");
static_assert(offsetof(PcmFormat, samplesPerSecond) == 8, "PcmFormat layout");
static_assert(offsetof(PcmFormat, bufferBytes) == 12, "PcmFormat layout");
