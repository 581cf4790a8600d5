// State of the Layer III decoder: per-stream set-up values, the main-data
// reservoir, side information, scale factors and the spectrum arrays.
#pragma once

#include <cstdint>

#include "Layer3Tables.h"
#include "Synthesis.h"

constexpr int32_t kGranuleLines = 576;
constexpr int32_t kReservoirSize = 8192;
constexpr int32_t kReservoirMoveThreshold = 6692;

struct L3GranuleChannel {
    int32_t part23Length;
    int32_t bigValues;
    int32_t globalGain; // with the gain adjust and the mid/side offset applied
    int32_t scalefacCompress;
    int32_t windowSwitching;
    int32_t blockType;
    int32_t mixedBlock;
    int32_t tableSelect[3];
    int32_t subblockGain[3];
    int32_t region0Count;
    int32_t region1Count;
    int32_t preflag;
    int32_t scalefacScale;
    int32_t count1Table;
};

struct L3SideInfo {
    int32_t mainDataBegin;
    int32_t privateBits;
    int32_t scfsi[2];
    L3GranuleChannel granules[2][2]; // [granule][channel]
};

constexpr int32_t kShortScalefactorBase = 23;

// Long bands 0-22, then short bands as three rows of 13 (one row per window).
struct L3Scalefactors {
    int32_t values[kShortScalefactorBase + 3 * kShortBands];
    int32_t* Short(int32_t window) { return values + kShortScalefactorBase + kShortBands * window; }
    const int32_t* Short(int32_t window) const {
        return values + kShortScalefactorBase + kShortBands * window;
    }
};

// Scale-factor partitions of an intensity-coded right channel at the low sampling rates.
struct L3IntensityPartitions {
    int32_t longBands[4];  // long bands per partition
    int32_t shortBands[4]; // short bands per partition
    int32_t slen[4];
    int32_t intensityScale;
};

struct L3StereoInfo {
    int32_t hasShortPart;
    int32_t lastNonzeroBand; // -1 when no line is nonzero
    int32_t blockType;
    int32_t firstShortBand;
    int32_t longBandCount;
    int32_t lastNonzeroShortBand[3]; // per window; first short band - 1 when none
};

// Writes one granule's PCM at the output for the chosen channel conversion.
using L3OutputRoutine = void (*)(uint8_t* output, int32_t granule);

struct Layer3State {
    // Set up per stream.
    bool lowSamplingRate;
    int32_t longBandEnds[kLongBands];
    int32_t longBandWidths[kLongBands];
    int32_t shortBandEnds3[kShortBands]; // 3 x the end line
    int32_t shortBandWidths[kShortBands];
    int32_t mixedLongBands;
    int32_t bandLimit;
    int32_t hybridSubbands;
    int32_t gainAdjust;
    L3OutputRoutine outputRoutine;
    Layer3Synthesis synthesis;

    // The main-data reservoir.
    uint8_t reservoir[kReservoirSize];
    int32_t fill;
    int32_t start;
    int32_t bitPosition;

    // The frame being decoded.
    int32_t channels;
    int32_t mode;
    int32_t modeExtension;
    int32_t granuleToggle; // low sampling rates: the granule row of the next frame
    L3SideInfo side;
    L3Scalefactors scalefactors[2][2]; // [granule][channel]
    L3IntensityPartitions intensity;
    L3StereoInfo stereo[2];

    // Spectra: quantised values per channel, then dequantised values that the
    // hybrid filter bank turns into the overlap of the next granule.
    int32_t quantised[2][kGranuleLines];
    int32_t nonzeroCount[2];
    float spectrum[2][2][kGranuleLines]; // [channel][granule]
    int32_t overlapExtent[2][2];         // [channel][granule], lines
    float hybridBlock[kLayer3Slots * kSubbands];
};

extern Layer3State gLayer3;
