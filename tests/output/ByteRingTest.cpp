#include "ByteRing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<uint8_t> Counting(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

TEST(ByteRing, KeepsOrderAcrossTheWrap) {
    ByteRing ring(10);
    const std::vector<uint8_t> a = Counting(7, 0);
    EXPECT_EQ(ring.Push(a.data(), a.size()), 7u);
    std::vector<uint8_t> out(5);
    EXPECT_EQ(ring.Pop(out.data(), 5), 5u);
    EXPECT_EQ(out, Counting(5, 0));
    const std::vector<uint8_t> b = Counting(8, 7);
    EXPECT_EQ(ring.Push(b.data(), b.size()), 8u); // wraps
    EXPECT_EQ(ring.size(), 10u);
    EXPECT_EQ(ring.room(), 0u);
    out.resize(10);
    EXPECT_EQ(ring.Pop(out.data(), 10), 10u);
    EXPECT_EQ(out, Counting(10, 5));
    EXPECT_EQ(ring.size(), 0u);
}

TEST(ByteRing, PushTakesOnlyWhatFits) {
    ByteRing ring(4);
    const std::vector<uint8_t> a = Counting(6, 1);
    EXPECT_EQ(ring.Push(a.data(), a.size()), 4u);
    EXPECT_EQ(ring.Push(a.data(), 1), 0u);
    std::vector<uint8_t> out(6);
    EXPECT_EQ(ring.Pop(out.data(), 6), 4u);
    out.resize(4);
    EXPECT_EQ(out, Counting(4, 1));
}

TEST(ByteRing, PopFromEmptyGivesNothing) {
    ByteRing ring(4);
    uint8_t byte = 0x55;
    EXPECT_EQ(ring.Pop(&byte, 1), 0u);
    EXPECT_EQ(byte, 0x55);
}

TEST(ByteRing, ClearDropsEverything) {
    ByteRing ring(8);
    const std::vector<uint8_t> a = Counting(6, 0);
    ring.Push(a.data(), a.size());
    uint8_t skip[3];
    ring.Pop(skip, 3);
    ring.Clear();
    EXPECT_EQ(ring.size(), 0u);
    EXPECT_EQ(ring.room(), 8u);
    const std::vector<uint8_t> b = Counting(8, 40);
    EXPECT_EQ(ring.Push(b.data(), b.size()), 8u);
    std::vector<uint8_t> out(8);
    ring.Pop(out.data(), 8);
    EXPECT_EQ(out, b);
}

TEST(ByteRing, ManySmallStepsMatchAPlainQueue) {
    ByteRing ring(13);
    std::vector<uint8_t> expected;
    std::vector<uint8_t> got;
    uint8_t next = 0;
    for (int step = 0; step < 200; ++step) {
        const size_t pushCount = static_cast<size_t>(step * 7 % 11);
        const std::vector<uint8_t> chunk = Counting(pushCount, next);
        const size_t pushed = ring.Push(chunk.data(), chunk.size());
        expected.insert(expected.end(), chunk.begin(), chunk.begin() + pushed);
        next = static_cast<uint8_t>(next + pushed);
        std::vector<uint8_t> out(static_cast<size_t>(step * 5 % 9));
        out.resize(ring.Pop(out.data(), out.size()));
        got.insert(got.end(), out.begin(), out.end());
    }
    std::vector<uint8_t> rest(ring.size());
    ring.Pop(rest.data(), rest.size());
    got.insert(got.end(), rest.begin(), rest.end());
    EXPECT_EQ(got, expected);
}

} // namespace
