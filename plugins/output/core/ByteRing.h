// A fixed-capacity first-in first-out queue of bytes. Not synchronised: the
// owner locks around it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteRing {
  public:
    explicit ByteRing(size_t capacity);

    size_t capacity() const { return storage.size(); }
    size_t size() const { return held; }
    size_t room() const { return storage.size() - held; }

    // Appends as much of `bytes` as fits; returns how much.
    size_t Push(const uint8_t* bytes, size_t count);
    // Removes up to `count` bytes into `out`; returns how many.
    size_t Pop(uint8_t* out, size_t count);
    void Clear();

  private:
    std::vector<uint8_t> storage;
    size_t start = 0; // oldest byte
    size_t held = 0;
};
