// How an output stream is shaped: which formats are played, and how big the
// queue of device buffers is for a format.
#pragma once

#include <cstdint>

#include "PcmFormat.h"

struct StreamPlan {
    uint32_t blockAlign; // bytes of one sample frame (all channels)
    uint32_t bytesPerSecond;
    uint32_t blockBytes; // one device buffer, a whole number of sample frames
    uint32_t blockCount; // device buffers in the ring
    uint8_t silenceByte; // 0x80 for unsigned 8-bit, 0 for signed 16-bit

    uint64_t queueBytes() const { return uint64_t{blockBytes} * blockCount; }
};

constexpr int32_t kLowestRate = 8000;
constexpr int32_t kHighestRate = 88200;

// True when the format is one the output plays: 1 or 2 channels, 8 or 16
// bits, kLowestRate ... kHighestRate samples per second, a positive buffer.
bool IsPlayableFormat(const PcmFormat& format);

// True when a stream of `next` may follow one of `previous` on the same
// device: the same channels, bits and rate. The input's buffer size only
// shapes the device buffers, so it may differ.
bool SameSoundFormat(const PcmFormat& previous, const PcmFormat& next);

// The plan for a playable format: device buffers as large as the input's
// buffer but between 20 and 100 ms of sound, and enough of them for about
// half a second (4 to 32 buffers). False for a format that isn't playable.
bool PlanStream(const PcmFormat& format, StreamPlan& plan);

// Bytes of `milliseconds` of sound, rounded down to whole sample frames.
uint32_t BytesForMilliseconds(const StreamPlan& plan, uint32_t milliseconds);
// Milliseconds that `bytes` of sound last, rounded up.
uint64_t MillisecondsForBytes(const StreamPlan& plan, uint64_t bytes);
