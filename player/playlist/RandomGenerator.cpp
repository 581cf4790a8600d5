#include "RandomGenerator.h"

#include <chrono>

// 64-bit linear congruential step (Knuth's MMIX constants); the high bits
// are the well-mixed ones, so both widths are taken from the top.
uint64_t RandomGenerator::Advance() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return state_;
}

void RandomGenerator::Seed(uint64_t seed) {
    state_ = seed;
}

void RandomGenerator::SeedFromTimeOfDay() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

int32_t RandomGenerator::Next15() {
    return static_cast<int32_t>(Advance() >> 49);
}

int32_t RandomGenerator::Next31() {
    return static_cast<int32_t>(Advance() >> 33);
}

RandomGenerator& SharedRandom() {
    static RandomGenerator generator;
    return generator;
}
