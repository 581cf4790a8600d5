#include <gtest/gtest.h>

#include <algorithm>

#include "TitleScroll.h"

namespace {

struct Range {
    int32_t low, high;
};

Range OffsetsOver(TitleScroll& scroll, int ticks) {
    Range range = {scroll.Offset(), scroll.Offset()};
    for (int i = 0; i < ticks; ++i) {
        scroll.Tick();
        range.low = std::min(range.low, scroll.Offset());
        range.high = std::max(range.high, scroll.Offset());
    }
    return range;
}

TEST(TitleScrollTest, TimerRunsForTitlesOf180PixelsOrMore) {
    TitleScroll scroll;
    EXPECT_FALSE(scroll.AfterTitleDrawn(true, 179));
    EXPECT_TRUE(scroll.AfterTitleDrawn(true, 180));
    EXPECT_TRUE(scroll.AfterTitleDrawn(true, 400));
    EXPECT_FALSE(scroll.AfterTitleDrawn(false, 400));
}

TEST(TitleScrollTest, A230PixelTitleMovesBetweenMinus9And2) {
    TitleScroll scroll;
    ASSERT_TRUE(scroll.AfterTitleDrawn(true, 230));
    // The first movement starts without a rest.
    EXPECT_TRUE(scroll.Tick());
    EXPECT_EQ(scroll.Offset(), 0);
    const Range range = OffsetsOver(scroll, 500);
    EXPECT_EQ(range.low, -9);
    EXPECT_EQ(range.high, 2);
}

TEST(TitleScrollTest, RestsTenTicksAtEachTurn) {
    TitleScroll scroll;
    scroll.AfterTitleDrawn(true, 230);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(scroll.Tick());
    EXPECT_EQ(scroll.Offset(), -9);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(scroll.Tick());
        EXPECT_EQ(scroll.Offset(), -9);
    }
    EXPECT_TRUE(scroll.Tick());
    EXPECT_EQ(scroll.Offset(), -8);
}

TEST(TitleScrollTest, TitlesUpTo220PixelsStayPut) {
    for (int32_t width : {0, 180, 200, 220}) {
        TitleScroll scroll;
        scroll.AfterTitleDrawn(true, width);
        for (int i = 0; i < 50; ++i)
            EXPECT_FALSE(scroll.Tick());
        EXPECT_EQ(scroll.Offset(), 1);
    }
}

TEST(TitleScrollTest, A221PixelTitleMovesBetween0And2) {
    TitleScroll scroll;
    scroll.AfterTitleDrawn(true, 221);
    const Range range = OffsetsOver(scroll, 200);
    EXPECT_EQ(range.low, 0);
    EXPECT_EQ(range.high, 2);
}

TEST(TitleScrollTest, SwitchingScrollOffOrEmptyingTheListResetsTheOffset) {
    TitleScroll scroll;
    scroll.AfterTitleDrawn(true, 300);
    for (int i = 0; i < 5; ++i)
        scroll.Tick();
    EXPECT_EQ(scroll.Offset(), -4);
    // A new (shorter) title keeps the offset.
    scroll.AfterTitleDrawn(true, 250);
    EXPECT_EQ(scroll.Offset(), -4);
    scroll.AfterTitleDrawn(false, 300);
    EXPECT_EQ(scroll.Offset(), 1);
    scroll.AfterTitleDrawn(true, 300);
    scroll.Tick();
    scroll.ResetOffset();
    EXPECT_EQ(scroll.Offset(), 1);
}

} // namespace
