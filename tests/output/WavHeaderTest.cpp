#include "WavHeader.h"

#include <gtest/gtest.h>

namespace {

uint32_t Get32(const WavHeader& h, size_t at) {
    return h[at] | h[at + 1] << 8 | h[at + 2] << 16 | static_cast<uint32_t>(h[at + 3]) << 24;
}
uint32_t Get16(const WavHeader& h, size_t at) {
    return h[at] | h[at + 1] << 8;
}
std::string Tag(const WavHeader& h, size_t at) {
    return std::string(reinterpret_cast<const char*>(h.data() + at), 4);
}

TEST(WavHeader, CanonicalPcmHeaderForCdAudio) {
    const WavHeader h = MakeWavHeader(PcmFormat{2, 16, 44100, 4608}, 176400);
    EXPECT_EQ(Tag(h, 0), "RIFF");
    EXPECT_EQ(Get32(h, 4), 36u + 176400u);
    EXPECT_EQ(Tag(h, 8), "WAVE");
    EXPECT_EQ(Tag(h, 12), "fmt ");
    EXPECT_EQ(Get32(h, 16), 16u);
    EXPECT_EQ(Get16(h, 20), 1u);
    EXPECT_EQ(Get16(h, 22), 2u);
    EXPECT_EQ(Get32(h, 24), 44100u);
    EXPECT_EQ(Get32(h, 28), 176400u);
    EXPECT_EQ(Get16(h, 32), 4u);
    EXPECT_EQ(Get16(h, 34), 16u);
    EXPECT_EQ(Tag(h, 36), "data");
    EXPECT_EQ(Get32(h, 40), 176400u);
}

TEST(WavHeader, EightBitMonoWithOddDataCountsThePadByte) {
    const WavHeader h = MakeWavHeader(PcmFormat{1, 8, 11025, 100}, 11);
    EXPECT_EQ(Get32(h, 4), 36u + 11u + 1u);
    EXPECT_EQ(Get32(h, 28), 11025u);
    EXPECT_EQ(Get16(h, 32), 1u);
    EXPECT_EQ(Get16(h, 34), 8u);
    EXPECT_EQ(Get32(h, 40), 11u);
}

TEST(WavHeader, EmptyData) {
    const WavHeader h = MakeWavHeader(PcmFormat{2, 8, 22050, 100}, 0);
    EXPECT_EQ(Get32(h, 4), 36u);
    EXPECT_EQ(Get32(h, 40), 0u);
}

TEST(WavHeader, DataLimitKeepsTheRiffSizeWithin32BitsInWholeFrames) {
    for (uint32_t align : {1u, 2u, 4u}) {
        const uint32_t limit = WavDataLimit(align);
        EXPECT_EQ(limit % align, 0u);
        EXPECT_LE(uint64_t{limit} + 36 + 1, 0xFFFFFFFFull);
        EXPECT_GT(uint64_t{limit} + 36 + 1 + align, 0xFFFFFFFFull);
    }
    EXPECT_EQ(WavDataLimit(0), 0u);
}

} // namespace
