// The long-block filter bank eight subbands at a time. This file alone is compiled for
// AVX; the hybrid filter bank calls it only when the processor has AVX.
#include <immintrin.h>

#include "Layer3LongBlocks.h"

namespace {

// Eight lanes as two halves of four subbands each.
struct EightLanes {
    typedef float Float8 __attribute__((vector_size(32)));

    static Float8 Coefficient(const float& coefficient) { return _mm256_broadcast_ss(&coefficient); }

    static void Gather(const float* values, Float8* vectors) {
        LongFloat4 low[18], high[18];
        L3Gather4(values, low);
        L3Gather4(values + 72, high);
        for (int32_t i = 0; i < 18; ++i)
            vectors[i] = _mm256_insertf128_ps(_mm256_castps128_ps256(low[i]), high[i], 1);
    }

    static void Scatter(const Float8* vectors, float* values, bool accumulate) {
        LongFloat4 low[18], high[18];
        for (int32_t i = 0; i < 18; ++i) {
            low[i] = _mm256_castps256_ps128(vectors[i]);
            high[i] = _mm256_extractf128_ps(vectors[i], 1);
        }
        L3Scatter4(low, values, accumulate);
        L3Scatter4(high, values + 72, accumulate);
    }
};

} // namespace

void L3LongEight(const float* spectrum, const float* previous, const float (*imdct)[18],
                 const LongBlockWindows& window, int32_t k, float* overlap, float* block,
                 bool accumulate) {
    L3LongBlocks<8, EightLanes>(spectrum, previous, imdct, window, k, overlap, block, accumulate);
    // The caller's SSE code would otherwise wait on the upper halves left behind.
    _mm256_zeroupper();
}
