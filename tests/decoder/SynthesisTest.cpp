// Polyphase synthesis and PCM conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Synthesis.h"

namespace {

struct SynthesisRun {
    std::vector<uint8_t> bytes;
    size_t written; // bytes up to the last one changed
};

// Runs the routine over one block of 18 slots with subband 0 held at value, into a
// buffer filled with a marker so that the extent of the writing shows.
SynthesisRun RunConstant(bool eightBit, int32_t reduction, int32_t channels, float value) {
    SynthInitTables();
    SynthReset();
    std::vector<float> block(kLayer3Slots * kSubbands, 0.0f);
    for (int32_t s = 0; s < kLayer3Slots; ++s)
        block[static_cast<size_t>(kSubbands * s)] = value;
    SynthesisRun run{std::vector<uint8_t>(4 * 18 * 32 * 2, 0xA5), 0};
    const Layer3Synthesis routine = SynthChooseLayer3(eightBit, reduction, channels);
    for (int32_t ch = 0; ch < channels; ++ch)
        routine(block.data(), run.bytes.data(), ch);
    for (size_t i = 0; i < run.bytes.size(); ++i)
        if (run.bytes[i] != 0xA5) run.written = i + 1;
    return run;
}

int16_t Sample16(const std::vector<uint8_t>& bytes, size_t index) {
    return static_cast<int16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

} // namespace

TEST(SynthesisTest, SumsAreTruncatedTowardZeroAndClipped) {
    EXPECT_EQ(SynthToPcm(32767.9f), 32767);
    EXPECT_EQ(SynthToPcm(40000.0f), 32767);
    EXPECT_EQ(SynthToPcm(-32768.5f), -32768);
    EXPECT_EQ(SynthToPcm(-1.0e9f), -32768);
    EXPECT_EQ(SynthToPcm(0.99f), 0);
    EXPECT_EQ(SynthToPcm(-0.99f), 0);
    EXPECT_EQ(SynthToPcm(-2.5f), -2);
    EXPECT_EQ(SynthToPcm(std::numeric_limits<float>::quiet_NaN()), -32768);
}

TEST(SynthesisTest, ConstantInSubbandZeroGivesThatConstantFromTheFifteenthSlot) {
    for (int32_t reduction = 0; reduction <= 2; ++reduction) {
        for (int32_t channels = 1; channels <= 2; ++channels) {
            SCOPED_TRACE(testing::Message()
                         << "reduction " << reduction << " channels " << channels);
            const int32_t width = 32 >> reduction;
            const SynthesisRun run = RunConstant(false, reduction, channels, 1000.0f);
            EXPECT_EQ(run.written, static_cast<size_t>(18 * width * channels * 2));
            for (int32_t slot = 14; slot < 18; ++slot)
                for (int32_t k = 0; k < width * channels; ++k)
                    EXPECT_EQ(Sample16(run.bytes, static_cast<size_t>(slot * width * channels + k)),
                              1000);
        }
    }
}

TEST(SynthesisTest, EightBitOutputIsTheHighByteOffsetBy128) {
    const SynthesisRun silence = RunConstant(true, 0, 2, 0.0f);
    ASSERT_EQ(silence.written, 18u * 32 * 2);
    for (size_t i = 0; i < silence.written; ++i)
        EXPECT_EQ(silence.bytes[i], 128);

    const SynthesisRun loud = RunConstant(true, 1, 1, 1.0e6f);
    ASSERT_EQ(loud.written, 18u * 16);
    EXPECT_EQ(loud.bytes[17 * 16], 255);
    const SynthesisRun quiet = RunConstant(true, 2, 1, -1.0e6f);
    ASSERT_EQ(quiet.written, 18u * 8);
    EXPECT_EQ(quiet.bytes[17 * 8], 0);
    const SynthesisRun small = RunConstant(true, 0, 1, -300.0f);
    EXPECT_EQ(small.bytes[17 * 32], (-300 >> 8) + 128); // arithmetic shift: 126
}

TEST(SynthesisTest, ChannelsKeepTheirOwnHistory) {
    SynthInitTables();
    SynthReset();
    std::vector<float> block(kLayer3Slots * kSubbands, 0.0f);
    for (int32_t s = 0; s < kLayer3Slots; ++s)
        block[static_cast<size_t>(kSubbands * s)] = 500.0f;
    std::vector<float> silent(kLayer3Slots * kSubbands, 0.0f);
    std::vector<uint8_t> out(18 * 32 * 2 * 2);
    const Layer3Synthesis routine = SynthChooseLayer3(false, 0, 2);
    routine(block.data(), out.data(), 0);
    routine(silent.data(), out.data(), 1);
    // Right channel silent, left at the constant once the window is filled.
    for (int32_t slot = 14; slot < 18; ++slot) {
        EXPECT_EQ(Sample16(out, static_cast<size_t>(slot * 64)), 500);
        EXPECT_EQ(Sample16(out, static_cast<size_t>(slot * 64 + 1)), 0);
    }
}

// Layers I and II: subband 0 held at 1000 on the left and 500 on the right.
TEST(SynthesisTest, SubbandVariantsChooseAndMixChannels) {
    struct Expectation {
        int32_t variant;
        int32_t channels;
        int16_t first;
        int16_t second;
    };
    const Expectation cases[] = {{kSubbandsSingleChannel, 1, 1000, 1000},
                                 {kSubbandsBoth, 2, 1000, 500},
                                 {kSubbandsMix, 1, 750, 750},
                                 {kSubbandsLeft, 1, 1000, 1000},
                                 {kSubbandsRight, 1, 500, 500}};
    const int32_t slots = 20;
    std::vector<float> samples(static_cast<size_t>(64 * slots), 0.0f);
    for (int32_t s = 0; s < slots; ++s) {
        samples[static_cast<size_t>(64 * s)] = 1000.0f;
        samples[static_cast<size_t>(64 * s + 1)] = 500.0f;
    }
    std::vector<float> single(static_cast<size_t>(64 * slots), 0.0f);
    for (int32_t s = 0; s < slots; ++s)
        single[static_cast<size_t>(64 * s)] = 1000.0f;
    SynthInitTables();
    for (const Expectation& c : cases) {
        for (int32_t reduction = 0; reduction <= 2; ++reduction) {
            SCOPED_TRACE(testing::Message()
                         << "variant " << c.variant << " reduction " << reduction);
            const int32_t width = 32 >> reduction;
            SynthReset();
            std::vector<uint8_t> out(static_cast<size_t>(slots * width * c.channels * 2) + 16,
                                     0xA5);
            const float* input =
                c.variant == kSubbandsSingleChannel ? single.data() : samples.data();
            SynthChooseSubbands(false, reduction, c.variant)(input, out.data(), slots);
            for (size_t i = out.size() - 16; i < out.size(); ++i)
                ASSERT_EQ(out[i], 0xA5);
            for (int32_t slot = 14; slot < slots; ++slot) {
                const size_t base = static_cast<size_t>(slot * width * c.channels);
                EXPECT_EQ(Sample16(out, base), c.first);
                EXPECT_EQ(Sample16(out, base + static_cast<size_t>(c.channels) - 1), c.second);
                EXPECT_EQ(Sample16(out, base + static_cast<size_t>(width * c.channels) - 1),
                          c.second);
            }
        }
    }
}
