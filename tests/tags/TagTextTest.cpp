#include "TagText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

size_t Prefix(const std::string& text, size_t limit) {
    return ShiftJisPrefixLength(text.data(), text.size(), limit);
}

std::string Copied(const std::string& source, size_t capacity) {
    std::string dest(capacity, 'X');
    CopyTagText(&dest[0], capacity, source.data(), source.size());
    return std::string(dest.c_str());
}

TEST(ShiftJisBytes, LeadAndTrailRanges) {
    EXPECT_FALSE(IsShiftJisLeadByte(0x80));
    EXPECT_TRUE(IsShiftJisLeadByte(0x81));
    EXPECT_TRUE(IsShiftJisLeadByte(0x9F));
    EXPECT_FALSE(IsShiftJisLeadByte(0xA0)); // half-width katakana start
    EXPECT_FALSE(IsShiftJisLeadByte(0xDF));
    EXPECT_TRUE(IsShiftJisLeadByte(0xE0));
    EXPECT_TRUE(IsShiftJisLeadByte(0xFC));
    EXPECT_FALSE(IsShiftJisLeadByte(0xFD));
    EXPECT_FALSE(IsShiftJisTrailByte(0x3F));
    EXPECT_TRUE(IsShiftJisTrailByte(0x40));
    EXPECT_TRUE(IsShiftJisTrailByte(0x5C)); // the trail of "ソ" looks like a backslash
    EXPECT_FALSE(IsShiftJisTrailByte(0x7F));
    EXPECT_TRUE(IsShiftJisTrailByte(0x80));
    EXPECT_TRUE(IsShiftJisTrailByte(0xFC));
    EXPECT_FALSE(IsShiftJisTrailByte(0xFD));
}

TEST(ShiftJisPrefix, CutsBetweenCharacters) {
    EXPECT_EQ(Prefix("abc", 2), 2u);
    EXPECT_EQ(Prefix("a\x82\xA0", 2), 1u);
    EXPECT_EQ(Prefix("a\x82\xA0", 3), 3u);
    EXPECT_EQ(Prefix("\x83\x5C\x83\x5C", 3), 2u);
    EXPECT_EQ(Prefix("abc", 10), 3u);
    // Half-width katakana are single bytes.
    EXPECT_EQ(Prefix("\xB1\xB2\xB3", 2), 2u);
}

TEST(ShiftJisPrefix, ALeadByteWithoutValidTrailCountsAlone) {
    EXPECT_EQ(Prefix("\x82 a", 1), 1u);
    EXPECT_EQ(Prefix("\x82", 5), 1u);
}

TEST(ShiftJisPrefix, APairIsReadFromTheStartNotGuessedFromTheEnd) {
    // 0x82 0x82 0xA0: the first two bytes are one character, so 0xA0 stands alone.
    EXPECT_EQ(Prefix("\x82\x82\xA0", 2), 2u);
    EXPECT_EQ(Prefix("\x82\x82\xA0", 3), 3u);
}

TEST(ShiftJisDangling, OnlyALoneLeadAtTheEndGoes) {
    EXPECT_EQ(WithoutDanglingLeadByte("ab\x82", 3), 2u);
    EXPECT_EQ(WithoutDanglingLeadByte("ab\x82\xA0", 4), 4u);
    EXPECT_EQ(WithoutDanglingLeadByte("\x82\x82", 2), 2u); // one character
    EXPECT_EQ(WithoutDanglingLeadByte("\x82\x82\x82", 3), 2u);
    EXPECT_EQ(WithoutDanglingLeadByte("", 0), 0u);
}

TEST(CopyTagText, StopsAtNulAndCapacity) {
    EXPECT_EQ(Copied(std::string("ab\0cd", 5), 10), "ab");
    EXPECT_EQ(Copied("abcdef", 4), "abc");
    EXPECT_EQ(Copied("ab\x82\xA0", 4), "ab");
    EXPECT_EQ(Copied("ab\x82\xA0", 5), "ab\x82\xA0");
    EXPECT_EQ(Copied("ab\x82", 10), "ab\x82"); // as stored: a Latin-1 "é" is 0xE9
    EXPECT_EQ(Copied("", 10), "");
}

TEST(RecordTextLength, NeverPassesTheField) {
    EXPECT_EQ(RecordTextLength("abc\0def", 8), 3u);
    EXPECT_EQ(RecordTextLength("abcd", 4), 4u);
}

} // namespace
