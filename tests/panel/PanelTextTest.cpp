#include <gtest/gtest.h>

#include <string>

#include "PanelText.h"

namespace {

// "ＭＳ ゴシック" in Shift-JIS.
const std::string kGothic = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";

void ExpectPanelFont(const PanelFont& font, int32_t height) {
    EXPECT_EQ(std::string(font.face), kGothic);
    EXPECT_EQ(font.height, height);
    EXPECT_EQ(font.weight, 0);
    EXPECT_EQ(font.charset, 128); // SHIFTJIS_CHARSET
    EXPECT_EQ(font.quality, 2);   // PROOF_QUALITY
}

TEST(PanelTextTest, TitleLineIsWhiteGothic12AtTheScrollOffset) {
    PanelState state;
    state.TitleText = "A long title";
    state.TitleX = -7;
    const DrawOp op = TitleLineDraw(state);
    ASSERT_EQ(op.kind, DrawKind::Text);
    EXPECT_STREQ(PanelBitmapName(op.bitmap), "INT_TITLE_BK");
    EXPECT_EQ(op.x, 19);
    EXPECT_EQ(op.y, 4);
    EXPECT_EQ(op.line.text, "A long title");
    EXPECT_EQ(op.line.x, -7);
    EXPECT_EQ(op.line.y, 1);
    EXPECT_EQ(op.line.colour, 0xFFFFFFu);
    ExpectPanelFont(op.line.font, -12);
    EXPECT_TRUE(op.line.isTitle);
    EXPECT_FALSE(op.line.measureWidth);
    state.TitleScroll = true;
    EXPECT_TRUE(TitleLineDraw(state).line.measureWidth);
}

TEST(PanelTextTest, ArtistLineIsWhiteGothic11) {
    PanelState state;
    state.ArtistText = "Artist";
    state.SleepMinutesLeft = 12; // ignored while the timer is off
    const DrawOp op = ArtistLineDraw(state);
    ASSERT_EQ(op.kind, DrawKind::Text);
    EXPECT_STREQ(PanelBitmapName(op.bitmap), "INT_ARTIST_BK");
    EXPECT_EQ(op.x, 19);
    EXPECT_EQ(op.y, 17);
    EXPECT_EQ(op.line.text, "Artist");
    EXPECT_EQ(op.line.x, 1);
    EXPECT_EQ(op.line.y, 1);
    EXPECT_EQ(op.line.colour, 0xFFFFFFu);
    ExpectPanelFont(op.line.font, -11);
    EXPECT_FALSE(op.line.isTitle);
    EXPECT_FALSE(op.line.measureWidth);
}

TEST(PanelTextTest, RunningSleepTimerReplacesTheArtistInRed) {
    PanelState state;
    state.ArtistText = "Artist";
    state.SleepTimerRunning = true;
    state.SleepMinutesLeft = 15;
    const DrawOp op = ArtistLineDraw(state);
    // "タイマー作動中、残り 15 分！"
    EXPECT_EQ(op.line.text, "\x83\x5E\x83\x43\x83\x7D\x81\x5B\x8D\xEC\x93\xAE\x92\x86\x81\x41"
                            "\x8E\x63\x82\xE8 15 \x95\xAA\x81\x49");
    EXPECT_EQ(op.line.colour, 0x0000FFu);
    EXPECT_EQ(SleepTimerText(1).substr(20), " 1 \x95\xAA\x81\x49");
}

} // namespace
