#pragma once

#include <cstdint>

// The player's one pseudo-random sequence: random play draws 15-bit values
// and shuffling 31-bit values from the same state, so both continue one
// sequence. Seeded from the time of day when random play is chosen.
class RandomGenerator {
  public:
    void Seed(uint64_t seed);
    void SeedFromTimeOfDay();
    int32_t Next15(); // 0 .. 32767
    int32_t Next31(); // 0 .. 2^31 - 1

  private:
    uint64_t Advance();
    uint64_t state_ = 1;
};

// The instance that random play and the shuffle order share.
RandomGenerator& SharedRandom();
