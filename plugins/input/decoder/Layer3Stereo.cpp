#include "Layer3Stereo.h"

#include <algorithm>
#include <cmath>

#include "Layer3State.h"
#include "MpegHeader.h"

namespace {

struct IntensityPair {
    float left;
    float right;
};

// [mid/side on][position 0-7]; with mid/side on the pairs undo its 1/sqrt(2) gain offset.
IntensityPair gIntensity1[2][8];
// [intensity scale][mid/side on][2^slen - 1 + position]
IntensityPair gIntensity2[2][2][64];
float gAliasCs[8];
float gAliasCa[8];

// End line of a channel's last nonzero band, in its own layout; 0 when none.
int32_t L3LastNonzeroEnd(const L3StereoInfo& info) {
    const Layer3State& l3 = gLayer3;
    if (info.lastNonzeroBand < 0) return 0;
    return info.hasShortPart ? l3.shortBandEnds3[info.lastNonzeroBand]
                             : l3.longBandEnds[info.lastNonzeroBand];
}

void L3MidSide(float* left, float* right, int32_t lines) {
    for (int32_t i = 0; i < lines; ++i) {
        const float mid = left[i];
        left[i] = mid + right[i];
        right[i] = mid - right[i];
    }
}

// The top band of either layout carries no position of its own: it takes the
// position of the band below when that band is intensity-coded, else the centre.
template <typename PairOf>
IntensityPair L3TopBandPair(int32_t firstBand, int32_t topBand, IntensityPair centre,
                            PairOf pairOf) {
    return topBand - 1 >= firstBand ? pairOf(topBand - 1) : centre;
}

// Long bands first ... 21 with one pair per band, counting lines down from todo.
template <typename PairOf>
void L3IntensityLong(float* left, float* right, int32_t firstBand, int32_t todo,
                     IntensityPair centre, PairOf pairOf) {
    const Layer3State& l3 = gLayer3;
    int32_t line = firstBand == 0 ? 0 : l3.longBandEnds[firstBand - 1];
    for (int32_t b = firstBand; b < kLongBands; ++b) {
        const IntensityPair pair =
            b == kLongBands - 1 ? L3TopBandPair(firstBand, b, centre, pairOf) : pairOf(b);
        for (int32_t i = 0; i < l3.longBandWidths[b]; ++i, ++line) {
            if (--todo < 0) return;
            right[line] = pair.right * left[line];
            left[line] = pair.left * left[line];
        }
    }
}

// Short bands of each window from firstBand[w] ... 12, one pair per band and window.
template <typename PairOf>
void L3IntensityShort(float* left, float* right, const int32_t firstBand[3], IntensityPair centre,
                      PairOf pairOf) {
    const Layer3State& l3 = gLayer3;
    for (int32_t w = 0; w < 3; ++w) {
        for (int32_t b = firstBand[w]; b < kShortBands; ++b) {
            const IntensityPair pair =
                b == kShortBands - 1 ? L3TopBandPair(firstBand[w], b, centre,
                                                     [&](int32_t band) { return pairOf(w, band); })
                                     : pairOf(w, b);
            int32_t line = (b == 0 ? 0 : l3.shortBandEnds3[b - 1]) + w;
            for (int32_t i = 0; i < l3.shortBandWidths[b]; ++i, line += 3) {
                right[line] = pair.right * left[line];
                left[line] = pair.left * left[line];
            }
        }
    }
}

// Where intensity starts: above the right channel's last nonzero band, in each short
// window separately; a mixed block's windows share the highest of the three.
void L3IntensityStart(const L3StereoInfo& info, int32_t firstBand[3]) {
    for (int32_t w = 0; w < 3; ++w)
        firstBand[w] =
            (info.longBandCount > 0 ? info.lastNonzeroBand : info.lastNonzeroShortBand[w]) + 1;
}

void L3IntensityMpeg1(int32_t granule, bool midSide) {
    Layer3State& l3 = gLayer3;
    float* left = l3.spectrum[0][granule];
    float* right = l3.spectrum[1][granule];
    const L3StereoInfo& info = l3.stereo[1];
    const L3Scalefactors& sf = l3.scalefactors[granule][1];
    const IntensityPair* pairs = gIntensity1[midSide ? 1 : 0];
    const IntensityPair centre = pairs[3];
    if (!info.hasShortPart) {
        L3IntensityLong(left, right, info.lastNonzeroBand + 1,
                        l3.nonzeroCount[0] - L3LastNonzeroEnd(info), centre,
                        [&](int32_t b) { return pairs[std::min(sf.values[b], 7)]; });
        return;
    }
    int32_t firstBand[3];
    L3IntensityStart(info, firstBand);
    L3IntensityShort(left, right, firstBand, centre,
                     [&](int32_t w, int32_t b) { return pairs[std::min(sf.Short(w)[b], 7)]; });
}

// The partition (and so the slen) that holds a band; -1 when none does.
int32_t L3PartitionSlen(const int32_t* bandsPerPartition, int32_t firstBand, int32_t band) {
    int32_t end = firstBand;
    for (int32_t p = 0; p < 4; ++p) {
        end += bandsPerPartition[p];
        if (band < end) return gLayer3.intensity.slen[p];
    }
    return -1;
}

// The pair of a band's position; a band outside every partition is read as illegal.
IntensityPair L3IntensityPair2(const IntensityPair* table, int32_t slen, int32_t position) {
    if (slen < 0) return table[0];
    const int32_t illegal = (1 << slen) - 1;
    return table[illegal + std::min(std::max(position, 0), illegal)];
}

void L3IntensityMpeg2(int32_t granule, bool midSide) {
    Layer3State& l3 = gLayer3;
    float* left = l3.spectrum[0][granule];
    float* right = l3.spectrum[1][granule];
    const L3StereoInfo& info = l3.stereo[1];
    const L3Scalefactors& sf = l3.scalefactors[granule][1];
    const L3IntensityPartitions& is = l3.intensity;
    const IntensityPair* table = gIntensity2[is.intensityScale & 1][midSide ? 1 : 0];
    const IntensityPair centre = table[1]; // position 0 (of slen 1)
    if (!info.hasShortPart) {
        L3IntensityLong(left, right, info.lastNonzeroBand + 1,
                        l3.nonzeroCount[0] - L3LastNonzeroEnd(info), centre, [&](int32_t b) {
                            return L3IntensityPair2(table, L3PartitionSlen(is.longBands, 0, b),
                                                    sf.values[b]);
                        });
        return;
    }
    int32_t firstBand[3];
    L3IntensityStart(info, firstBand);
    L3IntensityShort(left, right, firstBand, centre, [&](int32_t w, int32_t b) {
        const int32_t slen = L3PartitionSlen(is.shortBands, info.firstShortBand, b);
        return L3IntensityPair2(table, slen, sf.Short(w)[b]);
    });
}

} // namespace

void L3InitStereoTables() {
    const double pi = 3.14159265358979323846;
    const double root2 = std::sqrt(2.0);
    for (int32_t p = 0; p < 7; ++p) {
        const double s = std::sin(p * pi / 12);
        const double c = std::cos(p * pi / 12);
        const double kl = s / (s + c);
        const double kr = c / (s + c);
        gIntensity1[0][p] = {static_cast<float>(kl), static_cast<float>(kr)};
        gIntensity1[1][p] = {static_cast<float>(kl * root2), static_cast<float>(kr * root2)};
    }
    gIntensity1[0][7] = {1.0f, 0.0f};
    gIntensity1[1][7] = {1.0f, 1.0f};

    for (int32_t scale = 0; scale < 2; ++scale) {
        const double i0 = std::pow(2.0, scale == 0 ? -0.25 : -0.5);
        for (int32_t ms = 0; ms < 2; ++ms) {
            const double m = ms ? root2 : 1.0;
            IntensityPair* table = gIntensity2[scale][ms];
            for (int32_t k = 0; k <= 5; ++k) {
                const int32_t base = (1 << k) - 1;
                for (int32_t p = 0; p < (1 << k); ++p) {
                    double kl = m;
                    double kr = m;
                    if (p == (1 << k) - 1) {
                        kl = 1.0;
                        kr = ms ? 1.0 : 0.0;
                    } else if (p % 2 == 1) {
                        kl = std::pow(i0, (p + 1) / 2) * m;
                    } else if (p > 0) {
                        kr = std::pow(i0, p / 2) * m;
                    }
                    table[base + p] = {static_cast<float>(kl), static_cast<float>(kr)};
                }
            }
        }
    }

    const double coefficients[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
    for (int32_t i = 0; i < 8; ++i) {
        const double norm = std::sqrt(1.0 + coefficients[i] * coefficients[i]);
        gAliasCs[i] = static_cast<float>(1.0 / norm);
        gAliasCa[i] = static_cast<float>(coefficients[i] / norm);
    }
}

void L3ProcessStereo(int32_t granule) {
    Layer3State& l3 = gLayer3;
    if (l3.channels != 2 || l3.mode != kModeJointStereo) return;
    const bool midSide = (l3.modeExtension & 2) != 0;
    const bool intensity = (l3.modeExtension & 1) != 0;
    int32_t* nonzero = l3.nonzeroCount;
    if (midSide) {
        const int32_t lines =
            intensity ? L3LastNonzeroEnd(l3.stereo[1]) : std::max(nonzero[0], nonzero[1]);
        L3MidSide(l3.spectrum[0][granule], l3.spectrum[1][granule], lines);
    }
    if (intensity) {
        if (l3.lowSamplingRate)
            L3IntensityMpeg2(granule, midSide);
        else
            L3IntensityMpeg1(granule, midSide);
    }
    if (l3.modeExtension != 0) nonzero[0] = nonzero[1] = std::max(nonzero[0], nonzero[1]);
}

void L3AliasReduce(int32_t granule, int32_t ch) {
    Layer3State& l3 = gLayer3;
    const L3StereoInfo& info = l3.stereo[ch];
    if (info.longBandCount == 0) return;
    int32_t& nonzero = l3.nonzeroCount[ch];
    const bool mixed = info.blockType == 2;
    const int32_t boundaries = mixed ? 1 : std::min((nonzero + 7) / 18, 31);
    float* x = l3.spectrum[ch][granule];
    for (int32_t k = 0; k < boundaries; ++k) {
        float* lower = x + 18 * k + 17;
        float* upper = x + 18 * k + 18;
        for (int32_t i = 0; i < 8; ++i) {
            const float a = lower[-i];
            const float b = upper[i];
            lower[-i] = a * gAliasCs[i] - b * gAliasCa[i];
            upper[i] = b * gAliasCs[i] + a * gAliasCa[i];
        }
    }
    nonzero = std::max(nonzero, 18 * boundaries + 8);
}
