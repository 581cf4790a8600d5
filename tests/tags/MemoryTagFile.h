// A TagFile held in memory, with faults to order: a disk that holds only so
// many bytes, writes that fail, reads that come up short.
#pragma once

#include "TagFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

class MemoryTagFile final : public TagFile {
  public:
    explicit MemoryTagFile(std::vector<uint8_t> bytes = {}) : bytes(std::move(bytes)) {}

    int64_t Size() override { return static_cast<int64_t>(bytes.size()); }

    size_t ReadAt(int64_t offset, void* buffer, size_t count) override {
        int64_t end = static_cast<int64_t>(bytes.size());
        if (readLimit >= 0 && readLimit < end) end = readLimit;
        if (offset < 0 || offset >= end) return 0;
        size_t got = std::min(count, static_cast<size_t>(end - offset));
        if (got > 0) std::memcpy(buffer, bytes.data() + offset, got);
        return got;
    }

    bool WriteAt(int64_t offset, const void* data, size_t count) override {
        ++writeCalls;
        if (failWrites || writeCalls == failingWrite || offset < 0 ||
            offset > static_cast<int64_t>(bytes.size()))
            return false;
        size_t end = static_cast<size_t>(offset) + count;
        if (capacity >= 0 && end > static_cast<size_t>(capacity)) {
            // A full disk takes what fits, then fails.
            size_t fits = static_cast<size_t>(capacity) > static_cast<size_t>(offset)
                              ? static_cast<size_t>(capacity) - static_cast<size_t>(offset)
                              : 0;
            Put(offset, data, fits);
            return false;
        }
        Put(offset, data, count);
        return true;
    }

    bool Resize(int64_t size) override {
        if (failResize || size < 0 || (capacity >= 0 && size > capacity)) return false;
        bytes.resize(static_cast<size_t>(size));
        return true;
    }

    std::vector<uint8_t> bytes;
    int64_t capacity = -1;  // the disk's size; -1 without limit
    int64_t readLimit = -1; // reads stop short of this offset; -1 without limit
    bool failWrites = false;
    int failingWrite = -1; // the number of the one write call that fails, from 1
    int writeCalls = 0;
    bool failResize = false;

  private:
    void Put(int64_t offset, const void* data, size_t count) {
        size_t end = static_cast<size_t>(offset) + count;
        if (end > bytes.size()) bytes.resize(end);
        if (count > 0) std::memcpy(bytes.data() + offset, data, count);
    }
};
