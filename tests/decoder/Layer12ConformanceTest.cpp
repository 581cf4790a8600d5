// Layers I and II against reference output: the ISO/IEC 11172-4 streams with their
// reference PCM, and MPEG-2 Layer II fixtures (twolame) against mpg123's output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "DecoderTestSupport.h"

namespace {

struct ReferenceStream {
    const char* stream;
    const char* reference;
    double bar; // dB
};

// The decoder never decodes the topmost subband; B is what that alone costs a stream,
// and the bar is min(88, B - 3) dB.
constexpr double Bar(double topSubbandPsnr) {
    return std::min(88.0, topSubbandPsnr - 3.0);
}

// The MPEG-2 Layer II table codes 30 subbands, so the subband limit costs nothing
// there (B is unbounded) and the bar is the cap of 88 dB. mpg123 computes at full
// precision and rounds where this decoder truncates: less than one step of
// difference per sample, an RMS well under 1 LSB, about 93 dB.
const ReferenceStream kStreams[] = {
    {"l1-fl1.bit", "l1-fl1.pcm", Bar(97.6)},
    {"l1-fl2.bit", "l1-fl2.pcm", Bar(118.2)},
    {"l1-fl3.bit", "l1-fl3.pcm", Bar(118.5)},
    {"l1-fl4.bit", "l1-fl4.pcm", Bar(118.5)},
    {"l1-fl5.bit", "l1-fl5.pcm", Bar(120.5)},
    {"l1-fl6.bit", "l1-fl6.pcm", Bar(36.2)},
    {"l2-fl10.bit", "l2-fl10.pcm", Bar(117.0)},
    {"l2-fl11.bit", "l2-fl11.pcm", Bar(117.3)},
    {"l2-fl12.bit", "l2-fl12.pcm", Bar(117.3)},
    {"l2-fl13.bit", "l2-fl13.pcm", Bar(115.6)},
    {"l2-fl14.bit", "l2-fl14.pcm", Bar(119.5)},
    {"fixtures/lsf16-mono.mp2", "fixtures/lsf16-mono.mpg123.pcm", 88.0},
    {"fixtures/lsf22-joint.mp2", "fixtures/lsf22-joint.mpg123.pcm", 88.0},
    {"fixtures/lsf24-stereo.mp2", "fixtures/lsf24-stereo.mpg123.pcm", 88.0},
};

} // namespace

TEST(Layer12ConformanceTest, StreamsMeetTheirPsnrBar) {
    std::printf("%-26s %5s %7s %7s %9s %8s %7s\n", "stream", "layer", "frames", "samples",
                "PSNR dB", "max diff", "bar dB");
    for (const ReferenceStream& entry : kStreams) {
        SCOPED_TRACE(entry.stream);
        const std::vector<uint8_t> bytes = ReadTestFile(std::string("decoder/") + entry.stream);
        const std::vector<int16_t> reference =
            ToSamples(ReadTestFile(std::string("decoder/") + entry.reference));
        ASSERT_FALSE(bytes.empty());
        ASSERT_FALSE(reference.empty());
        const DecodedStream stream = DecodeStream(bytes);
        ASSERT_TRUE(stream.started);
        ASSERT_GT(stream.frames, 0);
        // Every frame of the file is decoded.
        const int32_t last = stream.frameOffsets.back();
        EXPECT_EQ(static_cast<size_t>(last + FrameLength(bytes.data() + last)), bytes.size());
        const std::vector<int16_t> decoded = ToSamples(stream.pcm);
        // References may run longer than the stream; never shorter.
        EXPECT_LE(decoded.size(), reference.size());
        const Comparison result = CompareSamples(decoded, reference);
        EXPECT_EQ(result.samples, decoded.size());
        std::printf("%-26s %5d %7d %7zu %9.2f %8d %7.1f\n", entry.stream, 4 - stream.header.layer,
                    stream.frames, result.samples, result.psnr, result.maxDifference, entry.bar);
        EXPECT_GE(result.psnr, entry.bar);
    }
}
