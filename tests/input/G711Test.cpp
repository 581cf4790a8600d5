#include "G711.h"

#include <gtest/gtest.h>

namespace {

// Reference points of ITU-T G.711 (A-law: 13-bit levels × 8; µ-law: 14-bit
// levels × 4), with the line codes as transmitted.
TEST(G711, ALawReferenceLevels) {
    EXPECT_EQ(ExpandALaw(0xD5), 8);     // smallest positive level (1 × 8)
    EXPECT_EQ(ExpandALaw(0x55), -8);    // its negative twin
    EXPECT_EQ(ExpandALaw(0xD4), 24);    // next step of segment 0 (3 × 8)
    EXPECT_EQ(ExpandALaw(0xC5), 264);   // first level of segment 1 (33 × 8)
    EXPECT_EQ(ExpandALaw(0xAA), 32256); // largest level (4032 × 8)
    EXPECT_EQ(ExpandALaw(0x2A), -32256);
}

TEST(G711, MuLawReferenceLevels) {
    EXPECT_EQ(ExpandMuLaw(0xFF), 0); // positive zero
    EXPECT_EQ(ExpandMuLaw(0x7F), 0); // negative zero
    EXPECT_EQ(ExpandMuLaw(0xFE), 8); // 2 × 4
    EXPECT_EQ(ExpandMuLaw(0x7E), -8);
    EXPECT_EQ(ExpandMuLaw(0xEF), 132);   // first level of segment 1 (33 × 4)
    EXPECT_EQ(ExpandMuLaw(0x80), 32124); // largest level (8031 × 4)
    EXPECT_EQ(ExpandMuLaw(0x00), -32124);
}

TEST(G711, BothLawsAreOddSymmetricAndMonotonic) {
    // Flipping the sign bit negates the level; within a sign, a larger
    // magnitude code never gives a smaller level.
    for (int code = 0; code < 128; ++code) {
        EXPECT_EQ(ExpandALaw(static_cast<uint8_t>(code)),
                  -ExpandALaw(static_cast<uint8_t>(code | 0x80)));
        EXPECT_EQ(ExpandMuLaw(static_cast<uint8_t>(code)),
                  -ExpandMuLaw(static_cast<uint8_t>(code | 0x80)));
    }
    // µ-law magnitude grows as the inverted code grows.
    for (int magnitude = 1; magnitude < 128; ++magnitude)
        EXPECT_GT(ExpandMuLaw(static_cast<uint8_t>(0xFF - magnitude)),
                  ExpandMuLaw(static_cast<uint8_t>(0xFF - magnitude + 1)));
    // A-law magnitude grows with the code after removing the even-bit inversion.
    for (int magnitude = 1; magnitude < 128; ++magnitude)
        EXPECT_GT(ExpandALaw(static_cast<uint8_t>((magnitude ^ 0x55) | 0x80)),
                  ExpandALaw(static_cast<uint8_t>(((magnitude - 1) ^ 0x55) | 0x80)));
}

} // namespace
