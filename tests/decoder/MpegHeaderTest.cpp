// Frame headers, frame lengths, output shapes and options.
#include <gtest/gtest.h>

#include <vector>

#include "Decoder.h"

namespace {

// Header bytes: version 1 = MPEG-1, 0 = MPEG-2, 2 = the 8 to 12 kHz extension;
// layer field 1 = Layer III.
std::vector<uint8_t> Header(int version, int layer, int bitrateIndex, int rateIndex, int padding,
                            int mode) {
    const int versionBits = version == 2 ? 0 : 2 | version;
    return {0xFF, static_cast<uint8_t>(0xE0 | (versionBits << 3) | (layer << 1) | 1),
            static_cast<uint8_t>((bitrateIndex << 4) | (rateIndex << 2) | (padding << 1)),
            static_cast<uint8_t>(mode << 6)};
}

OutputShape ShapeOf(const std::vector<uint8_t>& bytes, const DecodeOptions& options) {
    DecoderInitTables();
    EXPECT_EQ(DecoderSetOptions(options), 1);
    FrameHeader header;
    int32_t offset = -1;
    EXPECT_EQ(FindFrameHeader(bytes.data(), static_cast<int32_t>(bytes.size()), header, offset), 1);
    OutputShape shape{};
    EXPECT_EQ(GetOutputShape(header, shape), 1);
    return shape;
}

} // namespace

TEST(MpegHeaderTest, FindsTheFirstSyncAndDecodesEveryField) {
    std::vector<uint8_t> bytes = {0x00, 0x12, 0xFF, 0x00};
    const std::vector<uint8_t> header = {0xFF, 0xFA, 0x92, 0x6D}; // MPEG-1 L3, CRC, 128k 44.1k
    bytes.insert(bytes.end(), header.begin(), header.end());
    FrameHeader h;
    int32_t offset = -1;
    ASSERT_EQ(FindFrameHeader(bytes.data(), static_cast<int32_t>(bytes.size()), h, offset), 1);
    EXPECT_EQ(offset, 4);
    EXPECT_EQ(h.version, 1);
    EXPECT_EQ(h.layer, 1);
    EXPECT_EQ(h.protection, 0);
    EXPECT_EQ(h.bitrateIndex, 9);
    EXPECT_EQ(h.sampleRateIndex, 0);
    EXPECT_EQ(h.padding, 1);
    EXPECT_EQ(h.privateBit, 0);
    EXPECT_EQ(h.mode, 1);
    EXPECT_EQ(h.modeExtension, 2);
    EXPECT_EQ(h.copyright, 1);
    EXPECT_EQ(h.original, 1);
    EXPECT_EQ(h.emphasis, 1);
    EXPECT_EQ(h.bitrate, 128);
    EXPECT_EQ(h.sampleRate, 44100);
}

TEST(MpegHeaderTest, ScanEndsFourBytesBeforeTheEnd) {
    const std::vector<uint8_t> bytes = {0x00, 0x00, 0xFF, 0xFB, 0x90};
    FrameHeader header;
    int32_t offset = -1;
    EXPECT_EQ(FindFrameHeader(bytes.data(), 5, header, offset), 0);
    EXPECT_EQ(FindFrameHeader(bytes.data(), 3, header, offset), 0);
    EXPECT_EQ(offset, 0);
}

// A sync in a tag, a picture or junk is not a frame: a candidate counts when
// the frame it describes is followed by a frame of the same version, layer and
// sampling rate, or ends the bytes given (alone or before an ID3v1 tag).
TEST(MpegHeaderTest, ACandidateIsAFrameOnlyWhenTheStreamGoesOnBehindIt) {
    // A frame of `length` bytes: its header and zeros.
    const auto frame = [](std::vector<uint8_t> header, size_t length) {
        header.resize(length, 0);
        return header;
    };
    const std::vector<uint8_t> mpeg1 = frame(Header(1, 1, 9, 0, 0, 0), 417); // 128k 44.1k
    const std::vector<uint8_t> at48k = frame(Header(1, 1, 9, 1, 0, 0), 384);
    const std::vector<uint8_t> at32k = Header(1, 1, 9, 2, 0, 0);            // 576 bytes
    const std::vector<uint8_t> at8k = frame(Header(2, 1, 4, 2, 0, 0), 288); // 32k 8 kHz
    const std::vector<uint8_t> badRate = Header(1, 1, 15, 0, 0, 0);
    std::vector<uint8_t> tag = {'T', 'A', 'G'};
    tag.resize(128, ' ');
    const auto join = [](std::initializer_list<std::vector<uint8_t>> parts) {
        std::vector<uint8_t> bytes;
        for (const auto& part : parts)
            bytes.insert(bytes.end(), part.begin(), part.end());
        return bytes;
    };
    const std::vector<uint8_t> junk(100, 0x11);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        int32_t found; // 0 none, else the offset + 1
        int32_t sampleRate;
    } cases[] = {
        {"an invalid candidate, then the stream", join({badRate, mpeg1, mpeg1}), 5, 44100},
        {"a valid header in junk, then the stream", join({at32k, junk, mpeg1, mpeg1}), 105, 44100},
        {"frames of another sampling rate", join({at48k, mpeg1, mpeg1}), 385, 44100},
        {"a lone frame ending the bytes", mpeg1, 1, 44100},
        {"a lone frame before an ID3v1 tag", join({mpeg1, tag}), 1, 44100},
        {"a frame followed by junk", join({mpeg1, junk}), 0, 0},
        {"frames at 8 kHz", join({junk, at8k, at8k}), 101, 8000},
        {"the reserved version", join({{0xFF, 0xEB, 0x90, 0x00}, junk}), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FrameHeader header{};
        int32_t offset = -1;
        const int32_t count = static_cast<int32_t>(c.bytes.size());
        ASSERT_EQ(FindFrameHeader(c.bytes.data(), count, header, offset), c.found != 0 ? 1 : 0);
        if (c.found == 0) continue;
        EXPECT_EQ(offset, c.found - 1);
        EXPECT_EQ(header.sampleRate, c.sampleRate);
    }
    const std::vector<uint8_t> reservedLayer = Header(1, 0, 9, 0, 0, 0);
    FrameHeader header;
    int32_t offset = -1;
    EXPECT_EQ(FindFrameHeader(reservedLayer.data(), 4, header, offset), 0);
    const std::vector<uint8_t> reservedRate = Header(1, 1, 9, 3, 0, 0);
    EXPECT_EQ(FindFrameHeader(reservedRate.data(), 4, header, offset), 0);
}

TEST(MpegHeaderTest, FrameLengthsFollowTheLayerRules) {
    EXPECT_EQ(FrameLength(Header(1, 1, 9, 0, 0, 0).data()), 417); // 128k 44.1k
    EXPECT_EQ(FrameLength(Header(1, 1, 9, 0, 1, 0).data()), 418);
    EXPECT_EQ(FrameLength(Header(0, 1, 8, 0, 0, 0).data()), 208); // MPEG-2 64k 22.05k
    EXPECT_EQ(FrameLength(Header(0, 1, 8, 0, 1, 0).data()), 209);
    EXPECT_EQ(FrameLength(Header(1, 3, 12, 0, 0, 0).data()), 416); // Layer I 384k
    EXPECT_EQ(FrameLength(Header(1, 3, 12, 0, 1, 0).data()), 420);
    EXPECT_EQ(FrameLength(Header(1, 2, 10, 1, 1, 0).data()), 577); // Layer II 192k 48k
    EXPECT_EQ(FrameLength(Header(1, 1, 0, 0, 0, 0).data()), 0);    // free format
    EXPECT_EQ(FrameLength(Header(1, 1, 15, 0, 0, 0).data()), 0);
    EXPECT_EQ(FrameLength(Header(1, 1, 9, 3, 0, 0).data()), 0);
    EXPECT_EQ(FrameLength(Header(1, 0, 9, 0, 0, 0).data()), 0);
    EXPECT_EQ(FrameLength(Header(2, 1, 8, 2, 0, 0).data()), 576); // 64k at 8 kHz
    EXPECT_EQ(FrameLength(Header(2, 1, 8, 0, 1, 0).data()), 418); // 64k at 11.025 kHz
    const uint8_t noSync[4] = {0xFF, 0xEB, 0x90, 0x00};           // the reserved version
    EXPECT_EQ(FrameLength(noSync), 0);
}

TEST(MpegHeaderTest, OutputShapeOfLowSamplingRateLayer3) {
    const std::vector<uint8_t> header = Header(0, 1, 8, 0, 0, 0); // 22050 Hz, 64 kbit/s
    OutputShape shape = ShapeOf(header, kDefaultDecodeOptions);
    EXPECT_EQ(shape.channels, 2);
    EXPECT_EQ(shape.bitsPerSample, 16);
    EXPECT_EQ(shape.outputRate, 22050);
    EXPECT_EQ(shape.frameBytes, 208);
    EXPECT_EQ(shape.maxFrameBytes, 209);
    EXPECT_EQ(shape.pcmBytesPerFrame, 576 * 2 * 2);
    shape = ShapeOf(header, {1, 0, 24000});
    EXPECT_EQ(shape.outputRate, 11025);
    EXPECT_EQ(shape.pcmBytesPerFrame, 288 * 2 * 2);
    shape = ShapeOf(header, {2, 1 | kConversion8Bit, 24000});
    EXPECT_EQ(shape.channels, 1);
    EXPECT_EQ(shape.bitsPerSample, 8);
    EXPECT_EQ(shape.outputRate, 5512);
    EXPECT_EQ(shape.pcmBytesPerFrame, 144);
}

TEST(MpegHeaderTest, OutputShapeOfOtherLayersAndChannelChoices) {
    OutputShape shape = ShapeOf(Header(1, 3, 12, 0, 0, 0), kDefaultDecodeOptions);
    EXPECT_EQ(shape.frameBytes, 416);
    EXPECT_EQ(shape.maxFrameBytes, 420);
    EXPECT_EQ(shape.pcmBytesPerFrame, 384 * 2 * 2);
    shape = ShapeOf(Header(1, 1, 9, 0, 0, 0), {0, 2, 24000});
    EXPECT_EQ(shape.channels, 1);
    EXPECT_EQ(shape.pcmBytesPerFrame, 1152 * 2);
    shape = ShapeOf(Header(1, 2, 9, 0, 0, 3), {1, 0, 24000}); // Layer II 160k
    EXPECT_EQ(shape.channels, 1);
    EXPECT_EQ(shape.frameBytes, 522);
    EXPECT_EQ(shape.pcmBytesPerFrame, 576 * 2);

    FrameHeader reserved{};
    reserved.layer = 0;
    EXPECT_EQ(GetOutputShape(reserved, shape), 0);
}

TEST(MpegHeaderTest, OptionsAreCheckedAndKept) {
    DecoderInitTables();
    DecodeOptions options{};
    DecoderGetOptions(options);
    EXPECT_EQ(options.reduction, 0);
    EXPECT_EQ(options.conversion, 0);
    EXPECT_EQ(options.frequencyLimit, 24000);
    EXPECT_EQ(DecoderSetOptions({1, 9, 1000}), 1);
    EXPECT_EQ(DecoderSetOptions({2, 0, 999}), 0);
    EXPECT_EQ(DecoderSetOptions({3, 0, 24000}), 0); // no synthesis width for that
    EXPECT_EQ(DecoderSetOptions({-1, 0, 24000}), 0);
    DecoderGetOptions(options);
    EXPECT_EQ(options.reduction, 1);
    EXPECT_EQ(options.conversion, 9);
    EXPECT_EQ(options.frequencyLimit, 1000);
}

TEST(MpegHeaderTest, StartRefusesWhatItCannotDecode) {
    DecoderInitTables();
    FrameHeader header{};
    header.layer = 0;
    EXPECT_EQ(DecoderStart(header), 0);
    uint8_t frame[1500] = {0xFF, 0xFB, 0x90, 0x00};
    uint8_t out[4608];
    EXPECT_EQ(DecodeFrame(frame, out).consumed, 0); // no stream started
}

// A header filled in by a caller rather than found may hold anything.
TEST(MpegHeaderTest, MadeUpHeadersGiveBoundedShapes) {
    DecoderInitTables();
    FrameHeader header{};
    header.version = 7;
    header.layer = 1;
    header.bitrate = 2000000000;
    header.sampleRate = 1;
    header.sampleRateIndex = 9;
    header.mode = 3;
    OutputShape shape{};
    ASSERT_EQ(GetOutputShape(header, shape), 1);
    EXPECT_GT(shape.frameBytes, 0);
    EXPECT_LE(shape.frameBytes, 1 << 30);
    EXPECT_EQ(shape.pcmBytesPerFrame, 576 * 2);
    ASSERT_EQ(DecoderStart(header), 1);
    // A real low-sampling-rate frame decodes within the announced output.
    const uint8_t frame[1024] = {0xFF, 0xF3, 0x84, 0xC4};
    std::vector<uint8_t> out(static_cast<size_t>(shape.pcmBytesPerFrame) + 8, 0xA5);
    const DecodeResult result = DecodeFrame(frame, out.data());
    EXPECT_EQ(result.produced, shape.pcmBytesPerFrame);
    for (size_t i = static_cast<size_t>(shape.pcmBytesPerFrame); i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xA5);
}
