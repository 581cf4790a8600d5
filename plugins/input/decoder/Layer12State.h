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

// The samples are read at bit positions worked out from the allocations, not through
// the reader's chain of refills, so that the reads do not wait on one another. They
// read a copy of the frame with zeros behind it, as the reader reads zeros past the
// frame's end. No read reaches past 4.9 KB: header and side information of 64 entries,
// then 12 granules of 64 entries of at most 48 bits (Layer II; Layer I needs less).
constexpr int32_t kFrameCopyBytes = 8192;
static_assert(6 + (kMaxEntries * (4 + 2 + 18) + 12 * kMaxEntries * 48) / 8 + 4 <= kFrameCopyBytes,
              "the frame copy holds every sample read");

// Copies the frame (frameBytes, zeros after them) up to the byte holding bit endBit
// and the three after it, for L12BitsAt.
const uint8_t* L12CopyFrame(const uint8_t* input, int32_t frameBytes, int32_t endBit);

// n bits (0 ... 25) from bit position on, most significant first.
inline uint32_t L12BitsAt(const uint8_t* bytes, int32_t position, int32_t n) {
    const uint8_t* at = bytes + (position >> 3);
    const uint32_t word = (static_cast<uint32_t>(at[0]) << 24) |
                          (static_cast<uint32_t>(at[1]) << 16) |
                          (static_cast<uint32_t>(at[2]) << 8) | at[3];
    return static_cast<uint32_t>(static_cast<uint64_t>(word << (position & 7)) >> (32 - n));
}

// Common set-up: entry counts from the coded subband count, the synthesis routine,
// a cleared sample block. False when the sampling rate is 0.
bool L12SetupEntries(int32_t codedSubbands);

// Checks the sync and reads protection, padding, mode and mode extension from the
// frame; the reader covers frameBytes + paddingUnit * padding bytes. False without a sync.
bool L12BeginFrame(const uint8_t* input, int32_t frameBytes, int32_t paddingUnit,
                   L12FrameStart& start);
