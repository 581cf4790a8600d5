// State shared by the Layer I and Layer II frame routines: the per-stream set-up,
// the per-frame allocation and factors, and the block of subband samples.
#pragma once

#include <cstdint>

#include "BitReader.h"
#include "Layer12Tables.h"
#include "Synthesis.h"

// Entries: one per subband for single-channel streams, one per subband and channel
// (subband k, channel c at 2k + c) for two-channel streams.
constexpr int32_t kMaxEntries = 64;
constexpr int32_t kEntriesPerSlot = 64;
constexpr int32_t kLayer1Slots = 12;
constexpr int32_t kLayer2Slots = 36;

struct Layer12State {
    // Set-up
    int32_t channels;       // of the stream: 1 or 2
    int32_t codedEntries;   // entries with an allocation field
    int32_t decodedEntries; // entries below the subband limit
    AllocationTable table;  // Layer II, group sizes in entries
    SubbandSynthesis synthesis;

    // Per frame
    int32_t allocation[kMaxEntries]; // Layer I: allocation field; Layer II: class
    bool sharedPair[kMaxEntries];    // entry and the next carry one set of samples
    int32_t selection[kMaxEntries];  // Layer II scale-factor selection
    float factors[3][kMaxEntries];   // per part (Layer I uses part 0)

    float samples[kLayer2Slots * kEntriesPerSlot];
};

extern Layer12State gLayer12;

// What a frame routine takes from the frame's own header.
struct L12FrameStart {
    BitReader reader; // after the header and the CRC
    int32_t bound;    // first entry whose subband is shared by both channels
    int32_t padding;
};

// Common set-up: entry counts from the coded subband count, the synthesis routine,
// a cleared sample block. False when the sampling rate is 0.
bool L12SetupEntries(int32_t codedSubbands);

// Checks the sync and reads protection, padding, mode and mode extension from the
// frame; the reader covers frameBytes + paddingUnit * padding bytes. False without a sync.
bool L12BeginFrame(const uint8_t* input, int32_t frameBytes, int32_t paddingUnit,
                   L12FrameStart& start);
