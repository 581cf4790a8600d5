#include "Layer3Dequantise.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "Layer3State.h"

namespace {

constexpr int32_t kGainEntries = 262;
constexpr int32_t kGainOffset = 6; // room for the -2 and -4 gain adjustments

float gGain[kGainEntries];          // 2^((i - 156) / 4): 32768 is folded in
float gScalefactorFactor[2][4][32]; // 2^(-(s + 1) (p + f) / 2)
float gSubblockGain[8];             // 2^(-2 k)
// v^(4/3) for every magnitude a Huffman value can have: 15 plus 13 linbits.
constexpr int32_t kLargestQuantised = 15 + 8191;
float gPower43[kLargestQuantised + 1];

// Dequantises count lines; true when any was nonzero. Branch-free: the table's
// entry 0 is 0, and the sign is put back afterwards.
inline bool L3DequantiseLines(const int32_t* in, float* out, int32_t count, float factor) {
    int32_t any = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t v = in[i];
        any |= v;
        const int32_t magnitude = std::min(v < 0 ? -v : v, kLargestQuantised);
        const float power = gPower43[magnitude];
        out[i] = factor * (v < 0 ? -power : power);
    }
    return any != 0;
}

} // namespace

void L3InitDequantiseTables() {
    for (int32_t i = 0; i < kGainEntries; ++i)
        gGain[i] = static_cast<float>(std::pow(2.0, (i - 156) / 4.0));
    for (int32_t s = 0; s < 2; ++s)
        for (int32_t p = 0; p < 4; ++p)
            for (int32_t f = 0; f < 32; ++f)
                gScalefactorFactor[s][p][f] =
                    static_cast<float>(std::pow(2.0, -(s + 1) * (p + f) / 2.0));
    for (int32_t k = 0; k < 8; ++k)
        gSubblockGain[k] = static_cast<float>(std::pow(2.0, -2.0 * k));
    for (int32_t v = 0; v <= kLargestQuantised; ++v)
        gPower43[v] = static_cast<float>(v * std::cbrt(static_cast<double>(v)));
}

void L3Dequantise(int32_t granule, int32_t ch) {
    Layer3State& l3 = gLayer3;
    const L3GranuleChannel& gc = l3.side.granules[granule][ch];
    const L3Scalefactors& sf = l3.scalefactors[granule][ch];
    L3StereoInfo& info = l3.stereo[ch];
    const int32_t* in = l3.quantised[ch];
    float* out = l3.spectrum[ch][granule];
    int32_t& nonzeroCount = l3.nonzeroCount[ch];

    info.blockType = gc.blockType;
    info.longBandCount = kLongBands;
    info.firstShortBand = kShortBands - 1;
    if (gc.blockType == 2) {
        info.longBandCount = gc.mixedBlock ? l3.mixedLongBands : 0;
        info.firstShortBand = gc.mixedBlock ? 3 : 0;
    }
    const int32_t gainIndex = gc.globalGain + kGainOffset;
    const float gain =
        gGain[gainIndex < 0 ? 0 : (gainIndex >= kGainEntries ? kGainEntries - 1 : gainIndex)];
    const int32_t scale = gc.scalefacScale & 1;
    const int32_t preflag = gc.preflag & 1;

    info.lastNonzeroBand = -1;
    int32_t line = 0;
    for (int32_t m = 0; m < info.longBandCount; ++m) {
        const int32_t pre = preflag ? kPretab[m] : 0;
        const float factor = gain * gScalefactorFactor[scale][pre][sf.values[m] & 31];
        const int32_t width = l3.longBandWidths[m];
        if (L3DequantiseLines(in + line, out + line, width, factor)) info.lastNonzeroBand = m;
        line += width;
        if (line >= nonzeroCount) break;
    }
    std::memset(out + line, 0, sizeof(float) * static_cast<size_t>(kGranuleLines - line));

    if (info.firstShortBand >= kShortBands - 1) {
        info.hasShortPart = 0;
        return;
    }
    // Short bands arrive window by window; they are stored interleaved, three
    // windows per line, so that the short transforms read them in order.
    const int32_t regionStart = info.firstShortBand == 0 ? 0 : l3.shortBandEnds3[2];
    line = regionStart;
    float scratch[kGranuleLines];
    for (int32_t w = 0; w < 3; ++w)
        info.lastNonzeroShortBand[w] = info.firstShortBand - 1;
    int32_t bandOffset = 0; // start of the band within the short region, in short lines
    for (int32_t b = info.firstShortBand; b < kShortBands; ++b) {
        const int32_t width = l3.shortBandWidths[b];
        for (int32_t w = 0; w < 3; ++w) {
            const float factor = gain * gSubblockGain[gc.subblockGain[w] & 7] *
                                 gScalefactorFactor[scale][0][sf.Short(w)[b] & 31];
            float values[kGranuleLines / 3];
            if (L3DequantiseLines(in + line, values, width, factor))
                info.lastNonzeroShortBand[w] = b;
            for (int32_t i = 0; i < width; ++i)
                scratch[3 * (bandOffset + i) + w] = values[i];
            line += width;
        }
        bandOffset += width;
        if (line >= nonzeroCount) break;
    }
    std::memcpy(out + regionStart, scratch,
                sizeof(float) * static_cast<size_t>(line - regionStart));
    nonzeroCount = line;
    info.hasShortPart = 1;
    info.lastNonzeroBand = info.lastNonzeroShortBand[0];
    for (int32_t w = 1; w < 3; ++w)
        if (info.lastNonzeroShortBand[w] > info.lastNonzeroBand)
            info.lastNonzeroBand = info.lastNonzeroShortBand[w];
}
