#include "Synthesis.h"

#include <cmath>
#include <cstring>

#include "Simd.h"
#include "SynthesisSums.h"

namespace {

HistoryRing gRings[2];
int32_t gPositions[2]; // position A (channel 0) and position B (channel 1)

// DCT coefficients 1 / (2 cos((2j + 1) pi / (4 half))) for half = 16, 8, 4, 2, 1.
float gDctCoefficients16[16];
float gDctCoefficients8[8];
float gDctCoefficients4[4];
float gDctCoefficients2[2];
float gDctCoefficients1[1];

template <int Half> const float* DctCoefficients();
template <> const float* DctCoefficients<16>() {
    return gDctCoefficients16;
}
template <> const float* DctCoefficients<8>() {
    return gDctCoefficients8;
}
template <> const float* DctCoefficients<4>() {
    return gDctCoefficients4;
}
template <> const float* DctCoefficients<2>() {
    return gDctCoefficients2;
}
template <> const float* DctCoefficients<1>() {
    return gDctCoefficients1;
}

void FillDctCoefficients(float* coefficients, int32_t half) {
    const double pi = 3.14159265358979323846;
    for (int32_t j = 0; j < half; ++j)
        coefficients[j] = static_cast<float>(1.0 / (2.0 * std::cos((2 * j + 1) * pi / (4 * half))));
}

// Four floats: the window sums of neighbouring outputs, or four DCTs side by side (a
// plain vector type, which templates take without dropping the SSE type's attributes).
typedef float Float4 __attribute__((vector_size(16)));

// X[k] = sum x[n] cos((2n + 1) k pi / (2N)) by the recursive even/odd split. T is a
// vector of four that runs four transforms side by side.
template <int N, typename T> struct Dct {
    static void Run(const T* in, T* out) {
        constexpr int Half = N / 2;
        const float* coefficients = DctCoefficients<Half>();
        T sums[Half], differences[Half];
        for (int j = 0; j < Half; ++j) {
            sums[j] = in[j] + in[N - 1 - j];
            differences[j] = (in[j] - in[N - 1 - j]) * coefficients[j];
        }
        T even[Half], odd[Half];
        Dct<Half, T>::Run(sums, even);
        Dct<Half, T>::Run(differences, odd);
        for (int j = 0; j < Half - 1; ++j) {
            out[2 * j] = even[j];
            out[2 * j + 1] = odd[j] + odd[j + 1];
        }
        out[N - 2] = even[Half - 1];
        out[N - 1] = odd[Half - 1];
    }
};
template <typename T> struct Dct<1, T> {
    static void Run(const T* in, T* out) { out[0] = in[0]; }
};

// N PCM values, N / 4 vectors of sums in output order, to the output at sample
// indexes first + i stride (stride 1, or 2 with the other channel's samples between,
// which are kept: the output is read and written back in whole vectors).
template <int N, bool EightBit>
void SynthStore(const Float4* sums, uint8_t* output, int32_t first, int32_t stride) {
    __m128i pcm[N / 8];
    for (int i = 0; i < N / 8; ++i)
        pcm[i] = SynthToPcm8(sums[2 * i], sums[2 * i + 1]);
    if (EightBit) {
        // The high byte of the value offset by 32768: (value >> 8) + 128.
        const __m128i offset = _mm_set1_epi16(static_cast<int16_t>(0x8000));
        for (__m128i& values : pcm)
            values = _mm_srli_epi16(_mm_xor_si128(values, offset), 8);
    }
    constexpr int SampleBytes = EightBit ? 1 : 2;
    if (stride == 1) {
        uint8_t* out = output + SampleBytes * first;
        if (!EightBit) {
            for (int i = 0; i < N / 8; ++i)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i), pcm[i]);
        } else if (N == 8) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(pcm[0], pcm[0]));
        } else {
            for (int i = 0; i < N / 16; ++i)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i),
                                 _mm_packus_epi16(pcm[2 * i], pcm[2 * i + 1]));
        }
        return;
    }
    // Two channels: this one's samples in the even or odd places of its block.
    const int32_t channel = first & 1;
    uint8_t* out = output + SampleBytes * (first - channel);
    if (EightBit) {
        // Each 16-bit lane holds one sample pair: this channel's byte low or high.
        const __m128i keep = _mm_set1_epi16(channel == 0 ? static_cast<int16_t>(0xFF00) : 0x00FF);
        for (int i = 0; i < N / 8; ++i) {
            __m128i* place = reinterpret_cast<__m128i*>(out + 16 * i);
            const __m128i mine = channel == 0 ? pcm[i] : _mm_slli_epi16(pcm[i], 8);
            _mm_storeu_si128(place,
                             _mm_or_si128(_mm_and_si128(_mm_loadu_si128(place), keep), mine));
        }
        return;
    }
    // Each 32-bit lane holds one sample pair: this channel's value low or high.
    const __m128i keep =
        _mm_set1_epi32(channel == 0 ? static_cast<int32_t>(0xFFFF0000) : 0x0000FFFF);
    for (int i = 0; i < N / 8; ++i) {
        const __m128i halves[2] = {_mm_unpacklo_epi16(pcm[i], pcm[i]),
                                   _mm_unpackhi_epi16(pcm[i], pcm[i])};
        for (int h = 0; h < 2; ++h) {
            __m128i* place = reinterpret_cast<__m128i*>(out + 32 * i + 16 * h);
            const __m128i mine = _mm_andnot_si128(keep, halves[h]);
            _mm_storeu_si128(place,
                             _mm_or_si128(_mm_and_si128(_mm_loadu_si128(place), keep), mine));
        }
    }
}

WindowTable<32> gWindow32;
WindowTable<16> gWindow16;
WindowTable<8> gWindow8;

template <int N> WindowTable<N>& WindowOf();
template <> WindowTable<32>& WindowOf<32>() {
    return gWindow32;
}
template <> WindowTable<16>& WindowOf<16>() {
    return gWindow16;
}
template <> WindowTable<8>& WindowOf<8>() {
    return gWindow8;
}

// The window sums of each width: eight outputs at a time with AVX, else four.
WindowSumsRoutine<32> gWindowSums32 = WindowSums<32, 4>;
WindowSumsRoutine<16> gWindowSums16 = WindowSums<16, 4>;

template <int N> WindowSumsRoutine<N> WindowSumsOf();
template <> WindowSumsRoutine<32> WindowSumsOf<32>() {
    return gWindowSums32;
}
template <> WindowSumsRoutine<16> WindowSumsOf<16>() {
    return gWindowSums16;
}
template <> WindowSumsRoutine<8> WindowSumsOf<8>() {
    return WindowSums<8, 4>;
}

template <int N> void FillWindowTable() {
    constexpr int F = 32 / N;
    WindowTable<N>& table = WindowOf<N>();
    const float* c = kSynthesisWindow;
    for (int t = 0; t < 8; ++t) {
        for (int m = 0; m < N / 2; ++m) {
            table.rising[t][m] = c[16 * F * m + 2 * t];
            table.falling[t][m] = c[16 * F * m + 2 * t + 1];
        }
        for (int j = 0; j < N / 2 - 1; ++j) {
            const int s = 255 - 16 * (F * (j + 1) - 1) - 2 * t;
            table.upperNear[t][j] = c[s - 1];
            table.upperFar[t][j] = c[s];
        }
        table.upperNear[t][N / 2 - 1] = 0.0f;
        table.upperFar[t][N / 2 - 1] = 0.0f;
    }
}

// One time slot after its DCT: the transformed values into the ring at the position,
// the window sums to N samples written at output indexes first, first + stride, ...,
// then the position moves. Each sum is accumulated in tap order.
template <int N, bool EightBit>
void SynthWindow(const float* transformed, HistoryRing& ring, int32_t& position, uint8_t* output,
                 int32_t first, int32_t stride) {
    constexpr int Ring = 16 * N;
    // Both copies forward; backward, each block of four reversed.
    for (int k = 0; k < N; k += 4) {
        const Float4 values = _mm_loadu_ps(transformed + k);
        const Float4 reversed = _mm_shuffle_ps(values, values, _MM_SHUFFLE(0, 1, 2, 3));
        _mm_store_ps(ring.forward + position + k, values);
        _mm_store_ps(ring.forward + position + Ring + k, values);
        _mm_store_ps(ring.backward + Ring - position - k - 4, reversed);
        _mm_store_ps(ring.backward + 2 * Ring - position - k - 4, reversed);
    }
    constexpr int Groups = N / 8;
    alignas(32) float lowerValues[N / 2];
    alignas(32) float upperValues[N / 2];
    float middle;
    WindowSumsOf<N>()(ring, position, WindowOf<N>(), lowerValues, upperValues, middle);
    Float4 lowerSums[Groups], upperSums[Groups];
    for (int g = 0; g < Groups; ++g) {
        lowerSums[g] = _mm_load_ps(lowerValues + 4 * g);
        upperSums[g] = _mm_load_ps(upperValues + 4 * g);
    }
    // Outputs in order: the lower sums, the middle one, then the upper sums one lane on.
    Float4 sums[N / 4];
    for (int g = 0; g < Groups; ++g)
        sums[g] = lowerSums[g];
    __m128i before = _mm_castps_si128(_mm_set_ss(middle));
    for (int g = 0; g < Groups; ++g) {
        const __m128i upper = _mm_castps_si128(upperSums[g]);
        sums[Groups + g] = _mm_castsi128_ps(_mm_or_si128(_mm_slli_si128(upper, 4), before));
        before = _mm_srli_si128(upper, 12);
    }
    SynthStore<N, EightBit>(sums, output, first, stride);
    position = (position - N) & (Ring - 1);
}

// Stands in for the slots past the last one of a run.
const float kZeroSlot[2 * kSubbands] = {};

// Slots 0 ... count - 1 through Rings rings (one per channel). Slot s's values start
// at values + s stride; four slots at a time, their first Width values become vectors
// (columns[i] lane j is value i of slot s + j, zeros past the last slot), of which
// pick(columns, in, c) makes the N inputs of channel c's DCTs, which run side by side.
// The window sums of the four slots follow one after another; slot s of channel c
// becomes PCM at output indexes first(s, c) + i outputStride.
template <int N, bool EightBit, int Width, int Rings, typename Pick, typename First>
void SynthRun(int32_t count, const float* values, int32_t stride, Pick pick,
              HistoryRing* const (&rings)[Rings], int32_t* const (&positions)[Rings],
              uint8_t* output, First first, int32_t outputStride) {
    for (int32_t s = 0; s < count; s += 4) {
        const int32_t lanes = count - s < 4 ? count - s : 4;
        const float* slots[4];
        for (int lane = 0; lane < 4; ++lane)
            slots[lane] = lane < lanes ? values + stride * (s + lane) : kZeroSlot;
        Float4 columns[Width];
        for (int k = 0; k < Width; k += 4) {
            Float4 rows[4] = {_mm_loadu_ps(slots[0] + k), _mm_loadu_ps(slots[1] + k),
                              _mm_loadu_ps(slots[2] + k), _mm_loadu_ps(slots[3] + k)};
            _MM_TRANSPOSE4_PS(rows[0], rows[1], rows[2], rows[3]);
            for (int i = 0; i < 4; ++i)
                columns[k + i] = rows[i];
        }
        for (int c = 0; c < Rings; ++c) {
            Float4 in[N];
            pick(columns, in, c);
            Float4 out[N];
            Dct<N, Float4>::Run(in, out);
            float transformed[4][N];
            for (int k = 0; k < N; k += 4) {
                Float4 rows[4] = {out[k], out[k + 1], out[k + 2], out[k + 3]};
                _MM_TRANSPOSE4_PS(rows[0], rows[1], rows[2], rows[3]);
                for (int lane = 0; lane < 4; ++lane)
                    _mm_storeu_ps(transformed[lane] + k, rows[lane]);
            }
            for (int lane = 0; lane < lanes; ++lane)
                SynthWindow<N, EightBit>(transformed[lane], *rings[c], *positions[c], output,
                                         first(s + lane, c), outputStride);
        }
    }
}

// DCT inputs from the columns: all of them, the channel's of interleaved pairs (the
// one channel a single ring takes, or each ring's own), or the mean of both channels.
template <int N> struct PickAll {
    void operator()(const Float4* columns, Float4* in, int) const {
        for (int k = 0; k < N; ++k)
            in[k] = columns[k];
    }
};
template <int N, int Channel> struct PickChannel {
    void operator()(const Float4* columns, Float4* in, int ring) const {
        const int channel = Channel < 0 ? ring : Channel;
        for (int k = 0; k < N; ++k)
            in[k] = columns[2 * k + channel];
    }
};
template <int N> struct PickMix {
    void operator()(const Float4* columns, Float4* in, int) const {
        for (int k = 0; k < N; ++k)
            in[k] = (columns[2 * k] + columns[2 * k + 1]) * 0.5f;
    }
};

template <int N, bool EightBit, int Channels>
void SynthLayer3(const float* block, uint8_t* output, int32_t channel) {
    const int32_t ringIndex = Channels == 1 ? 0 : channel;
    HistoryRing* const rings[1] = {&gRings[ringIndex]};
    int32_t* const positions[1] = {&gPositions[ringIndex]};
    SynthRun<N, EightBit, N>(
        kLayer3Slots, block, kSubbands, PickAll<N>(), rings, positions, output,
        [channel](int32_t s, int) { return (s * N) * Channels + (Channels == 1 ? 0 : channel); },
        Channels);
}

const Layer3Synthesis kLayer3Routines[2][3][2] = {
    {
        {SynthLayer3<32, false, 1>, SynthLayer3<32, false, 2>},
        {SynthLayer3<16, false, 1>, SynthLayer3<16, false, 2>},
        {SynthLayer3<8, false, 1>, SynthLayer3<8, false, 2>},
    },
    {
        {SynthLayer3<32, true, 1>, SynthLayer3<32, true, 2>},
        {SynthLayer3<16, true, 1>, SynthLayer3<16, true, 2>},
        {SynthLayer3<8, true, 1>, SynthLayer3<8, true, 2>},
    },
};

// Layers I and II: 64 values per slot, subband k of channel c at 2k + c for
// two-channel streams, the first 32 for single-channel streams.
template <int N, bool EightBit, int Variant>
void SynthSubbands(const float* samples, uint8_t* output, int32_t slots) {
    constexpr int32_t kSlotValues = 2 * kSubbands;
    if constexpr (Variant == kSubbandsBoth) {
        // Both rings at position A, which advances once per slot.
        int32_t rightPosition = gPositions[0];
        HistoryRing* const rings[2] = {&gRings[0], &gRings[1]};
        int32_t* const positions[2] = {&gPositions[0], &rightPosition};
        SynthRun<N, EightBit, 2 * N>(
            slots, samples, kSlotValues, PickChannel<N, -1>(), rings, positions, output,
            [](int32_t s, int c) { return 2 * N * s + c; }, 2);
    } else {
        HistoryRing* const rings[1] = {&gRings[0]};
        int32_t* const positions[1] = {&gPositions[0]};
        const auto first = [](int32_t s, int) { return N * s; };
        if constexpr (Variant == kSubbandsSingleChannel)
            SynthRun<N, EightBit, N>(slots, samples, kSlotValues, PickAll<N>(), rings, positions,
                                     output, first, 1);
        if constexpr (Variant == kSubbandsMix)
            SynthRun<N, EightBit, 2 * N>(slots, samples, kSlotValues, PickMix<N>(), rings,
                                         positions, output, first, 1);
        if constexpr (Variant == kSubbandsLeft || Variant == kSubbandsRight)
            SynthRun<N, EightBit, 2 * N>(slots, samples, kSlotValues,
                                         PickChannel<N, Variant == kSubbandsLeft ? 0 : 1>(), rings,
                                         positions, output, first, 1);
    }
}

template <int N, bool EightBit> struct SubbandVariants {
    static constexpr SubbandSynthesis kRoutines[kSubbandVariants] = {
        SynthSubbands<N, EightBit, kSubbandsSingleChannel>,
        SynthSubbands<N, EightBit, kSubbandsBoth>, SynthSubbands<N, EightBit, kSubbandsMix>,
        SynthSubbands<N, EightBit, kSubbandsLeft>, SynthSubbands<N, EightBit, kSubbandsRight>};
};

const SubbandSynthesis* const kSubbandRoutines[2][3] = {
    {SubbandVariants<32, false>::kRoutines, SubbandVariants<16, false>::kRoutines,
     SubbandVariants<8, false>::kRoutines},
    {SubbandVariants<32, true>::kRoutines, SubbandVariants<16, true>::kRoutines,
     SubbandVariants<8, true>::kRoutines},
};

} // namespace

void SynthInitTables() {
    FillDctCoefficients(gDctCoefficients16, 16);
    FillDctCoefficients(gDctCoefficients8, 8);
    FillDctCoefficients(gDctCoefficients4, 4);
    FillDctCoefficients(gDctCoefficients2, 2);
    FillDctCoefficients(gDctCoefficients1, 1);
    FillWindowTable<32>();
    FillWindowTable<16>();
    FillWindowTable<8>();
    const bool wide = SimdWide();
    gWindowSums32 = wide ? SynthWindowSumsWide32 : WindowSums<32, 4>;
    gWindowSums16 = wide ? SynthWindowSumsWide16 : WindowSums<16, 4>;
}


void SynthReset() {
    for (HistoryRing& ring : gRings) {
        for (float& value : ring.forward)
            value = 0.0f;
        for (float& value : ring.backward)
            value = 0.0f;
    }
    gPositions[0] = gPositions[1] = 0;
}

Layer3Synthesis SynthChooseLayer3(bool eightBit, int32_t reduction, int32_t outputChannels) {
    if (reduction < 0 || reduction > 2) reduction = 0;
    return kLayer3Routines[eightBit ? 1 : 0][reduction][outputChannels == 2 ? 1 : 0];
}

SubbandSynthesis SynthChooseSubbands(bool eightBit, int32_t reduction, int32_t variant) {
    if (reduction < 0 || reduction > 2) reduction = 0;
    if (variant < 0 || variant >= kSubbandVariants) variant = kSubbandsSingleChannel;
    return kSubbandRoutines[eightBit ? 1 : 0][reduction][variant];
}
