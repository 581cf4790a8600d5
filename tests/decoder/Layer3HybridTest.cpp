// The hybrid filter bank's overlap between granules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Decoder.h"
#include "Layer3Hybrid.h"
#include "Layer3State.h"

namespace {

void StartMono() {
    DecoderInitTables();
    const uint8_t bytes[4] = {0xFF, 0xFB, 0x90, 0xC0};
    FrameHeader header;
    int32_t offset;
    ASSERT_EQ(FindFrameHeader(bytes, 4, header, offset), 1);
    ASSERT_EQ(DecoderStart(header), 1);
    std::memset(gLayer3.side.granules, 0, sizeof(gLayer3.side.granules));
}

// Largest magnitude of one subband over the 18 slots of the last hybrid block.
float SubbandPeak(int32_t subband) {
    float peak = 0.0f;
    for (int32_t s = 0; s < kLayer3Slots; ++s) {
        const float value = gLayer3.hybridBlock[kSubbands * s + subband];
        peak = std::max(peak, value < 0 ? -value : value);
    }
    return peak;
}

} // namespace

TEST(Layer3HybridTest, OldOverlapIsOutputWhereTheNextGranuleIsZero) {
    StartMono();
    Layer3State& l3 = gLayer3;
    const L3OutputRoutine output = L3ChooseOutputRoutine(true, 0);
    std::vector<uint8_t> pcm(576 * 2);

    l3.spectrum[0][0][20 * 18 + 5] = 1000.0f; // subband 20 only
    l3.nonzeroCount[0] = 20 * 18 + 6;
    output(pcm.data(), 0);
    EXPECT_GT(SubbandPeak(20), 1.0f);
    EXPECT_EQ(SubbandPeak(19), 0.0f);
    EXPECT_EQ(l3.overlapExtent[0][0], 21 * 18);

    l3.nonzeroCount[0] = 0; // granule 1: nothing decoded
    output(pcm.data(), 1);
    EXPECT_GT(SubbandPeak(20), 1.0f); // the overlap of granule 0
    EXPECT_EQ(l3.overlapExtent[0][1], 21 * 18);

    std::memset(l3.spectrum[0][0], 0, sizeof(l3.spectrum[0][0]));
    output(pcm.data(), 0);
    EXPECT_EQ(SubbandPeak(20), 0.0f); // granule 1 left no overlap
}

TEST(Layer3HybridTest, ShortWindowsFollowLongOnesWithoutLosingTheOverlap) {
    StartMono();
    Layer3State& l3 = gLayer3;
    const L3OutputRoutine output = L3ChooseOutputRoutine(true, 0);
    std::vector<uint8_t> pcm(576 * 2);
    l3.spectrum[0][0][3] = 500.0f;
    l3.nonzeroCount[0] = 18;
    l3.side.granules[0][0].blockType = 1; // start window
    output(pcm.data(), 0);
    std::vector<float> overlap(l3.spectrum[0][0], l3.spectrum[0][0] + 18);

    l3.side.granules[1][0].blockType = 2; // short, and zero: the output is the overlap
    l3.nonzeroCount[0] = 0;
    output(pcm.data(), 1);
    // Subband 0 is never inverted: its slots are the stored overlap itself.
    for (int32_t s = 0; s < kLayer3Slots; ++s)
        EXPECT_FLOAT_EQ(l3.hybridBlock[kSubbands * s], overlap[static_cast<size_t>(s)]) << s;
}
