// The long-block filter bank of neighbouring subbands at once, one per vector lane,
// shared by the plain build of the hybrid filter bank and the one compiled for AVX.
// Only types and internal functions live here: both compilations include it, and an
// inline function with external linkage could be taken from the AVX one everywhere.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "Synthesis.h"

// Each lane's long window: outputs i of subbands k + j at [i][j], for up to 8 lanes.
struct LongBlockWindows {
    float lanes[36][8];
};

// Eight subbands from k; compiled for AVX, to be called only where the processor has it.
void L3LongEight(const float* spectrum, const float* previous, const float (*imdct)[18],
                 const LongBlockWindows& window, int32_t k, float* overlap, float* block,
                 bool accumulate);

namespace {

typedef float LongFloat4 __attribute__((vector_size(16)));

// Values i of four subbands, 18 apart from values, into vectors[i] (i < 18), lane j
// from subband j.
void L3Gather4(const float* values, LongFloat4* vectors) {
    for (int32_t i = 0; i < 16; i += 4) {
        __m128 rows[4] = {_mm_loadu_ps(values + i), _mm_loadu_ps(values + 18 + i),
                          _mm_loadu_ps(values + 36 + i), _mm_loadu_ps(values + 54 + i)};
        _MM_TRANSPOSE4_PS(rows[0], rows[1], rows[2], rows[3]);
        for (int32_t r = 0; r < 4; ++r)
            vectors[i + r] = rows[r];
    }
    for (int32_t i = 16; i < 18; ++i)
        vectors[i] = LongFloat4{values[i], values[18 + i], values[36 + i], values[54 + i]};
}

// The reverse: vectors[i] lane j to values[18 j + i], or added to what is there.
void L3Scatter4(const LongFloat4* vectors, float* values, bool accumulate) {
    for (int32_t i = 0; i < 16; i += 4) {
        __m128 rows[4] = {vectors[i], vectors[i + 1], vectors[i + 2], vectors[i + 3]};
        _MM_TRANSPOSE4_PS(rows[0], rows[1], rows[2], rows[3]);
        for (int32_t j = 0; j < 4; ++j) {
            float* place = values + 18 * j + i;
            _mm_storeu_ps(place, accumulate ? _mm_add_ps(_mm_loadu_ps(place), rows[j]) : rows[j]);
        }
    }
    for (int32_t i = 16; i < 18; ++i)
        for (int32_t j = 0; j < 4; ++j) {
            float& place = values[18 * j + i];
            place = accumulate ? place + vectors[i][j] : vectors[i][j];
        }
}

// W neighbouring long-block subbands from k at once (k even), one per lane: each lane
// does exactly what the one-subband transform, the window and the overlap steps do for
// its subband, with the window applied as the transform's outputs are placed. Lanes
// gives Gather and Scatter for W lanes.
// W floats, and W lane masks of the same size.
template <int W> struct LongVectors {
    typedef float Vector __attribute__((vector_size(4 * W)));
    typedef int Mask __attribute__((vector_size(4 * W)));
};

template <int W, typename Lanes, typename C>
void L3LongBlocks(const float* spectrum, const float* previous, const C (*imdct)[18],
                  const LongBlockWindows& window, int32_t k, float* overlap, float* block,
                  bool accumulate) {
    typedef typename LongVectors<W>::Vector Vector;
    typedef typename LongVectors<W>::Mask Mask;
    const auto load = [](const float* from) {
        Vector value;
        std::memcpy(&value, from, sizeof(value));
        return value;
    };
    Vector lines[18];
    Lanes::Gather(spectrum + 18 * k, lines);
    Vector samples[36];
    for (int32_t half = 0; half < 2; ++half) {
        Vector sums[9] = {};
        for (int32_t n = 0; n < 18; ++n)
            for (int32_t r = 0; r < 9; ++r)
                sums[r] += Lanes::Coefficient(imdct[n][9 * half + r]) * lines[n];
        // x[17 - i] = -x[i] and x[53 - i] = x[i].
        for (int32_t i = 0; i < 9; ++i) {
            if (half == 0) {
                samples[i] = sums[i] * load(window.lanes[i]);
                samples[17 - i] = -sums[i] * load(window.lanes[17 - i]);
            } else {
                samples[18 + i] = sums[i] * load(window.lanes[18 + i]);
                samples[35 - i] = sums[i] * load(window.lanes[35 - i]);
            }
        }
    }
    Vector before[18] = {};
    if (previous) Lanes::Gather(previous + 18 * k, before);
    // Odd subbands (the odd lanes) invert their odd slots.
    Mask invert = {};
    for (int32_t j = 1; j < W; j += 2)
        invert[j] = INT32_MIN;
    for (int32_t s = 0; s < kLayer3Slots; ++s) {
        Vector value = samples[s] + before[s];
        if (s & 1) value = (Vector)((Mask)value ^ invert);
        float* out = block + kSubbands * s + k;
        if (accumulate) value = load(out) + value;
        std::memcpy(out, &value, sizeof(value));
    }
    Lanes::Scatter(samples + 18, overlap + 18 * k, accumulate);
}

} // namespace
