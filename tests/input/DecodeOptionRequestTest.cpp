#include "DecodeOptionRequest.h"

#include <gtest/gtest.h>

namespace {

void ExpectOptions(const DecodeOptions& o, int32_t reduction, int32_t conversion, int32_t limit) {
    EXPECT_EQ(o.reduction, reduction);
    EXPECT_EQ(o.conversion, conversion);
    EXPECT_EQ(o.frequencyLimit, limit);
}

TEST(DecodeOptionRequest, KeepsValuesInRange) {
    for (int32_t r = 0; r <= 2; ++r)
        for (int32_t c = 0; c <= 1; ++c)
            ExpectOptions(ApplyDecodeOptionRequest(kDefaultDecodeOptions, r, c, 24000), r, c,
                          24000);
}

TEST(DecodeOptionRequest, OutOfRangeValuesBecomeZero) {
    ExpectOptions(ApplyDecodeOptionRequest({2, 1, 24000}, 5, 7, 44100), 0, 0, 24000);
    ExpectOptions(ApplyDecodeOptionRequest({1, 1, 24000}, -1, -1, 24000), 0, 0, 24000);
    // Bit 3 (8-bit output) is a decoder option the host may not ask for.
    ExpectOptions(ApplyDecodeOptionRequest(kDefaultDecodeOptions, 0, 8, 24000), 0, 0, 24000);
}

TEST(DecodeOptionRequest, AnyPositiveLimitIs24000AndOthersKeepTheOldOne) {
    ExpectOptions(ApplyDecodeOptionRequest({0, 0, 999}, 0, 0, 1), 0, 0, 24000);
    ExpectOptions(ApplyDecodeOptionRequest({0, 0, 999}, 0, 0, 0), 0, 0, 999);
    ExpectOptions(ApplyDecodeOptionRequest({0, 0, 16000}, 1, 0, -5), 1, 0, 16000);
}

} // namespace
