#include "PaceClock.h"

uint64_t PaceDelayMs(uint64_t bytesDone, uint32_t bytesPerSecond, uint64_t elapsedMs,
                     uint64_t leadMs) {
    if (bytesPerSecond == 0) return 0;
    const uint64_t soundMs = bytesDone * 1000 / bytesPerSecond;
    const uint64_t allowedMs = elapsedMs + leadMs;
    return soundMs > allowedMs ? soundMs - allowedMs : 0;
}
