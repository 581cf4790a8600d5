// The window sums of one synthesis slot, shared by the plain build of the synthesis
// and the one compiled for AVX, which runs the same sums eight outputs at a time.
// Only types and internal functions live here: both compilations include it, and an
// inline function with external linkage could be taken from the AVX one everywhere.
#pragma once

#include <cstdint>
#include <cstring>

#include "SynthesisWindow.h"

constexpr int32_t kRingSize = 512; // 16 N at full rate

// A history ring holds 16 N values (N the synthesis width). Each is stored twice
// in a row, so that the values the window reads from a position lie contiguously,
// and also in reverse order (value i at R - 1 - i, again twice), so that the sums
// that read the ring backwards can run forwards too.
struct alignas(16) HistoryRing {
    float forward[2 * kRingSize];
    float backward[2 * kRingSize];
};

// The window coefficients of one width, rearranged so that the sums of neighbouring
// outputs read neighbouring coefficients: [tap][output].
template <int N> struct WindowTable {
    float rising[8][N / 2];    // c[16 f m + 2t], for outputs m < N/2
    float falling[8][N / 2];   // c[16 f m + 2t + 1]
    float upperNear[8][N / 2]; // c[s - 1], for outputs N/2 + 1 + j
    float upperFar[8][N / 2];  // c[s]
};

// The sums of one slot at the ring position: lower[m] for outputs m < N/2, the middle
// output N/2, upper[j] for outputs N/2 + 1 + j (the last of them 0). Each sum is
// accumulated in tap order.
template <int N>
using WindowSumsRoutine = void (*)(const HistoryRing& ring, int32_t position,
                                   const WindowTable<N>& table, float* lower, float* upper,
                                   float& middle);

// Eight outputs at a time; compiled for AVX, to be called only where the processor has it.
void SynthWindowSumsWide32(const HistoryRing& ring, int32_t position, const WindowTable<32>& table,
                           float* lower, float* upper, float& middle);
void SynthWindowSumsWide16(const HistoryRing& ring, int32_t position, const WindowTable<16>& table,
                           float* lower, float* upper, float& middle);

namespace {

// W neighbouring outputs at a time, each lane with exactly the operations of one output.
template <int N, int W>
void WindowSums(const HistoryRing& ring, int32_t position, const WindowTable<N>& table,
                float* lower, float* upper, float& middle) {
    typedef float Vector __attribute__((vector_size(4 * W)));
    const auto load = [](const float* from) {
        Vector value;
        std::memcpy(&value, from, sizeof(value));
        return value;
    };
    constexpr int Ring = 16 * N;
    constexpr int Groups = N / 2 / W;
    const float* v = ring.forward + position;
    Vector lowerSums[Groups] = {};
    Vector upperSums[Groups] = {};
    float middleSum = 0.0f;
    for (int t = 0; t < 8; ++t) {
        const float* tap = v + 2 * N * t;
        // backward[i] is the ring value at (start - i).
        const float* lowerBackward =
            ring.backward + ((-(position + 3 * N / 2 + 2 * N * t) - 1) & (Ring - 1));
        const float* upperBackward =
            ring.backward + ((-(position + N - 1 + 2 * N * t) - 1) & (Ring - 1));
        for (int g = 0; g < Groups; ++g) {
            lowerSums[g] = lowerSums[g] + load(table.rising[t] + W * g) * load(tap + N / 2 + W * g);
            lowerSums[g] = lowerSums[g] - load(table.falling[t] + W * g) * load(lowerBackward + W * g);
            upperSums[g] = upperSums[g] + load(table.upperNear[t] + W * g) * load(tap + N + 1 + W * g);
            upperSums[g] = upperSums[g] + load(table.upperFar[t] + W * g) * load(upperBackward + W * g);
        }
        middleSum += kSynthesisWindow[256 + t] * tap[N];
    }
    for (int g = 0; g < Groups; ++g) {
        std::memcpy(lower + W * g, &lowerSums[g], sizeof(Vector));
        std::memcpy(upper + W * g, &upperSums[g], sizeof(Vector));
    }
    middle = middleSum;
}

} // namespace
