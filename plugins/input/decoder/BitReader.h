// Most-significant-first bit reader over a byte buffer. Positions are byte indexes
// into the buffer; fetches at or past its size read as zero, so hostile lengths
// cannot lead it out of bounds. The end position marks where the data being
// decoded should stop (Layer III checks it after every value).
#pragma once

#include <cstdint>

struct BitReader {
    const uint8_t* bytes = nullptr;
    int32_t size = 0;       // bytes that may be fetched
    int32_t next = 0;       // index of the next byte to fetch
    int32_t startIndex = 0; // where reading began
    int32_t endIndex = 0;   // past the end once next > endIndex
    uint32_t held = 0;      // left-aligned: the next bit is bit 31
    int32_t count = 0;      // valid bits in held

    void Begin(const uint8_t* buffer, int32_t bufferSize, int32_t index) {
        bytes = buffer;
        size = bufferSize;
        next = startIndex = index;
        endIndex = bufferSize;
        held = 0;
        count = 0;
    }

    // Brings the held bits to at least 25.
    void Refill() {
        if (next >= 0 && next + 4 <= size) {
            // Four bytes at once; the whole ones that fit are taken, none when more
            // than 24 bits are held, without a branch on that. The bits behind the
            // held ones are the stream's own, which a later refill brings to the
            // same place again.
            const uint8_t* at = bytes + next;
            const uint32_t word = (static_cast<uint32_t>(at[0]) << 24) |
                                  (static_cast<uint32_t>(at[1]) << 16) |
                                  (static_cast<uint32_t>(at[2]) << 8) | at[3];
            const int32_t taken = (32 - count) >> 3;
            held |= static_cast<uint32_t>(static_cast<uint64_t>(word) >> count);
            next += taken;
            count += 8 * taken;
            return;
        }
        while (count <= 24) {
            const uint32_t byte = next >= 0 && next < size ? bytes[next] : 0;
            ++next;
            held |= byte << (24 - count);
            count += 8;
        }
    }

    // n in 1 ... 24.
    uint32_t Peek(int32_t n) {
        if (count < n) Refill();
        return held >> (32 - n);
    }
    void Consume(int32_t n) {
        held <<= n;
        count -= n;
    }
    uint32_t Read(int32_t n) {
        if (n == 0) return 0;
        const uint32_t value = Peek(n);
        Consume(n);
        return value;
    }
    uint32_t ReadBit() { return Read(1); }

    // Whole bytes move the index; the rest goes through the accumulator.
    void Skip(int32_t n) {
        if (n >= count) {
            n -= count;
            held = 0;
            count = 0;
            next += n / 8;
            n %= 8;
        }
        if (n > 0) {
            Peek(n);
            Consume(n);
        }
    }

    int32_t BitsConsumed() const { return (next - startIndex) * 8 - count; }
    int32_t BitPosition() const { return next * 8 - count; } // from the buffer's start
    bool PastEnd() const { return next > endIndex; }
};
