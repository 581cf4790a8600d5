#include "StreamPlan.h"

#include <gtest/gtest.h>

namespace {

PcmFormat Format(int32_t channels, int32_t bits, int32_t rate, int32_t buffer) {
    return PcmFormat{channels, bits, rate, buffer};
}

TEST(StreamPlan, AcceptsTheFormatsTheDevicePlays) {
    for (int32_t channels : {1, 2})
        for (int32_t bits : {8, 16})
            for (int32_t rate : {8000, 11025, 22050, 44100, 48000, 88200})
                EXPECT_TRUE(IsPlayableFormat(Format(channels, bits, rate, 4608)))
                    << channels << " " << bits << " " << rate;
}

TEST(StreamPlan, RefusesEverythingElse) {
    EXPECT_FALSE(IsPlayableFormat(Format(0, 16, 44100, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(3, 16, 44100, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 24, 44100, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 0, 44100, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 16, 7999, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 16, 88201, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 16, -44100, 4608)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 16, 44100, 0)));
    EXPECT_FALSE(IsPlayableFormat(Format(2, 16, 44100, -1)));
    StreamPlan plan{};
    EXPECT_FALSE(PlanStream(Format(2, 16, 100000, 4608), plan));
}

TEST(StreamPlan, BlocksFollowTheInputBufferWithinTwentyToHundredMilliseconds) {
    StreamPlan plan{};
    // 44.1 kHz stereo 16-bit: 176400 bytes a second; 20 ms = 3528, 100 ms = 17640.
    ASSERT_TRUE(PlanStream(Format(2, 16, 44100, 8 * 4608), plan));
    EXPECT_EQ(plan.blockAlign, 4u);
    EXPECT_EQ(plan.bytesPerSecond, 176400u);
    EXPECT_EQ(plan.blockBytes, 17640u);
    EXPECT_EQ(plan.blockCount, 5u); // 88200 bytes of queue: half a second
    EXPECT_EQ(plan.silenceByte, 0);

    ASSERT_TRUE(PlanStream(Format(2, 16, 44100, 4608), plan));
    EXPECT_EQ(plan.blockBytes, 4608u);
    EXPECT_EQ(plan.blockCount, 20u); // ceil(88200 / 4608)

    ASSERT_TRUE(PlanStream(Format(2, 16, 44100, 100), plan));
    EXPECT_EQ(plan.blockBytes, 3528u);
    EXPECT_EQ(plan.blockCount, 25u);
}

TEST(StreamPlan, BlocksHoldWholeSampleFrames) {
    StreamPlan plan{};
    ASSERT_TRUE(PlanStream(Format(2, 16, 44100, 4607), plan));
    EXPECT_EQ(plan.blockBytes, 4604u);
    // 8-bit mono at 8000 Hz: 20 ms is 160 bytes, any byte count is whole frames.
    ASSERT_TRUE(PlanStream(Format(1, 8, 8000, 333), plan));
    EXPECT_EQ(plan.blockAlign, 1u);
    EXPECT_EQ(plan.blockBytes, 333u);
    EXPECT_EQ(plan.silenceByte, 0x80);
    EXPECT_EQ(plan.blockCount, 13u); // ceil(4000 / 333)
}

TEST(StreamPlan, HugeInputBuffersAndTinyRatesStayWithinTheRingLimits) {
    StreamPlan plan{};
    ASSERT_TRUE(PlanStream(Format(2, 16, 88200, INT32_MAX), plan));
    EXPECT_EQ(plan.blockBytes, 35280u);
    EXPECT_GE(plan.blockCount, 4u);
    ASSERT_TRUE(PlanStream(Format(1, 8, 8000, 1), plan));
    EXPECT_EQ(plan.blockBytes, 160u);
    EXPECT_EQ(plan.blockCount, 25u);
    EXPECT_LE(plan.blockCount, 32u);
}

TEST(StreamPlan, ConvertsBetweenBytesAndMilliseconds) {
    StreamPlan plan{};
    ASSERT_TRUE(PlanStream(Format(2, 16, 44100, 4608), plan));
    EXPECT_EQ(BytesForMilliseconds(plan, 1000), 176400u);
    EXPECT_EQ(BytesForMilliseconds(plan, 1), 176u); // 176.4 down to whole frames
    EXPECT_EQ(MillisecondsForBytes(plan, 176400), 1000u);
    EXPECT_EQ(MillisecondsForBytes(plan, 1), 1u); // rounded up
    EXPECT_EQ(MillisecondsForBytes(plan, 0), 0u);
}

} // namespace
