// Damaged and hostile input: illegal streams, truncated and bit-flipped conformance
// streams and random frame bodies must decode or stop cleanly (the sanitizer build
// turns any out-of-bounds access into a failure).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "DecoderTestSupport.h"

namespace {

const char* const kConformanceStreams[] = {
    "l3-compl",    "l3-he_32khz", "l3-he_48khz", "l3-he_mode",   "l3-hecommon",        "l3-si",
    "l3-si_block", "l3-si_huff",  "l3-sin1k0db", "M2L3_compl24", "M2L3_bitrate_22_all"};

std::vector<uint8_t> Conformance(const char* name) {
    return ReadTestFile(std::string("decoder/") + name + ".bit");
}

// Decodes every frame, including a last one cut short (the caller pads past the end).
void DecodeAllFrames(const std::vector<uint8_t>& bytes, const DecodeOptions& options) {
    DecoderInitTables();
    ASSERT_EQ(DecoderSetOptions(options), 1);
    std::vector<uint8_t> padded(bytes);
    padded.resize(bytes.size() + 8192, 0);
    FrameHeader header;
    int32_t offset = 0;
    if (!FindFrameHeader(padded.data(), static_cast<int32_t>(bytes.size()), header, offset)) return;
    OutputShape shape;
    ASSERT_EQ(GetOutputShape(header, shape), 1);
    if (!DecoderStart(header)) return;
    std::vector<uint8_t> out(static_cast<size_t>(shape.pcmBytesPerFrame) + 64, 0xA5);
    size_t position = static_cast<size_t>(offset);
    int32_t frames = 0;
    while (position < bytes.size()) {
        const DecodeResult result = DecodeFrame(padded.data() + position, out.data());
        if (result.consumed == 0 || result.produced == 0) break;
        ASSERT_EQ(result.produced, shape.pcmBytesPerFrame);
        ASSERT_GT(result.consumed, 0);
        ASSERT_LE(result.consumed, 1441);
        position += static_cast<size_t>(result.consumed);
        ++frames;
    }
    // Nothing is written past the frame's PCM.
    for (size_t i = static_cast<size_t>(shape.pcmBytesPerFrame); i < out.size(); ++i)
        ASSERT_EQ(out[i], 0xA5);
}

} // namespace

TEST(RobustnessTest, IllegalStreamsDecodeOrAreRefused) {
    const char* const streams[] = {"ILL2_dual.bit",
                                   "ILL2_layer3.bit",
                                   "ILL2_mono.bit",
                                   "ILL4_sync.bit",
                                   "ILL4_wrong_length1.bit",
                                   "l3-compl-cut.mp3",
                                   "l3-nonstandard-id3v1.bit",
                                   "l3-nonstandard-id3v2.bit",
                                   "l3-nonstandard-sideinfo-size.bit",
                                   "l3-nonstandard-small.bit"};
    for (const char* name : streams) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = ReadTestFile(std::string("decoder/robust/") + name);
        ASSERT_FALSE(bytes.empty());
        DecodeAllFrames(bytes, kDefaultDecodeOptions);
        DecodeAllFrames(bytes, {2, 1 | kConversion8Bit, 24000});
    }
}

TEST(RobustnessTest, TinyInputsAreRefused) {
    const std::vector<uint8_t> small = ReadTestFile("decoder/robust/l3-nonstandard-small.bit");
    const DecodedStream stream = DecodeStream(small);
    EXPECT_EQ(stream.frames, 0);
}

TEST(RobustnessTest, TruncatedStreamsStopCleanly) {
    for (const char* name : kConformanceStreams) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Conformance(name);
        for (size_t cut = 1; cut < 12; ++cut) {
            const std::vector<uint8_t> part(
                bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() * cut / 12 + cut));
            DecodeAllFrames(part, kDefaultDecodeOptions);
        }
    }
}

TEST(RobustnessTest, BitFlippedStreamsStayInBounds) {
    std::mt19937 random(20261207);
    for (const char* name : kConformanceStreams) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Conformance(name);
        for (int variant = 0; variant < 6; ++variant) {
            std::vector<uint8_t> damaged = bytes;
            // About one flipped bit per 500 bytes, headers included.
            std::uniform_int_distribution<size_t> where(0, damaged.size() - 1);
            for (size_t n = 0; n < damaged.size() / 500 + 1; ++n)
                damaged[where(random)] ^= static_cast<uint8_t>(1u << (random() % 8));
            const DecodeOptions options = {variant % 3, variant % 4 | (variant & 4 ? 8 : 0), 24000};
            DecodeAllFrames(damaged, options);
        }
    }
}

// Valid headers in front of random side information and main data.
TEST(RobustnessTest, RandomFrameBodiesStayInBounds) {
    std::mt19937 random(4);
    const uint8_t headers[][4] = {{0xFF, 0xFB, 0x90, 0x64}, {0xFF, 0xFB, 0xE0, 0x44},
                                  {0xFF, 0xFA, 0x10, 0xC0}, {0xFF, 0xF3, 0x80, 0x64},
                                  {0xFF, 0xF2, 0x14, 0x00}, {0xFF, 0xF3, 0xE8, 0xC4}};
    for (const auto& header : headers) {
        std::vector<uint8_t> stream;
        for (int frame = 0; frame < 60; ++frame) {
            const int32_t length = FrameLength(header);
            ASSERT_GT(length, 0);
            stream.insert(stream.end(), header, header + 4);
            for (int32_t i = 4; i < length; ++i)
                stream.push_back(static_cast<uint8_t>(random()));
            // Now and then a frame that claims it reaches back the whole reservoir.
            if (frame % 7 == 3)
                stream[stream.size() - static_cast<size_t>(length) + 4 + (header[1] & 1 ? 0 : 2)] =
                    0xFF;
        }
        DecodeAllFrames(stream, kDefaultDecodeOptions);
        DecodeAllFrames(stream, {1, 1, 24000});
        DecodeAllFrames(stream, {0, 3, 1000});
    }
}

// The Layer III ones among them decode to what the reference decoder produced.
TEST(RobustnessTest, IllegalLayer3StreamsMatchTheReference) {
    for (const char* name : {"ILL2_layer3", "l3-nonstandard-id3v1", "l3-nonstandard-id3v2"}) {
        SCOPED_TRACE(name);
        const std::string base = std::string("decoder/robust/") + name;
        std::vector<uint8_t> bytes = ReadTestFile(base + ".bit");
        // An ID3v2 tag in front is skipped by its stated size, as the plug-in does.
        if (bytes.size() > 10 && bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3') {
            const size_t tag =
                10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
            bytes.erase(bytes.begin(),
                        bytes.begin() + static_cast<long>(std::min(tag, bytes.size())));
        }
        const DecodedStream stream = DecodeStream(bytes);
        ASSERT_TRUE(stream.started);
        const std::vector<int16_t> reference = ToSamples(ReadTestFile(base + ".pcm"));
        const Comparison result = CompareSamples(ToSamples(stream.pcm), reference);
        EXPECT_EQ(result.samples, reference.size());
        EXPECT_GE(result.psnr, 88.0);
    }
}
