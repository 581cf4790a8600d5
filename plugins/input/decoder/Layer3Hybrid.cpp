#include "Layer3Hybrid.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Layer3LongBlocks.h"
#include "Simd.h"

namespace {

float gLongImdct[18][18]; // [input line][output]: outputs 0-8 and 18-26 of the 36-point IMDCT
float gShortImdct[12][6];
float gLongWindows[4][36]; // by block type; 2 is unused (short blocks use gShortWindow)
float gShortWindow[12];

// Four floats (GCC and Clang vectors): four of the 18 sums in one register, or one
// value of four neighbouring subbands.
typedef float Float4 __attribute__((vector_size(16)));

// The long windows in every lane, by block type; eight subbands at a time where the
// processor has AVX.
LongBlockWindows gLongWindowLanes[4];
Float4 gLongImdct4[18][18]; // the long transform's coefficients in all four lanes
bool gWideLongBlocks;
// The short transform by line, outputs four to a vector, and the short window likewise.
Float4 gShortImdct4[6][3];
Float4 gShortWindow4[3];

void L3Imdct36(const float* in, float* out) {
    // Line by line, so that the 18 sums advance together, each in line order: sums
    // 0-15 in four vectors, 16 and 17 alone, all held in registers.
    Float4 sums[4] = {};
    float sum16 = 0.0f;
    float sum17 = 0.0f;
    for (int32_t n = 0; n < 18; ++n) {
        const float line = in[n];
        const float* row = gLongImdct[n];
        for (int32_t v = 0; v < 4; ++v) {
            Float4 coefficients;
            std::memcpy(&coefficients, row + 4 * v, sizeof(coefficients));
            sums[v] += coefficients * line;
        }
        sum16 += row[16] * line;
        sum17 += row[17] * line;
    }
    float unique[18];
    std::memcpy(unique, sums, sizeof(sums));
    unique[16] = sum16;
    unique[17] = sum17;
    // x[17 - i] = -x[i] and x[53 - i] = x[i].
    for (int32_t i = 0; i < 9; ++i) {
        out[i] = unique[i];
        out[17 - i] = -unique[i];
        out[18 + i] = unique[9 + i];
        out[35 - i] = unique[9 + i];
    }
}

// Four lanes for the long blocks without AVX.
struct FourLanes {
    static Float4 Coefficient(const Float4& coefficient) { return coefficient; }
    static void Gather(const float* values, Float4* vectors) { L3Gather4(values, vectors); }
    static void Scatter(const Float4* vectors, float* values, bool accumulate) {
        L3Scatter4(vectors, values, accumulate);
    }
};

// Three windowed 12-point IMDCTs on interleaved short lines, placed at 6 + 6w. The
// 12 outputs of a window are three vectors, each lane summing its lines in order.
void L3ImdctShort(const float* in, float* out) {
    for (int32_t i = 0; i < 36; ++i)
        out[i] = 0.0f;
    for (int32_t w = 0; w < 3; ++w) {
        Float4 sums[3] = {};
        for (int32_t k = 0; k < 6; ++k) {
            const float line = in[3 * k + w];
            for (int32_t v = 0; v < 3; ++v)
                sums[v] += gShortImdct4[k][v] * line;
        }
        for (int32_t v = 0; v < 3; ++v) {
            float* place = out + 6 + 6 * w + 4 * v;
            Float4 value;
            std::memcpy(&value, place, sizeof(value));
            value += gShortWindow4[v] * sums[v];
            std::memcpy(place, &value, sizeof(value));
        }
    }
}

struct HybridChannel {
    const float* spectrum;  // this granule's lines
    const float* previous;  // the overlap from the previous granule; null for none
    int32_t previousExtent; // lines
    int32_t blockType;
    bool mixed;
    int32_t nonzero;
};

// Runs the filter bank over one channel; writes (or adds) the time slots into the
// block and the new overlap into overlap (in place over the spectrum, or added into
// another channel's). Returns the new overlap extent in lines.
int32_t L3Hybrid(const HybridChannel& channel, float* overlap, float* block, bool accumulate) {
    const Layer3State& l3 = gLayer3;
    const int32_t total = std::min(channel.nonzero, l3.bandLimit);
    int32_t longLines = total;
    if (channel.blockType == 2) longLines = channel.mixed ? 36 : 0;
    longLines = std::min(longLines, l3.bandLimit);
    const int32_t longSubbands = (longLines + 17) / 18;
    const int32_t shortSubbands = std::max(longSubbands, (total + 17) / 18);
    const int32_t previousSubbands = std::max(shortSubbands, (channel.previousExtent + 17) / 18);
    // The two lowest subbands of a mixed block use the normal long window, whatever
    // the block type says.
    const int32_t mixedWindowType = channel.mixed ? 0 : channel.blockType;

    // The long window of each lane of the first subbands: the two lowest may differ.
    LongBlockWindows firstWindow;
    for (int32_t i = 0; i < 36; ++i)
        for (int32_t j = 0; j < 8; ++j)
            firstWindow.lanes[i][j] = gLongWindows[j < 2 ? mixedWindowType : channel.blockType][i];
    for (int32_t k = 0; k < l3.hybridSubbands; ++k) {
        float samples[36];
        const LongBlockWindows& lanes = k == 0 ? firstWindow : gLongWindowLanes[channel.blockType];
        if (gWideLongBlocks && k % 8 == 0 && k + 8 <= longSubbands) {
            L3LongEight(channel.spectrum, channel.previous, gLongImdct, lanes, k, overlap, block,
                        accumulate);
            k += 7;
            continue;
        }
        if (k % 4 == 0 && k + 4 <= longSubbands) {
            L3LongBlocks<4, FourLanes>(channel.spectrum, channel.previous, gLongImdct4, lanes, k,
                                       overlap, block, accumulate);
            k += 3;
            continue;
        }
        if (k < longSubbands) {
            L3Imdct36(channel.spectrum + 18 * k, samples);
            const float* window = gLongWindows[k < 2 ? mixedWindowType : channel.blockType];
            for (int32_t i = 0; i < 36; ++i)
                samples[i] *= window[i];
        } else if (k < shortSubbands) {
            L3ImdctShort(channel.spectrum + 18 * k, samples);
        } else if (k >= previousSubbands) {
            if (!accumulate)
                for (int32_t s = 0; s < kLayer3Slots; ++s)
                    block[kSubbands * s + k] = 0.0f;
            continue;
        } else {
            for (int32_t i = 0; i < 36; ++i)
                samples[i] = 0.0f;
        }
        const float* previous = channel.previous ? channel.previous + 18 * k : nullptr;
        const bool invert = (k & 1) != 0;
        for (int32_t s = 0; s < kLayer3Slots; ++s) {
            float value = samples[s] + (previous ? previous[s] : 0.0f);
            if (invert && (s & 1)) value = -value;
            float& out = block[kSubbands * s + k];
            out = accumulate ? out + value : value;
        }
        float* newOverlap = overlap + 18 * k;
        for (int32_t s = 0; s < kLayer3Slots; ++s)
            newOverlap[s] = accumulate ? newOverlap[s] + samples[18 + s] : samples[18 + s];
    }
    return 18 * previousSubbands;
}

HybridChannel L3ChannelOf(int32_t ch, int32_t granule, bool withPrevious) {
    const Layer3State& l3 = gLayer3;
    const L3GranuleChannel& gc = l3.side.granules[granule][ch];
    HybridChannel channel;
    channel.spectrum = l3.spectrum[ch][granule];
    channel.previous = withPrevious ? l3.spectrum[ch][granule ^ 1] : nullptr;
    channel.previousExtent = withPrevious ? l3.overlapExtent[ch][granule ^ 1] : 0;
    channel.blockType = gc.blockType;
    channel.mixed = gc.mixedBlock != 0;
    channel.nonzero = l3.nonzeroCount[ch];
    return channel;
}

// One channel's filter bank with its own overlap.
void L3HybridOwn(int32_t ch, int32_t granule) {
    Layer3State& l3 = gLayer3;
    l3.overlapExtent[ch][granule] =
        L3Hybrid(L3ChannelOf(ch, granule, true), l3.spectrum[ch][granule], l3.hybridBlock, false);
}

void L3OutputOneChannel(uint8_t* output, int32_t granule) {
    L3HybridOwn(0, granule);
    gLayer3.synthesis(gLayer3.hybridBlock, output, 0);
}

void L3OutputRight(uint8_t* output, int32_t granule) {
    L3HybridOwn(1, granule);
    gLayer3.synthesis(gLayer3.hybridBlock, output, 0);
}

void L3OutputBoth(uint8_t* output, int32_t granule) {
    for (int32_t ch = 0; ch < 2; ++ch) {
        L3HybridOwn(ch, granule);
        gLayer3.synthesis(gLayer3.hybridBlock, output, ch);
    }
}

// Channel 0's overlap carries the sum of both channels; the halving is in the gain.
void L3OutputMix(uint8_t* output, int32_t granule) {
    Layer3State& l3 = gLayer3;
    const L3GranuleChannel& left = l3.side.granules[granule][0];
    const L3GranuleChannel& right = l3.side.granules[granule][1];
    if (left.blockType == right.blockType && !left.mixedBlock && !right.mixedBlock) {
        const int32_t lines =
            std::min(std::max(l3.nonzeroCount[0], l3.nonzeroCount[1]), l3.bandLimit);
        float* sum = l3.spectrum[0][granule];
        const float* other = l3.spectrum[1][granule];
        for (int32_t i = 0; i < lines; ++i)
            sum[i] += other[i];
        l3.nonzeroCount[0] = std::max(l3.nonzeroCount[0], lines);
        L3HybridOwn(0, granule);
    } else {
        L3HybridOwn(0, granule);
        const int32_t rightExtent =
            L3Hybrid(L3ChannelOf(1, granule, false), l3.spectrum[0][granule], l3.hybridBlock, true);
        l3.overlapExtent[1][granule] = rightExtent;
        // The summed overlap reaches as far as either channel's.
        l3.overlapExtent[0][granule] = std::max(l3.overlapExtent[0][granule], rightExtent);
    }
    l3.synthesis(l3.hybridBlock, output, 0);
}

} // namespace

void L3InitHybridTables() {
    const double pi = 3.14159265358979323846;
    for (int32_t r = 0; r < 18; ++r) {
        const int32_t i = r < 9 ? r : r + 9;
        for (int32_t n = 0; n < 18; ++n)
            gLongImdct[n][r] =
                static_cast<float>(std::cos(pi / 72 * (2 * i + 1 + 18) * (2 * n + 1)));
    }
    for (int32_t i = 0; i < 12; ++i)
        for (int32_t k = 0; k < 6; ++k)
            gShortImdct[i][k] = static_cast<float>(std::cos(pi / 24 * (2 * i + 7) * (2 * k + 1)));
    for (int32_t i = 0; i < 36; ++i) {
        const float longSine = static_cast<float>(std::sin(pi / 36 * (i + 0.5)));
        gLongWindows[0][i] = longSine;
        float start = longSine;
        if (i >= 18)
            start = i < 24
                        ? 1.0f
                        : (i < 30 ? static_cast<float>(std::sin(pi / 12 * (i - 18 + 0.5))) : 0.0f);
        gLongWindows[1][i] = start;
        float stop = longSine;
        if (i < 18)
            stop = i < 6 ? 0.0f
                         : (i < 12 ? static_cast<float>(std::sin(pi / 12 * (i - 6 + 0.5))) : 1.0f);
        gLongWindows[3][i] = stop;
    }
    for (int32_t i = 0; i < 12; ++i)
        gShortWindow[i] = static_cast<float>(std::sin(pi / 12 * (i + 0.5)));
    for (int32_t type = 0; type < 4; ++type)
        for (int32_t i = 0; i < 36; ++i)
            for (int32_t j = 0; j < 8; ++j)
                gLongWindowLanes[type].lanes[i][j] = gLongWindows[type][i];
    for (int32_t n = 0; n < 18; ++n)
        for (int32_t r = 0; r < 18; ++r)
            gLongImdct4[n][r] = Float4{1, 1, 1, 1} * gLongImdct[n][r];
    gWideLongBlocks = SimdWide();
    for (int32_t v = 0; v < 3; ++v) {
        for (int32_t k = 0; k < 6; ++k)
            gShortImdct4[k][v] = Float4{gShortImdct[4 * v][k], gShortImdct[4 * v + 1][k],
                                        gShortImdct[4 * v + 2][k], gShortImdct[4 * v + 3][k]};
        std::memcpy(&gShortWindow4[v], gShortWindow + 4 * v, sizeof(Float4));
    }
}

L3OutputRoutine L3ChooseOutputRoutine(bool monoStream, int32_t channelChoice) {
    if (monoStream) return L3OutputOneChannel;
    switch (channelChoice) {
    case 1:
        return L3OutputMix;
    case 2:
        return L3OutputOneChannel;
    case 3:
        return L3OutputRight;
    default:
        return L3OutputBoth;
    }
}
