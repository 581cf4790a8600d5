// Real-time pacing for a sink that has no clock of its own: how long a
// writer waits so that it runs no more than a lead ahead of the sound's own
// time.
#pragma once

#include <cstdint>

// Milliseconds to wait before more is written, when `bytesDone` bytes at
// `bytesPerSecond` have gone out during `elapsedMs`, allowing `leadMs` of
// sound ahead of the clock. 0 when the writer may go on.
uint64_t PaceDelayMs(uint64_t bytesDone, uint32_t bytesPerSecond, uint64_t elapsedMs,
                     uint64_t leadMs);
