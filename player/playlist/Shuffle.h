#pragma once

#include "RandomGenerator.h"

#include <cstdint>

// The shuffle order: a permutation of item numbers 1..size and a position.
class TShuffle {
  public:
    explicit TShuffle(RandomGenerator& random = SharedRandom());
    ~TShuffle();
    TShuffle(const TShuffle&) = delete;
    TShuffle& operator=(const TShuffle&) = delete;

    // Builds a shuffled order of 1..n at position 0. Refused while an order
    // exists, and for n < 1 (nothing to order).
    bool Build(int32_t n);
    bool Rebuild(int32_t n);
    void Clear();
    // The entry after (before) the position, wrapping round; 1 without an
    // order. Right after Build the first call returns the second entry.
    int32_t NextInOrder();
    int32_t PreviousInOrder();

  private:
    int32_t* order_ = nullptr;
    int32_t position_ = 0;
    int32_t size_ = 0;
    RandomGenerator& random_;
};
