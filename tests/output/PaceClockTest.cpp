#include "PaceClock.h"

#include <gtest/gtest.h>

namespace {

TEST(PaceClock, NoWaitWhileWithinTheLead) {
    // One second of CD audio after 600 ms, with 500 ms of lead: 100 ms early.
    EXPECT_EQ(PaceDelayMs(176400, 176400, 600, 500), 0u);
    EXPECT_EQ(PaceDelayMs(176400, 176400, 500, 500), 0u);
    EXPECT_EQ(PaceDelayMs(0, 176400, 0, 0), 0u);
}

TEST(PaceClock, WaitsForTheSoundToCatchUp) {
    EXPECT_EQ(PaceDelayMs(176400, 176400, 400, 500), 100u);
    EXPECT_EQ(PaceDelayMs(2 * 176400, 176400, 0, 500), 1500u);
    EXPECT_EQ(PaceDelayMs(8000, 8000, 0, 0), 1000u);
}

TEST(PaceClock, ZeroRateNeverWaits) {
    EXPECT_EQ(PaceDelayMs(1000, 0, 0, 0), 0u);
}

TEST(PaceClock, HugeCountsDoNotOverflow) {
    const uint64_t tenHours = 36000ull * 176400;
    EXPECT_EQ(PaceDelayMs(tenHours, 176400, 36000000ull - 1000, 0), 1000u);
}

} // namespace
