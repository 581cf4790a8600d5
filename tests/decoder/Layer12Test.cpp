// Layers I and II: allocation table choice, joint-stereo sharing, subbands above the
// limit skipped by bit count, the forbidden Layer I allocation, the Layer II padding
// rule and the reduced-rate output, on frames built bit by bit and on real streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "DecoderTestSupport.h"
#include "Layer12FrameWriter.h"
#include "Layer12Tables.h"

namespace {

constexpr int32_t kFrames = 3;

std::vector<uint8_t> Repeat(const std::vector<uint8_t>& frame, int32_t times) {
    std::vector<uint8_t> bytes;
    for (int32_t i = 0; i < times; ++i)
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

std::vector<int16_t> DecodeSamples(const std::vector<uint8_t>& bytes,
                                   const DecodeOptions& options = kDefaultDecodeOptions) {
    const DecodedStream stream = DecodeStream(bytes, options);
    EXPECT_TRUE(stream.started);
    return ToSamples(stream.pcm);
}

bool AnyNonzero(const std::vector<int16_t>& samples) {
    for (int16_t sample : samples)
        if (sample != 0) return true;
    return false;
}

// Random codes below the all-ones pattern, for the given allocation of every slot.
void FillLayer1Samples(SubbandFrame& frame, int32_t channel, int32_t subband,
                       std::mt19937& random) {
    const int32_t bits = frame.allocation[channel][subband] + 1;
    for (auto& slot : frame.samples)
        slot[channel][subband] = random() % ((1u << bits) - 1);
}

// Random codes valid for the Layer II class of the allocation, every granule.
void FillLayer2Samples(SubbandFrame& frame, int32_t channel, int32_t subband,
                       std::mt19937& random) {
    const uint32_t steps =
        static_cast<uint32_t>(Layer2Steps(subband, frame.allocation[channel][subband]));
    const bool grouped = steps == 3 || steps == 5 || steps == 9;
    for (int32_t g = 0; g < 12; ++g)
        for (int32_t n = 0; n < 3; ++n)
            frame.samples[3 * g + n][channel][subband] =
                grouped ? random() % (steps * steps * steps) : random() % steps;
}

// A joint-stereo frame (mode extension 0: subbands 4 and up shared) and the same
// content written as plain stereo, with the shared samples written for both channels.
struct SharingPair {
    SubbandFrame joint;
    SubbandFrame stereo;
};

SharingPair MakeSharingPair(int32_t layer) {
    std::mt19937 random(layer);
    SubbandFrame frame;
    frame.mode = 1;
    frame.modeExtension = 0;
    const int32_t own[][3] = {{0, 0, 4}, {1, 1, 5}, {0, 3, 3}}; // channel, subband, allocation
    const int32_t shared[][2] = {{4, 6}, {7, 2}, {9, 1}};       // subband, allocation
    for (const auto& entry : own) {
        frame.allocation[entry[0]][entry[1]] = entry[2];
        frame.scaleFactor[entry[0]][entry[1]] = 8;
    }
    for (const auto& entry : shared) {
        frame.allocation[0][entry[0]] = frame.allocation[1][entry[0]] = entry[1];
        // Each channel keeps its own scale factor: the right one 6 dB lower.
        frame.scaleFactor[0][entry[0]] = 6;
        frame.scaleFactor[1][entry[0]] = 9;
    }
    for (int32_t c = 0; c < 2; ++c) {
        for (int32_t k = 0; k < 32; ++k) {
            if (frame.allocation[c][k] == 0 || (k >= 4 && c == 1)) continue;
            if (layer == 1) FillLayer1Samples(frame, c, k, random);
            if (layer == 2) FillLayer2Samples(frame, c, k, random);
        }
    }
    SharingPair pair{frame, frame};
    pair.stereo.mode = 0;
    for (auto& slot : pair.stereo.samples)
        for (int32_t k = 4; k < 32; ++k)
            slot[1][k] = slot[0][k];
    return pair;
}

} // namespace

TEST(Layer12Test, AllocationTableFollowsBitRatePerChannelAndSamplingRate) {
    // ISO/IEC 11172-3 B.2: table a (0) 27 subbands, b (1) 30, c (2) 8, d (3) 12.
    struct Case {
        int32_t mode, sampleRateIndex, bitrateIndex, table;
    };
    const Case cases[] = {
        {0, 0, 10, 1}, // 44.1 kHz, 96 kbit/s per channel
        {0, 1, 10, 0}, // 48 kHz: table a up to the top
        {0, 2, 14, 1}, // 32 kHz, 384 kbit/s stereo
        {0, 0, 4, 2},  // 44.1 kHz, 32 kbit/s per channel
        {2, 2, 6, 3},  // 32 kHz, 48 kbit/s per channel, dual channel
        {1, 0, 7, 0},  // 44.1 kHz, 56 kbit/s per channel
        {3, 0, 3, 0},  // single channel 56 kbit/s
        {3, 0, 2, 2},  // single channel 48 kbit/s
        {3, 2, 1, 3},  // single channel 32 kbit/s at 32 kHz
        {3, 0, 6, 1},  // single channel 96 kbit/s
        {3, 0, 10, 1}, // single channel 192 kbit/s
    };
    for (const Case& c : cases)
        EXPECT_EQ(L2ChooseAllocationTable(1, c.mode, c.sampleRateIndex, c.bitrateIndex), c.table)
            << c.mode << " " << c.sampleRateIndex << " " << c.bitrateIndex;
    // Not allowed: two channels at 32, 48, 56 and 80 kbit/s; one channel above 192.
    for (int32_t index : {1, 2, 3, 5})
        for (int32_t mode : {0, 1, 2})
            EXPECT_EQ(L2ChooseAllocationTable(1, mode, 0, index), -1) << index;
    for (int32_t index : {11, 12, 13, 14})
        EXPECT_EQ(L2ChooseAllocationTable(1, 3, 1, index), -1) << index;
    // The low sampling rates have one table.
    EXPECT_EQ(L2ChooseAllocationTable(0, 0, 1, 1), kLayer2TableLowRate);
    EXPECT_EQ(kLayer2AllocationTables[kLayer2TableLowRate].subbands, 30);
    const int32_t expectedSubbands[] = {27, 30, 8, 12};
    for (int32_t t = 0; t < 4; ++t)
        EXPECT_EQ(kLayer2AllocationTables[t].subbands, expectedSubbands[t]);
}

TEST(Layer12Test, StereoLayer2At56KbitsIsRefusedByDecoderStart) {
    DecoderInitTables();
    // MPEG-1 Layer II, no CRC, 56 kbit/s (index 3), 44.1 kHz.
    const uint8_t stereo[4] = {0xFF, 0xFD, 0x30, 0x00};
    const uint8_t joint[4] = {0xFF, 0xFD, 0x30, 0x40};
    const uint8_t mono[4] = {0xFF, 0xFD, 0x30, 0xC0};
    FrameHeader header;
    int32_t offset = 0;
    ASSERT_EQ(FindFrameHeader(stereo, 4, header, offset), 1);
    EXPECT_EQ(header.bitrate, 56);
    EXPECT_EQ(DecoderStart(header), 0);
    // Nothing is left to decode with.
    std::vector<uint8_t> frame(1024, 0), output(4608, 0);
    std::copy(stereo, stereo + 4, frame.begin());
    EXPECT_EQ(DecodeFrame(frame.data(), output.data()).consumed, 0);
    ASSERT_EQ(FindFrameHeader(joint, 4, header, offset), 1);
    EXPECT_EQ(DecoderStart(header), 0);
    ASSERT_EQ(FindFrameHeader(mono, 4, header, offset), 1);
    EXPECT_EQ(DecoderStart(header), 1);
}

TEST(Layer12Test, JointStereoSharesAllocationAndSamplesAboveTheBound) {
    for (int32_t layer : {1, 2}) {
        SCOPED_TRACE(layer);
        const SharingPair pair = MakeSharingPair(layer);
        auto write = [layer](const SubbandFrame& frame) {
            return layer == 1 ? WriteLayer1Frame(frame) : WriteLayer2Frame(frame);
        };
        const std::vector<uint8_t> jointBytes = write(pair.joint);
        const std::vector<uint8_t> stereoBytes = write(pair.stereo);
        ASSERT_NE(jointBytes, stereoBytes);
        const std::vector<int16_t> joint = DecodeSamples(Repeat(jointBytes, kFrames));
        const std::vector<int16_t> stereo = DecodeSamples(Repeat(stereoBytes, kFrames));
        ASSERT_EQ(joint.size(), static_cast<size_t>(kFrames * (layer == 1 ? 384 : 1152) * 2));
        EXPECT_TRUE(AnyNonzero(joint));
        EXPECT_EQ(joint, stereo);
    }
}

TEST(Layer12Test, SharedSubbandIsScaledByEachChannelsOwnFactor) {
    // Only shared subband 5 carries samples; the right scale factor is 3 steps
    // (a factor of 2) lower, so the right channel is half the left.
    SubbandFrame frame;
    frame.mode = 1;
    frame.allocation[0][5] = frame.allocation[1][5] = 9;
    frame.scaleFactor[0][5] = 8;
    frame.scaleFactor[1][5] = 11;
    std::mt19937 random(7);
    FillLayer1Samples(frame, 0, 5, random);
    const std::vector<int16_t> samples = DecodeSamples(Repeat(WriteLayer1Frame(frame), kFrames));
    ASSERT_FALSE(samples.empty());
    double left = 0.0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        EXPECT_NEAR(samples[i + 1], samples[i] / 2.0, 1.0) << i;
        left += std::abs(samples[i]);
    }
    EXPECT_GT(left / static_cast<double>(samples.size()), 500.0);
}

TEST(Layer12Test, SubbandsAboveTheLimitAreSkippedByBitCount) {
    // Subband 31 (never decoded) and, with a 12 kHz limit at 48 kHz, subbands 16 and
    // up: their allocations and scale factors are read, their samples skipped.
    std::mt19937 random(31);
    SubbandFrame full;
    full.mode = 3;
    for (int32_t k : {0, 3, 15, 16, 20, 31}) {
        full.allocation[0][k] = k == 31 ? 7 : 4;
        full.scaleFactor[0][k] = 10;
        FillLayer1Samples(full, 0, k, random);
    }
    SubbandFrame belowTop = full;
    belowTop.allocation[0][31] = 0;
    SubbandFrame belowSixteen = belowTop;
    belowSixteen.allocation[0][16] = belowSixteen.allocation[0][20] = 0;

    const std::vector<int16_t> decoded = DecodeSamples(Repeat(WriteLayer1Frame(full), kFrames));
    EXPECT_TRUE(AnyNonzero(decoded));
    EXPECT_EQ(decoded, DecodeSamples(Repeat(WriteLayer1Frame(belowTop), kFrames)));

    const DecodeOptions limited = {0, 0, 12000}; // (12000 * 64 + 24000) / 48000 = 16
    const std::vector<int16_t> limitedFull =
        DecodeSamples(Repeat(WriteLayer1Frame(full), kFrames), limited);
    EXPECT_EQ(limitedFull, DecodeSamples(Repeat(WriteLayer1Frame(belowSixteen), kFrames), limited));
    EXPECT_NE(limitedFull, decoded);

    // The same for Layer II: subband 26 is the table's last, subband 20 above a 12 kHz limit.
    SubbandFrame layer2;
    layer2.mode = 3;
    for (int32_t k : {0, 10, 20, 26}) {
        layer2.allocation[0][k] = k == 26 ? 3 : 5;
        layer2.scaleFactor[0][k] = 12;
        FillLayer2Samples(layer2, 0, k, random);
    }
    SubbandFrame layer2Below = layer2;
    layer2Below.allocation[0][20] = layer2Below.allocation[0][26] = 0;
    EXPECT_EQ(DecodeSamples(Repeat(WriteLayer2Frame(layer2), kFrames), limited),
              DecodeSamples(Repeat(WriteLayer2Frame(layer2Below), kFrames), limited));
}

TEST(Layer12Test, Layer1Allocation15ReadsSixteenBitSamples) {
    // Allocation 15 is forbidden; the decoder reads it as 16-bit samples, the next
    // step of the pattern. Full-scale codes then match allocation 14's within a step,
    // and subband 1 after it is read in step.
    std::mt19937 random(15);
    SubbandFrame sixteen;
    sixteen.mode = 3;
    sixteen.allocation[0][0] = 15;
    sixteen.allocation[0][1] = 3;
    sixteen.scaleFactor[0][0] = 20;
    sixteen.scaleFactor[0][1] = 8;
    FillLayer1Samples(sixteen, 0, 1, random);
    SubbandFrame fifteen = sixteen;
    fifteen.allocation[0][0] = 14;
    for (int32_t s = 0; s < 12; ++s) {
        sixteen.samples[s][0][0] = s % 2 ? 0xFFFF : 0x0000;
        fifteen.samples[s][0][0] = s % 2 ? 0x7FFF : 0x0000;
    }
    const std::vector<int16_t> a = DecodeSamples(Repeat(WriteLayer1Frame(sixteen), kFrames));
    const std::vector<int16_t> b = DecodeSamples(Repeat(WriteLayer1Frame(fifteen), kFrames));
    ASSERT_EQ(a.size(), b.size());
    ASSERT_TRUE(AnyNonzero(a));
    for (size_t i = 0; i < a.size(); ++i)
        ASSERT_NEAR(a[i], b[i], 2) << i;
}

TEST(Layer12Test, Layer2PaddingRuleAbsorbsAOneByteShift) {
    const std::vector<uint8_t> original = ReadTestFile("decoder/l2-fl11.bit");
    ASSERT_FALSE(original.empty());
    // The first frame whose header has no padding bit; one byte goes in after it.
    size_t position = 0;
    while (position + 4 < original.size() && ((original[position + 2] >> 1) & 1) != 0)
        position += static_cast<size_t>(FrameLength(original.data() + position));
    ASSERT_LT(position + 4, original.size());
    const size_t end = position + static_cast<size_t>(FrameLength(original.data() + position));
    std::vector<uint8_t> shifted(original);
    shifted.insert(shifted.begin() + static_cast<std::ptrdiff_t>(end), 0x00);

    const DecodedStream expected = DecodeStream(original);
    const DecodedStream decoded = DecodeStream(shifted);
    EXPECT_EQ(decoded.frames, expected.frames);
    EXPECT_EQ(decoded.pcm, expected.pcm);
    ASSERT_GT(decoded.frameOffsets.size(), 2u);
    EXPECT_EQ(static_cast<size_t>(decoded.frameOffsets.back()),
              static_cast<size_t>(expected.frameOffsets.back()) + 1);
}

TEST(Layer12Test, HalfRateLayer2StereoFrameIs2304Bytes) {
    const std::vector<uint8_t> bytes = ReadTestFile("decoder/fixtures/lsf24-stereo.mp2");
    ASSERT_FALSE(bytes.empty());
    const DecodedStream full = DecodeStream(bytes);
    const DecodedStream half = DecodeStream(bytes, {1, 0, 24000});
    ASSERT_TRUE(half.started);
    EXPECT_EQ(half.shape.pcmBytesPerFrame, 36 * 16 * 2 * 2);
    EXPECT_EQ(half.shape.outputRate, 12000);
    EXPECT_EQ(half.pcm.size(), static_cast<size_t>(half.frames) * 2304);
    EXPECT_EQ(half.frames, full.frames);
    // The tones (440 Hz left, 1000 Hz right) lie well below 6 kHz: each channel keeps
    // its level at half rate.
    const std::vector<int16_t> fullSamples = ToSamples(full.pcm);
    const std::vector<int16_t> halfSamples = ToSamples(half.pcm);
    for (size_t channel = 0; channel < 2; ++channel) {
        auto rms = [channel](const std::vector<int16_t>& samples) {
            double sum = 0.0;
            size_t count = 0;
            for (size_t i = samples.size() / 4 * 2 + channel; i < samples.size(); i += 2, ++count)
                sum += static_cast<double>(samples[i]) * samples[i];
            return std::sqrt(sum / static_cast<double>(count));
        };
        const double ratio = rms(halfSamples) / rms(fullSamples);
        EXPECT_NEAR(20.0 * std::log10(ratio), 0.0, 0.5) << channel;
    }
}

TEST(Layer12Test, EightBitOutputIsTheHighByteOfTheSixteenBitOutput) {
    const std::vector<uint8_t> bytes = ReadTestFile("decoder/l1-fl4.bit");
    const DecodedStream wide = DecodeStream(bytes);
    const DecodedStream narrow = DecodeStream(bytes, {0, kConversion8Bit, 24000});
    ASSERT_TRUE(narrow.started);
    ASSERT_EQ(narrow.pcm.size() * 2, wide.pcm.size());
    const std::vector<int16_t> samples = ToSamples(wide.pcm);
    for (size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(narrow.pcm[i], static_cast<uint8_t>((samples[i] >> 8) + 128)) << i;
}

TEST(Layer12Test, ChannelChoicesAtEveryWidthAndSampleFormat) {
    const std::vector<uint8_t> bytes = ReadTestFile("decoder/fixtures/lsf22-joint.mp2");
    ASSERT_FALSE(bytes.empty());
    for (int32_t reduction = 0; reduction < 3; ++reduction) {
        for (int32_t format : {0, kConversion8Bit}) {
            SCOPED_TRACE(reduction * 100 + format);
            auto decode = [&](int32_t choice) {
                return DecodeStream(bytes, {reduction, format | choice, 24000});
            };
            const DecodedStream both = decode(0);
            const DecodedStream mix = decode(1);
            const DecodedStream left = decode(2);
            const DecodedStream right = decode(3);
            ASSERT_EQ(both.shape.channels, 2);
            ASSERT_EQ(left.shape.channels, 1);
            const size_t width = format ? 1 : 2;
            const size_t frameSamples = static_cast<size_t>(1152 >> reduction);
            ASSERT_EQ(both.pcm.size(), static_cast<size_t>(both.frames) * frameSamples * 2 * width);
            ASSERT_EQ(left.pcm.size() * 2, both.pcm.size());
            ASSERT_EQ(right.pcm.size() * 2, both.pcm.size());
            ASSERT_EQ(mix.pcm.size() * 2, both.pcm.size());
            auto value = [width](const std::vector<uint8_t>& pcm, size_t i) {
                return width == 1 ? static_cast<int32_t>(pcm[i]) - 128
                                  : static_cast<int32_t>(
                                        static_cast<int16_t>(pcm[2 * i] | (pcm[2 * i + 1] << 8)));
            };
            bool channelsDiffer = false;
            for (size_t i = 0; i < left.pcm.size() / width; ++i) {
                const int32_t l = value(both.pcm, 2 * i);
                const int32_t r = value(both.pcm, 2 * i + 1);
                ASSERT_EQ(value(left.pcm, i), l) << i;
                ASSERT_EQ(value(right.pcm, i), r) << i;
                ASSERT_NEAR(value(mix.pcm, i), (l + r) / 2.0, 1.5) << i;
                channelsDiffer = channelsDiffer || l != r;
            }
            EXPECT_TRUE(channelsDiffer);
        }
    }
}
