// Output variants against the full-rate, both-channel output of the same stream:
// channel choices, the mix, 8-bit samples and the reduced rates.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DecoderTestSupport.h"

namespace {

const char* const kStereoFixtures[] = {"decoder/fixtures/stereo-sines.mp3",
                                       "decoder/fixtures/joint-sines.mp3",
                                       "decoder/fixtures/lsf-joint-sines.mp3"};

DecodedStream Decode(const std::string& path, int32_t reduction, int32_t conversion) {
    const DecodeOptions options = {reduction, conversion, 24000};
    return DecodeStream(ReadTestFile(path), options);
}

std::vector<int16_t> Channel(const std::vector<int16_t>& interleaved, size_t channel) {
    std::vector<int16_t> samples;
    for (size_t i = channel; i < interleaved.size(); i += 2)
        samples.push_back(interleaved[i]);
    return samples;
}

// Windowed-sinc low-pass (Blackman, 127 taps, cut-off at half the reduced Nyquist
// frequency's span) applied without delay, then every factor-th sample.
std::vector<double> LowPassAndDecimate(const std::vector<int16_t>& samples, int factor) {
    const int half = 63;
    const double cutoff = 0.5 / factor * 0.9; // cycles per input sample
    const double pi = 3.14159265358979323846;
    std::vector<double> taps(2 * half + 1);
    double sum = 0.0;
    for (int k = -half; k <= half; ++k) {
        const double sinc = k == 0 ? 2 * cutoff : std::sin(2 * pi * cutoff * k) / (pi * k);
        const double window =
            0.42 + 0.5 * std::cos(pi * k / half) + 0.08 * std::cos(2 * pi * k / half);
        taps[static_cast<size_t>(k + half)] = sinc * window;
        sum += sinc * window;
    }
    std::vector<double> out;
    for (size_t n = 0; n < samples.size(); n += static_cast<size_t>(factor)) {
        double value = 0.0;
        for (int k = -half; k <= half; ++k) {
            const int64_t index = static_cast<int64_t>(n) + k;
            if (index >= 0 && index < static_cast<int64_t>(samples.size()))
                value += taps[static_cast<size_t>(k + half)] * samples[static_cast<size_t>(index)];
        }
        out.push_back(value / sum);
    }
    return out;
}

// SNR in dB of reduced against expected, over [from, to).
double SignalToNoise(const std::vector<int16_t>& reduced, const std::vector<double>& expected,
                     size_t from, size_t to) {
    double signal = 0.0;
    double noise = 0.0;
    for (size_t i = from; i < to; ++i) {
        signal += expected[i] * expected[i];
        noise += (reduced[i] - expected[i]) * (reduced[i] - expected[i]);
    }
    return 10.0 * std::log10(signal / noise);
}

} // namespace

TEST(OutputVariantTest, LeftAndRightAreTheChannelsOfTheStereoOutput) {
    for (const char* path : kStereoFixtures) {
        SCOPED_TRACE(path);
        const DecodedStream both = Decode(path, 0, 0);
        const DecodedStream left = Decode(path, 0, 2);
        const DecodedStream right = Decode(path, 0, 3);
        ASSERT_TRUE(both.started && left.started && right.started);
        ASSERT_GT(both.frames, 10);
        EXPECT_EQ(left.shape.channels, 1);
        EXPECT_EQ(right.shape.pcmBytesPerFrame * 2, both.shape.pcmBytesPerFrame);
        const std::vector<int16_t> samples = ToSamples(both.pcm);
        EXPECT_EQ(ToSamples(left.pcm), Channel(samples, 0));
        EXPECT_EQ(ToSamples(right.pcm), Channel(samples, 1));
    }
}

// Each of left, right and mix is truncated toward zero on its own, so the mix may
// differ from the halved sum by up to 2.
TEST(OutputVariantTest, MixIsHalfTheSumOfTheChannels) {
    for (const char* path : kStereoFixtures) {
        SCOPED_TRACE(path);
        const DecodedStream both = Decode(path, 0, 0);
        const DecodedStream mix = Decode(path, 0, 1);
        ASSERT_TRUE(mix.started);
        const std::vector<int16_t> samples = ToSamples(both.pcm);
        const std::vector<int16_t> mixed = ToSamples(mix.pcm);
        ASSERT_EQ(mixed.size() * 2, samples.size());
        double largest = 0.0;
        for (size_t i = 0; i < mixed.size(); ++i) {
            const double half = (samples[2 * i] + samples[2 * i + 1]) / 2.0;
            largest = std::max(largest, std::fabs(mixed[i] - half));
        }
        EXPECT_LE(largest, 2.0);
    }
}

TEST(OutputVariantTest, EightBitSamplesAreTheHighBytesOffsetBy128) {
    for (int32_t channels : {0, 1, 2}) {
        SCOPED_TRACE(channels);
        const char* path = kStereoFixtures[1];
        const DecodedStream wide = Decode(path, 0, channels);
        const DecodedStream narrow = Decode(path, 0, channels | kConversion8Bit);
        ASSERT_TRUE(narrow.started);
        EXPECT_EQ(narrow.shape.bitsPerSample, 8);
        const std::vector<int16_t> samples = ToSamples(wide.pcm);
        ASSERT_EQ(narrow.pcm.size(), samples.size());
        size_t mismatches = 0;
        for (size_t i = 0; i < samples.size(); ++i)
            if (narrow.pcm[i] != static_cast<uint8_t>((samples[i] >> 8) + 128)) ++mismatches;
        EXPECT_EQ(mismatches, 0u);
    }
}

TEST(OutputVariantTest, ConversionOfASingleChannelStreamChangesNothing) {
    const std::string path = "decoder/l3-compl.bit";
    const DecodedStream plain = Decode(path, 0, 0);
    for (int32_t conversion : {1, 2, 3}) {
        const DecodedStream converted = Decode(path, 0, conversion);
        EXPECT_EQ(converted.pcm, plain.pcm) << conversion;
    }
}

// The reduced rates run the synthesis at 16 and 8 points; their output must match
// the full-rate output band-limited and decimated. The fixtures hold 440 Hz and
// 1 kHz tones, far inside every reduced band, so what remains is the reduced filter
// bank's own passband ripple and the truncation to integers (about 80 dB below
// tones at 0.3 of full scale): 60 dB leaves room for those, while a wrong delay,
// gain or channel order falls far below it.
TEST(OutputVariantTest, ReducedRatesMatchTheLowPassedFullRate) {
    for (const char* path : kStereoFixtures) {
        const DecodedStream full = Decode(path, 0, 0);
        ASSERT_TRUE(full.started);
        for (int32_t reduction : {1, 2}) {
            SCOPED_TRACE(std::string(path) + " reduction " + std::to_string(reduction));
            const DecodedStream reduced = Decode(path, reduction, 0);
            ASSERT_TRUE(reduced.started);
            EXPECT_EQ(reduced.shape.outputRate, full.shape.outputRate >> reduction);
            EXPECT_EQ(reduced.pcm.size(), full.pcm.size() >> reduction);
            const std::vector<int16_t> fullSamples = ToSamples(full.pcm);
            const std::vector<int16_t> reducedSamples = ToSamples(reduced.pcm);
            for (size_t channel = 0; channel < 2; ++channel) {
                const std::vector<double> expected =
                    LowPassAndDecimate(Channel(fullSamples, channel), 1 << reduction);
                const std::vector<int16_t> actual = Channel(reducedSamples, channel);
                ASSERT_EQ(actual.size(), expected.size());
                // Skip the start-up and the last frame, where the low-pass lacks input.
                const size_t frame =
                    static_cast<size_t>(full.shape.pcmBytesPerFrame / 4) >> reduction;
                const double snr =
                    SignalToNoise(actual, expected, 2 * frame, actual.size() - frame);
                std::printf("%s reduction %d channel %zu: %.1f dB\n", path, reduction, channel,
                            snr);
                EXPECT_GE(snr, 60.0);
            }
        }
    }
}
