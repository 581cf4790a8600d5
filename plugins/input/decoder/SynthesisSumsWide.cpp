// The window sums eight outputs at a time. This file alone is compiled for AVX;
// the synthesis calls it only when the processor has AVX.
#include "SynthesisSums.h"

void SynthWindowSumsWide32(const HistoryRing& ring, int32_t position, const WindowTable<32>& table,
                           float* lower, float* upper, float& middle) {
    WindowSums<32, 8>(ring, position, table, lower, upper, middle);
}

void SynthWindowSumsWide16(const HistoryRing& ring, int32_t position, const WindowTable<16>& table,
                           float* lower, float* upper, float& middle) {
    WindowSums<16, 8>(ring, position, table, lower, upper, middle);
}
