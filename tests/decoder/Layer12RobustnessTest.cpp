// Damaged Layer I and II input: every frame is handed to the decoder in a buffer of
// exactly the bytes it may look at (the largest frame, and for Layer II the two bytes
// of the padding rule's look at the next sync), so that the sanitizer build turns any
// read past them into a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "DecoderTestSupport.h"

namespace {

const char* const kStreams[] = {"l1-fl1",  "l1-fl2",  "l1-fl3",  "l1-fl4",  "l1-fl5", "l1-fl6",
                                "l2-fl10", "l2-fl11", "l2-fl12", "l2-fl13", "l2-fl14"};

const DecodeOptions kOptionSets[] = {
    {0, 0, 24000}, {1, 1, 24000}, {2, 2 | kConversion8Bit, 24000}, {0, 3, 1000}, {1, 8, 9000}};

// Decodes frame after frame until the decoder stops; returns the frames decoded.
int32_t DecodeInExactBuffers(const std::vector<uint8_t>& bytes, const DecodeOptions& options) {
    DecoderInitTables();
    EXPECT_EQ(DecoderSetOptions(options), 1);
    FrameHeader header;
    int32_t offset = 0;
    if (!FindFrameHeader(bytes.data(), static_cast<int32_t>(bytes.size()), header, offset))
        return 0;
    OutputShape shape;
    if (!GetOutputShape(header, shape) || !DecoderStart(header)) return 0;
    const size_t visible = static_cast<size_t>(shape.maxFrameBytes) + (header.layer == 2 ? 1 : 0);
    std::vector<uint8_t> out(static_cast<size_t>(shape.pcmBytesPerFrame));
    size_t position = static_cast<size_t>(offset);
    int32_t frames = 0;
    while (position < bytes.size()) {
        std::vector<uint8_t> frame(visible, 0);
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(position),
                  bytes.begin() +
                      static_cast<std::ptrdiff_t>(std::min(bytes.size(), position + visible)),
                  frame.begin());
        const DecodeResult result = DecodeFrame(frame.data(), out.data());
        if (result.consumed == 0 || result.produced == 0) break;
        EXPECT_EQ(result.produced, shape.pcmBytesPerFrame);
        EXPECT_GE(result.consumed, shape.frameBytes);
        EXPECT_LE(result.consumed, shape.maxFrameBytes);
        position += static_cast<size_t>(result.consumed);
        ++frames;
    }
    return frames;
}

std::vector<uint8_t> Stream(const char* name) {
    return ReadTestFile(std::string("decoder/") + name + ".bit");
}

} // namespace

TEST(Layer12RobustnessTest, WholeStreamsDecodeInExactBuffers) {
    for (const char* name : kStreams) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Stream(name);
        ASSERT_FALSE(bytes.empty());
        for (const DecodeOptions& options : kOptionSets)
            EXPECT_GT(DecodeInExactBuffers(bytes, options), 10);
    }
}

TEST(Layer12RobustnessTest, TruncatedAndBitFlippedStreamsStayInBounds) {
    std::mt19937 random(1207);
    for (const char* name : kStreams) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Stream(name);
        for (size_t cut = 1; cut < 8; ++cut)
            DecodeInExactBuffers(
                std::vector<uint8_t>(bytes.begin(),
                                     bytes.begin() +
                                         static_cast<std::ptrdiff_t>(bytes.size() * cut / 8 + cut)),
                kOptionSets[cut % 5]);
        for (int32_t variant = 0; variant < 10; ++variant) {
            std::vector<uint8_t> damaged = bytes;
            std::uniform_int_distribution<size_t> where(0, damaged.size() - 1);
            for (size_t n = 0; n < damaged.size() / 300 + 1; ++n)
                damaged[where(random)] ^= static_cast<uint8_t>(1u << (random() % 8));
            DecodeInExactBuffers(damaged, kOptionSets[variant % 5]);
        }
    }
}

// Valid headers (the first frame's, then others of any mode, bit rate and padding)
// in front of bodies of all ones, all zeros or random bytes.
TEST(Layer12RobustnessTest, HostileFrameBodiesStayInBounds) {
    const uint8_t firstHeaders[][4] = {
        {0xFF, 0xFF, 0xE4, 0x00}, // Layer I 448 kbit/s 48 kHz stereo
        {0xFF, 0xFF, 0x18, 0xC0}, // Layer I 32 kbit/s 32 kHz single channel
        {0xFF, 0xFE, 0x10, 0x70}, // Layer I with CRC, joint stereo, bound 16 subbands
        {0xFF, 0xFD, 0xE4, 0x00}, // Layer II 384 kbit/s 48 kHz stereo (table a)
        {0xFF, 0xFD, 0x48, 0x40}, // Layer II 64 kbit/s 32 kHz joint stereo (table d)
        {0xFF, 0xFD, 0x10, 0xC0}, // Layer II 32 kbit/s 44.1 kHz single channel (table c)
        {0xFF, 0xF5, 0xE4, 0x40}, // MPEG-2 Layer II 160 kbit/s 24 kHz joint stereo
        {0xFF, 0xF4, 0x18, 0xC0}, // MPEG-2 Layer II with CRC, 8 kbit/s 16 kHz
    };
    std::mt19937 random(5);
    for (const auto& first : firstHeaders) {
        SCOPED_TRACE(static_cast<int>(first[2]));
        const int32_t length = FrameLength(first);
        ASSERT_GT(length, 0);
        for (int32_t fill = 0; fill < 3; ++fill) {
            std::vector<uint8_t> stream;
            for (int32_t frame = 0; frame < 40; ++frame) {
                // Later frames keep the layer but change mode, extension and padding.
                const uint8_t header[4] = {
                    first[0], first[1],
                    static_cast<uint8_t>(frame == 0 ? first[2]
                                                    : (first[2] & 0xFC) | (random() & 2)),
                    static_cast<uint8_t>(frame == 0 ? first[3] : random())};
                stream.insert(stream.end(), header, header + 4);
                for (int32_t i = 4; i < length; ++i)
                    stream.push_back(fill == 0   ? 0xFF
                                     : fill == 1 ? 0x00
                                                 : static_cast<uint8_t>(random()));
            }
            for (const DecodeOptions& options : kOptionSets)
                DecodeInExactBuffers(stream, options);
        }
    }
}
