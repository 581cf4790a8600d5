// Polyphase synthesis and PCM output, shared by all layers: an N-point DCT
// (N = 32 >> reduction) into a history ring per channel, a window of 8 taps per
// output sample, truncation toward zero and clipping, 16-bit or 8-bit samples.
#pragma once

#include <emmintrin.h>

#include <cstdint>

// 18 time slots of 32 subband samples, slot-major (slot s, subband k at 32 s + k).
constexpr int32_t kLayer3Slots = 18;
constexpr int32_t kSubbands = 32;

void SynthInitTables();

// Clears both history rings and both ring positions.
void SynthReset();

// Synthesises the 18 slots of one Layer III block for one channel. The one-channel
// routines write consecutive samples and always use ring 0; the two-channel routines
// write every second sample at the channel's offset with that channel's ring.
using Layer3Synthesis = void (*)(const float* block, uint8_t* output, int32_t channel);

// reduction 0, 1 or 2; outputChannels 1 or 2.
Layer3Synthesis SynthChooseLayer3(bool eightBit, int32_t reduction, int32_t outputChannels);

// Layers I and II: slots of 64 subband samples (channel c of subband k at 2k + c for
// two-channel streams, the first 32 for single-channel streams) into PCM.
using SubbandSynthesis = void (*)(const float* samples, uint8_t* output, int32_t slots);

// Channel variants: a single-channel stream, then the conversion's channel choice.
enum SubbandVariant : int32_t {
    kSubbandsSingleChannel = 0,
    kSubbandsBoth = 1,
    kSubbandsMix = 2,
    kSubbandsLeft = 3,
    kSubbandsRight = 4,
    kSubbandVariants = 5,
};

SubbandSynthesis SynthChooseSubbands(bool eightBit, int32_t reduction, int32_t variant);

// Eight window sums (two vectors) to 16-bit PCM values: truncated toward zero and
// clipped, a NaN giving -32768. The minimum keeps a NaN (it returns its second operand
// when either is one); the conversion gives the lowest integer for a NaN or a value out
// of range, and the saturating pack clips what is left. Internal to each file that
// uses it, as the AVX files include this header too.
static inline __m128i SynthToPcm8(__m128 low, __m128 high) {
    const __m128 top = _mm_set1_ps(32767.0f);
    return _mm_packs_epi32(_mm_cvttps_epi32(_mm_min_ps(top, low)),
                           _mm_cvttps_epi32(_mm_min_ps(top, high)));
}

// One PCM value from a window sum, as the vector conversion makes it.
static inline int32_t SynthToPcm(float sum) {
    const __m128 sums = _mm_set_ss(sum);
    return static_cast<int16_t>(_mm_cvtsi128_si32(SynthToPcm8(sums, sums)));
}
