// Layer III frames: the reservoir, silent frames, granule rows of the low sampling
// rates, damaged granules and frames that end the stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DecoderTestSupport.h"
#include "Layer3State.h"

namespace {

// The stream's frames, padded in memory, with the decoder started on the first.
struct Player {
    std::vector<uint8_t> bytes;
    std::vector<size_t> offsets;
    OutputShape shape{};

    explicit Player(const char* path, const DecodeOptions& options = kDefaultDecodeOptions) {
        bytes = ReadTestFile(path);
        const size_t size = bytes.size();
        bytes.resize(size + 8192, 0);
        DecoderInitTables();
        EXPECT_EQ(DecoderSetOptions(options), 1);
        FrameHeader header;
        int32_t offset = 0;
        EXPECT_EQ(FindFrameHeader(bytes.data(), static_cast<int32_t>(size), header, offset), 1);
        EXPECT_EQ(GetOutputShape(header, shape), 1);
        EXPECT_EQ(DecoderStart(header), 1);
        for (size_t p = static_cast<size_t>(offset); p < size;) {
            const int32_t length = FrameLength(bytes.data() + p);
            if (length == 0 || p + static_cast<size_t>(length) > size) break;
            offsets.push_back(p);
            p += static_cast<size_t>(length);
        }
    }
    const uint8_t* Frame(size_t index) const { return bytes.data() + offsets[index]; }
    std::vector<uint8_t> Decode(size_t index) {
        std::vector<uint8_t> out(static_cast<size_t>(shape.pcmBytesPerFrame), 0x5A);
        const DecodeResult result = DecodeFrame(Frame(index), out.data());
        EXPECT_EQ(result.consumed, FrameLength(Frame(index)));
        EXPECT_EQ(result.produced, shape.pcmBytesPerFrame);
        return out;
    }
};

bool AllBytesAre(const std::vector<uint8_t>& bytes, uint8_t value) {
    return std::all_of(bytes.begin(), bytes.end(), [value](uint8_t b) { return b == value; });
}

} // namespace

// The stream starts in the middle of a longer one: its first frames point back to
// main data that was never received.
TEST(Layer3FrameTest, FramesReferringToUnreceivedDataAreSilent) {
    for (int32_t conversion : {0, kConversion8Bit}) {
        Player player("decoder/l3-sin1k0db.bit", {0, conversion, 24000});
        ASSERT_GT(player.offsets.size(), 4u);
        ASSERT_GT(Layer3MainDataBegin(player.Frame(0)), 0);
        const uint8_t silence = conversion ? 128 : 0;
        int64_t received = 0;
        for (size_t f = 0; f < 4; ++f) {
            const bool underrun = Layer3MainDataBegin(player.Frame(f)) > received;
            received += FrameLength(player.Frame(f)) - Layer3SideInfoEnd(player.Frame(f));
            EXPECT_EQ(AllBytesAre(player.Decode(f), silence), underrun) << f;
        }
    }
}

// A steady tone: every frame decoded from a filled reservoir is audible.
TEST(Layer3FrameTest, AfterAResetFramesAreSilentUntilTheReservoirRefills) {
    Player player("decoder/l3-sin1k0db.bit");
    ASSERT_GT(player.offsets.size(), 40u);
    for (size_t f = 0; f < 20; ++f)
        player.Decode(f);
    DecoderResetReservoir();
    int64_t received = 0;
    int32_t silent = 0;
    for (size_t f = 20; f < 40; ++f) {
        const bool underrun = Layer3MainDataBegin(player.Frame(f)) > received;
        received += FrameLength(player.Frame(f)) - Layer3SideInfoEnd(player.Frame(f));
        const std::vector<uint8_t> pcm = player.Decode(f);
        if (underrun) {
            ++silent;
            EXPECT_TRUE(AllBytesAre(pcm, 0)) << f;
        } else {
            EXPECT_FALSE(AllBytesAre(pcm, 0)) << f;
        }
    }
    EXPECT_GE(silent, 1);
}

TEST(Layer3FrameTest, LowSamplingRateFramesAlternateGranuleRows) {
    Player player("decoder/fixtures/lsf-joint-sines.mp3");
    ASSERT_GT(player.offsets.size(), 6u);
    const int32_t first = gLayer3.granuleToggle;
    for (size_t f = 0; f < 6; ++f) {
        player.Decode(f);
        EXPECT_EQ(gLayer3.granuleToggle, first ^ static_cast<int32_t>((f + 1) & 1)) << f;
    }
    // Each frame's overlap lands in its own row: both rows now hold the tones.
    EXPECT_GT(gLayer3.overlapExtent[0][0], 0);
    EXPECT_GT(gLayer3.overlapExtent[0][1], 0);
}

// part2_3_length too small for its data: that channel's granule is dropped, the
// channel decoded before it is untouched.
TEST(Layer3FrameTest, AnOverrunningGranuleSilencesOnlyItsChannel) {
    const size_t target = 20;
    Player clean("decoder/fixtures/stereo-sines.mp3");
    ASSERT_EQ((clean.Frame(0)[3] >> 6), 0); // plain stereo: no channel mixing
    std::vector<uint8_t> expected;
    for (size_t f = 0; f <= target; ++f)
        expected = clean.Decode(f);

    Player damaged("decoder/fixtures/stereo-sines.mp3");
    // part2_3_length of granule 0, channel 1: after 9 + 3 + 2 x 4 bits and one
    // granule-channel record of 59 bits.
    uint8_t* side = damaged.bytes.data() + damaged.offsets[target] + 4 +
                    ((damaged.Frame(target)[1] & 1) ? 0 : 2);
    for (int32_t bit = 79; bit < 79 + 12; ++bit)
        side[bit / 8] &= static_cast<uint8_t>(~(0x80 >> (bit % 8)));
    std::vector<uint8_t> actual;
    for (size_t f = 0; f <= target; ++f)
        actual = damaged.Decode(f);

    const std::vector<int16_t> before = ToSamples(expected);
    const std::vector<int16_t> after = ToSamples(actual);
    size_t leftDifferences = 0;
    size_t rightDifferences = 0;
    for (size_t i = 0; i < 576 * 2; i += 2) {
        leftDifferences += before[i] != after[i];
        rightDifferences += before[i + 1] != after[i + 1];
    }
    EXPECT_EQ(leftDifferences, 0u);
    EXPECT_GT(rightDifferences, 100u);
}

TEST(Layer3FrameTest, AFrameWithoutSyncOrWithAnInvalidRateEndsTheStream) {
    Player player("decoder/fixtures/stereo-sines.mp3");
    std::vector<uint8_t> frame(player.Frame(3), player.Frame(3) + 2000);
    std::vector<uint8_t> out(static_cast<size_t>(player.shape.pcmBytesPerFrame), 0x5A);
    frame[1] = 0xEB; // the reserved version
    DecodeResult result = DecodeFrame(frame.data(), out.data());
    EXPECT_EQ(result.consumed, 0);
    EXPECT_EQ(result.produced, 0);
    frame[1] = 0xFB;
    frame[2] = static_cast<uint8_t>(0xF0 | (frame[2] & 0x0F)); // bit-rate index 15
    result = DecodeFrame(frame.data(), out.data());
    EXPECT_EQ(result.consumed, 0);
    frame[2] = static_cast<uint8_t>(0x90 | 0x0C); // sampling-rate index 3
    result = DecodeFrame(frame.data(), out.data());
    EXPECT_EQ(result.produced, 0);
    EXPECT_TRUE(AllBytesAre(out, 0x5A));
}

TEST(Layer3FrameTest, EachFrameIsConsumedWithItsOwnBitRate) {
    // The stream steps through every bit rate of its version.
    Player player("decoder/M2L3_bitrate_22_all.bit");
    std::vector<int32_t> rates;
    for (size_t f = 0; f < player.offsets.size(); ++f) {
        player.Decode(f); // checks consumed against the frame's own length
        rates.push_back(player.Frame(f)[2] >> 4);
    }
    std::sort(rates.begin(), rates.end());
    EXPECT_GE(std::unique(rates.begin(), rates.end()) - rates.begin(), 10);
}
