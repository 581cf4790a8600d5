// Layer III conformance: decoded output against the reference PCM of each stream.
// The decoder never decodes the topmost subband; B is what that alone costs a
// stream, so the bar is min(88, B - 3) dB.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "DecoderTestSupport.h"

namespace {

struct ConformanceStream {
    const char* name;
    double topSubbandPsnr; // B
};

const ConformanceStream kStreams[] = {
    {"l3-compl", 94.7},     {"l3-he_32khz", 94.5},          {"l3-he_48khz", 94.5},
    {"l3-he_mode", 29.0},   {"l3-hecommon", 82.9},          {"l3-si", 116.8},
    {"l3-si_block", 108.1}, {"l3-si_huff", 84.2},           {"l3-sin1k0db", 96.3},
    {"M2L3_compl24", 94.5}, {"M2L3_bitrate_22_all", 100.4},
};

struct Aligned {
    std::vector<int16_t> decoded;
    std::vector<int16_t> reference;
    int32_t skippedFrames = 0;
    size_t referenceUsed = 0; // reference samples covered
};

// Frames whose main data starts before anything received come out silent; the
// reference decoder emits nothing for them, so they are left out. The reference
// changes its channel count with the frames' modes; a one-channel output of a
// two-channel frame is its left channel.
Aligned Align(const std::vector<uint8_t>& bytes, const DecodedStream& stream,
              const std::vector<int16_t>& reference) {
    Aligned aligned;
    const std::vector<int16_t> decoded = ToSamples(stream.pcm);
    const size_t frameSamples = static_cast<size_t>(stream.shape.pcmBytesPerFrame / 2);
    const size_t perChannel = frameSamples / static_cast<size_t>(stream.shape.channels);
    int64_t received = 0;
    size_t referencePosition = 0;
    for (int32_t f = 0; f < stream.frames; ++f) {
        const uint8_t* frame = bytes.data() + stream.frameOffsets[f];
        const int32_t sideEnd = Layer3SideInfoEnd(frame);
        const bool underrun = Layer3MainDataBegin(frame) > received;
        received += FrameLength(frame) - sideEnd;
        if (underrun) {
            ++aligned.skippedFrames;
            continue;
        }
        const size_t referenceChannels = (frame[3] >> 6) == 3 ? 1 : 2;
        const size_t referenceSamples = perChannel * referenceChannels;
        if (referencePosition + referenceSamples > reference.size()) break;
        const int16_t* ours = decoded.data() + static_cast<size_t>(f) * frameSamples;
        if (referenceChannels == static_cast<size_t>(stream.shape.channels)) {
            aligned.decoded.insert(aligned.decoded.end(), ours, ours + frameSamples);
            aligned.reference.insert(aligned.reference.end(), reference.begin() + referencePosition,
                                     reference.begin() + referencePosition + referenceSamples);
        } else {
            for (size_t i = 0; i < perChannel; ++i) {
                aligned.decoded.push_back(ours[i]);
                aligned.reference.push_back(reference[referencePosition + referenceChannels * i]);
            }
        }
        referencePosition += referenceSamples;
    }
    aligned.referenceUsed = referencePosition;
    return aligned;
}

} // namespace

TEST(ConformanceTest, Layer3StreamsMeetTheirPsnrBar) {
    std::printf("%-22s %7s %9s %9s %8s %8s\n", "stream", "frames", "samples", "PSNR dB", "max diff",
                "bar dB");
    for (const ConformanceStream& entry : kStreams) {
        SCOPED_TRACE(entry.name);
        const std::vector<uint8_t> bytes =
            ReadTestFile(std::string("decoder/") + entry.name + ".bit");
        const std::vector<int16_t> reference =
            ToSamples(ReadTestFile(std::string("decoder/") + entry.name + ".pcm"));
        ASSERT_FALSE(bytes.empty());
        ASSERT_FALSE(reference.empty());
        const DecodedStream stream = DecodeStream(bytes);
        ASSERT_TRUE(stream.started);
        const Aligned aligned = Align(bytes, stream, reference);
        const Comparison result = CompareSamples(aligned.decoded, aligned.reference);
        const double bar = std::min(88.0, entry.topSubbandPsnr - 3.0);
        std::printf("%-22s %7d %9zu %9.2f %8d %8.1f\n", entry.name, stream.frames, result.samples,
                    result.psnr, result.maxDifference, bar);
        // Most of the reference must have been covered.
        EXPECT_GE(aligned.referenceUsed, reference.size() * 9 / 10);
        EXPECT_GE(result.psnr, bar);
    }
}
