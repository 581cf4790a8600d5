// Stereo processing and alias reduction on prepared granules.
#include <gtest/gtest.h>

#include <cstring>

#include "Decoder.h"
#include "Layer3Dequantise.h"
#include "Layer3State.h"
#include "Layer3Stereo.h"

namespace {

// A started MPEG-1 44.1 kHz joint-stereo stream and an empty granule 0.
void StartJointStereo(int32_t modeExtension) {
    DecoderInitTables();
    const uint8_t bytes[4] = {0xFF, 0xFB, 0x90, static_cast<uint8_t>(0x40 | (modeExtension << 4))};
    FrameHeader header;
    int32_t offset;
    ASSERT_EQ(FindFrameHeader(bytes, 4, header, offset), 1);
    ASSERT_EQ(DecoderStart(header), 1);
    Layer3State& l3 = gLayer3;
    l3.channels = 2;
    l3.mode = 1;
    l3.modeExtension = modeExtension;
    for (int32_t ch = 0; ch < 2; ++ch) {
        std::memset(&l3.side.granules[0][ch], 0, sizeof(L3GranuleChannel));
        l3.side.granules[0][ch].globalGain = 150; // factor 1 before the 32768
        std::memset(l3.quantised[ch], 0, sizeof(l3.quantised[ch]));
        std::memset(&l3.scalefactors[0][ch], 0, sizeof(L3Scalefactors));
    }
}

void Dequantise(const int32_t* nonzero) {
    for (int32_t ch = 0; ch < 2; ++ch) {
        gLayer3.nonzeroCount[ch] = nonzero[ch];
        L3Dequantise(0, ch);
    }
}

} // namespace

// Intensity stereo on long and short blocks: where it starts, and the top band, which
// has no position of its own. Positions: 0 moves all to the right, 3 is the centre
// (half to each side), 6 keeps all on the left.
TEST(Layer3StereoTest, IntensityStartsAboveTheRightChannelAndCoversTheTopBand) {
    struct Case {
        const char* name;
        bool shortBlock;
        int32_t rightLine;     // the right channel's one nonzero line, -1 for none
        int32_t positionBelow; // of long band 20 or short band 11
        int32_t line;          // line checked
        float expectLeft;      // multiples of the decoded left value
        float expectRight;     // -1: the right channel's own decoded value
    };
    const Case cases[] = {
        {"silent right: from band 0", false, -1, 6, 0, 0.0f, 1.0f},
        {"right in band 0: band 0 as decoded", false, 1, 6, 0, 1.0f, 0.0f},
        {"right in band 0: band 1 coded", false, 1, 6, 4, 0.0f, 1.0f},
        {"top band takes band 20's position", false, -1, 6, 500, 1.0f, 0.0f},
        {"right up to band 20: top band at the centre", false, 400, 6, 500, 0.5f, 0.5f},
        {"short, window 0 nonzero: its band 0 as decoded", true, 0, 6, 0, 1.0f, -1.0f},
        {"short, window 1 silent: its band 0 coded", true, 0, 6, 1, 0.0f, 1.0f},
        {"short top band takes band 11's position", true, 0, 6, 3 * 150 + 2, 1.0f, 0.0f},
        {"short top band at the centre", true, 3 * 106 + 2, 0, 3 * 150, 0.5f, 0.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartJointStereo(1);
        Layer3State& l3 = gLayer3;
        if (c.shortBlock) {
            for (int32_t ch = 0; ch < 2; ++ch) {
                l3.side.granules[0][ch].windowSwitching = 1;
                l3.side.granules[0][ch].blockType = 2;
            }
        }
        // Short windows are read in full; long lines stop at the band limit (558).
        const int32_t leftLines = c.shortBlock ? 576 : 558;
        for (int32_t i = 0; i < leftLines; ++i)
            l3.quantised[0][i] = 1;
        // Short lines arrive window by window: line 0 is window 0 of band 0, and window 0
        // of short band 11 (lines 106 ... 135 at 44.1 kHz) starts at 3 x 106. Stored
        // interleaved, line 3 k + w is line k of window w; band 12 starts at line 136.
        if (c.rightLine >= 0) l3.quantised[1][c.rightLine] = 2;
        L3Scalefactors& right = l3.scalefactors[0][1];
        for (int32_t b = 0; b < 21; ++b)
            right.values[b] = b == 20 ? c.positionBelow : 0;
        for (int32_t w = 0; w < 3; ++w)
            for (int32_t b = 0; b < 12; ++b)
                right.Short(w)[b] = b == 11 ? c.positionBelow : 0;
        const int32_t nonzero[2] = {leftLines, c.rightLine + 1};
        Dequantise(nonzero);
        const float left = l3.spectrum[0][0][c.line];
        const float rightDecoded = l3.spectrum[1][0][c.line];
        ASSERT_GT(left, 0.0f);
        L3ProcessStereo(0);
        const float tolerance = 1e-6f * left;
        EXPECT_NEAR(l3.spectrum[0][0][c.line], c.expectLeft * left, tolerance);
        EXPECT_NEAR(l3.spectrum[1][0][c.line],
                    c.expectRight < 0 ? rightDecoded : c.expectRight * left, tolerance);
    }
}

TEST(Layer3StereoTest, MidSideUsesTheLargerNonzeroCount) {
    StartJointStereo(2);
    Layer3State& l3 = gLayer3;
    for (int32_t i = 0; i < 10; ++i)
        l3.quantised[0][i] = i % 3;
    const int32_t nonzero[2] = {10, 0};
    Dequantise(nonzero);
    float mid[10];
    std::memcpy(mid, l3.spectrum[0][0], sizeof(mid));
    L3ProcessStereo(0);
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(l3.spectrum[0][0][i], mid[i]);
        EXPECT_EQ(l3.spectrum[1][0][i], mid[i]); // the zero channel takes the difference
    }
    EXPECT_EQ(l3.nonzeroCount[1], l3.nonzeroCount[0]);
}

TEST(Layer3StereoTest, MixedBlocksGetOneAliasBoundaryAndShortBlocksNone) {
    StartJointStereo(0);
    Layer3State& l3 = gLayer3;
    float* x = l3.spectrum[0][0];
    for (int32_t i = 0; i < 576; ++i)
        x[i] = 0.0f;
    x[17] = x[18] = x[35] = x[36] = 1.0f;
    L3StereoInfo& info = l3.stereo[0];
    info.blockType = 2;
    info.longBandCount = 8; // mixed
    l3.nonzeroCount[0] = 300;
    L3AliasReduce(0, 0);
    EXPECT_NE(x[17], 1.0f);
    EXPECT_NE(x[18], 1.0f);
    EXPECT_EQ(x[35], 1.0f);
    EXPECT_EQ(x[36], 1.0f);
    EXPECT_EQ(l3.nonzeroCount[0], 300);

    info.longBandCount = 0; // pure short
    x[17] = x[18] = 1.0f;
    l3.nonzeroCount[0] = 12;
    L3AliasReduce(0, 0);
    EXPECT_EQ(x[17], 1.0f);
    EXPECT_EQ(x[18], 1.0f);
    EXPECT_EQ(l3.nonzeroCount[0], 12);

    info.blockType = 0; // long: every boundary below the count, then 18 b + 8 lines
    info.longBandCount = 22;
    l3.nonzeroCount[0] = 20;
    L3AliasReduce(0, 0);
    EXPECT_NE(x[17], 1.0f);
    EXPECT_EQ(x[35], 1.0f);
    EXPECT_EQ(l3.nonzeroCount[0], 26);
}

TEST(Layer3StereoTest, ShortBlocksAreStoredThreeWindowsPerLine) {
    StartJointStereo(0);
    Layer3State& l3 = gLayer3;
    L3GranuleChannel& gc = l3.side.granules[0][0];
    gc.windowSwitching = 1;
    gc.blockType = 2;
    // Short band 0 is 4 lines wide: window 0 lines 0-3, window 1 lines 4-7, window 2 8-11.
    for (int32_t i = 0; i < 12; ++i)
        l3.quantised[0][i] = i / 4 + 1;
    const int32_t nonzero[2] = {12, 0};
    Dequantise(nonzero);
    const float* x = l3.spectrum[0][0];
    for (int32_t line = 0; line < 4; ++line)
        for (int32_t w = 0; w < 3; ++w)
            EXPECT_FLOAT_EQ(x[3 * line + w], x[w] * 1.0f) << line << " " << w;
    EXPECT_LT(x[0], x[1]); // 1, 2, 3 to the 4/3 power
    EXPECT_LT(x[1], x[2]);
    EXPECT_EQ(l3.stereo[0].hasShortPart, 1);
    EXPECT_EQ(l3.stereo[0].lastNonzeroShortBand[2], 0);
}
