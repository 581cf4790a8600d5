// The shuffle order and the shared random generator.
#include "RandomGenerator.h"
#include "Shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int32_t> NextValues(TShuffle& shuffle, int count) {
    std::vector<int32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(shuffle.NextInOrder());
    return values;
}

TEST(ShuffleTest, NextInOrderCoversEveryItemOnce) {
    RandomGenerator random;
    random.Seed(12345);
    TShuffle shuffle(random);
    ASSERT_TRUE(shuffle.Build(50));
    std::vector<int32_t> values = NextValues(shuffle, 50);
    std::sort(values.begin(), values.end());
    for (int32_t i = 0; i < 50; ++i)
        EXPECT_EQ(values[i], i + 1);
}

TEST(ShuffleTest, FirstEntryComesUpAfterTheWrap) {
    RandomGenerator random;
    random.Seed(7);
    TShuffle shuffle(random);
    ASSERT_TRUE(shuffle.Build(6));
    // Entries 1..5 then entry 0 (the wrap), and the round repeats.
    const std::vector<int32_t> round = NextValues(shuffle, 6);
    EXPECT_EQ(NextValues(shuffle, 6), round);
    // Now at entry 0: stepping back wraps to the last entry, then entry 4.
    EXPECT_EQ(shuffle.PreviousInOrder(), round[4]);
    EXPECT_EQ(shuffle.PreviousInOrder(), round[3]);
    EXPECT_EQ(shuffle.NextInOrder(), round[4]);
}

TEST(ShuffleTest, BuildIsRefusedWhileAnOrderExists) {
    TShuffle shuffle;
    EXPECT_EQ(shuffle.NextInOrder(), 1); // no order yet
    EXPECT_EQ(shuffle.PreviousInOrder(), 1);
    EXPECT_TRUE(shuffle.Build(3));
    EXPECT_FALSE(shuffle.Build(3));
    EXPECT_TRUE(shuffle.Rebuild(1));
    EXPECT_EQ(shuffle.NextInOrder(), 1);
    EXPECT_EQ(shuffle.PreviousInOrder(), 1);
    shuffle.Clear();
    EXPECT_TRUE(shuffle.Build(2));
}

TEST(ShuffleTest, EmptyOrderIsRefused) {
    TShuffle shuffle;
    EXPECT_FALSE(shuffle.Build(0));
    EXPECT_FALSE(shuffle.Build(-3));
    EXPECT_EQ(shuffle.NextInOrder(), 1);
    EXPECT_TRUE(shuffle.Build(1));
}

TEST(ShuffleTest, SameSeedSameOrder) {
    RandomGenerator first;
    RandomGenerator second;
    first.Seed(99);
    second.Seed(99);
    TShuffle a(first);
    TShuffle b(second);
    ASSERT_TRUE(a.Build(100));
    ASSERT_TRUE(b.Build(100));
    const std::vector<int32_t> order = NextValues(a, 100);
    EXPECT_EQ(NextValues(b, 100), order);
    std::vector<int32_t> identity(100);
    for (int32_t i = 0; i < 100; ++i)
        identity[i] = (i + 1) % 100 + 1;
    EXPECT_NE(order, identity); // 100 items left in place would be no shuffle
}

TEST(RandomGeneratorTest, ValuesStayInTheirWidths) {
    RandomGenerator random;
    random.Seed(1);
    int32_t largest15 = 0;
    int32_t largest31 = 0;
    for (int i = 0; i < 20000; ++i) {
        const int32_t small = random.Next15();
        const int32_t large = random.Next31();
        ASSERT_GE(small, 0);
        ASSERT_LE(small, 32767);
        ASSERT_GE(large, 0);
        largest15 = std::max(largest15, small);
        largest31 = std::max(largest31, large);
    }
    EXPECT_GT(largest15, 32000); // the whole 15-bit range is used
    EXPECT_GT(largest31, 0x7F000000);
}

TEST(RandomGeneratorTest, BothWidthsShareOneSequence) {
    RandomGenerator plain;
    RandomGenerator interleaved;
    plain.Seed(5);
    interleaved.Seed(5);
    const int32_t first = plain.Next31();
    const int32_t second = plain.Next31();
    interleaved.Next15(); // random play draws in between
    EXPECT_EQ(interleaved.Next31(), second);
    EXPECT_NE(first, second);
}

TEST(RandomGeneratorTest, TimeOfDaySeedLeavesTheOldSequence) {
    RandomGenerator reseeded;
    RandomGenerator untouched;
    reseeded.Seed(1);
    untouched.Seed(1);
    reseeded.SeedFromTimeOfDay();
    EXPECT_NE(reseeded.Next31(), untouched.Next31());
}

TEST(RandomGeneratorTest, SeedRestartsTheSequence) {
    RandomGenerator random;
    random.Seed(42);
    const int32_t first = random.Next15();
    random.Next15();
    random.Seed(42);
    EXPECT_EQ(random.Next15(), first);
}

} // namespace
