#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "DrawListView.h"
#include "PanelLayout.h"

namespace {

std::vector<Placed> Segments(const char* on, const char* off, int lit, int count, int x0, int dx,
                             int y0, int dy) {
    std::vector<Placed> placed;
    for (int k = 0; k < count; ++k)
        placed.push_back({k < lit ? on : off, x0 + dx * k, y0 + dy * k});
    return placed;
}

std::vector<Placed> VolumeSegments(int lit) {
    return Segments("VOL_BAR_ON", "VOL_BAR_OFF", lit, 11, 256, 0, 26, -2);
}

std::vector<Placed> SeekSegments(int lit) {
    return Segments("SEEK_BAR_ON", "SEEK_BAR_OFF", lit, 24, 203, 2, 33, 0);
}

std::vector<Placed> Sorted(std::vector<Placed> placed) {
    std::sort(placed.begin(), placed.end());
    return placed;
}

int LitSeekSegments(int32_t position, int32_t length) {
    const auto placed = PlacedBitmaps(SeekBarDraw(position, length));
    return static_cast<int>(std::count_if(placed.begin(), placed.end(), [](const Placed& p) {
        return std::get<0>(p) == "SEEK_BAR_ON";
    }));
}

PanelState Playing() {
    PanelState state;
    state.PlayState = 1;
    state.ListLoaded = 1;
    state.RepeatMode = 111;
    state.ShuffleMode = 102;
    state.Volume = 75;
    state.Position = 1000; // 16:40
    state.Length = 3725;   // 62:05
    state.BitRate = 128000;
    state.SampleRate = 44100;
    state.TitleText = "Title";
    state.ArtistText = "Artist";
    return state;
}

TEST(PanelLayoutTest, FullPaintDrawsEveryElementInPaintingOrder) {
    const DrawList list = FullPaint(Playing());
    ASSERT_EQ(list.size(), 2u + 2 + 9 + 3 + 2 + 5 + 1 + 5 + 2 + 4 + 5 + 3 + 11 + 24);

    // Background: the white top line, then the grey right and bottom edges.
    ASSERT_EQ(list[0].kind, DrawKind::Polyline);
    EXPECT_EQ(list[0].pointCount, 2);
    EXPECT_EQ(std::make_tuple(list[0].x, list[0].y, list[0].x2, list[0].y2),
              std::make_tuple(15, 0, 267, 0));
    EXPECT_EQ(list[0].colour, 0xFFFFFFu);
    ASSERT_EQ(list[1].kind, DrawKind::Polyline);
    EXPECT_EQ(list[1].pointCount, 3);
    EXPECT_EQ(std::make_tuple(list[1].x, list[1].y, list[1].x2, list[1].y2, list[1].x3, list[1].y3),
              std::make_tuple(267, 0, 267, 44, 14, 44));
    EXPECT_EQ(list[1].colour, 0x808080u);

    EXPECT_EQ(PlacedOf(list[2]), Placed("SL_VOL_OFF", 253, 4));
    EXPECT_EQ(PlacedOf(list[3]), Placed("SL_POS_OFF", 201, 30));
    const std::vector<Placed> buttons = {
        {"BT_PREV_ON", 201, 4},  {"BT_STOP_ON", 214, 4},  {"BT_PAUSE_ON", 227, 4},
        {"BT_NEXT_ON", 240, 4},  {"BT_REP_ON", 201, 17},  {"BT_SR_ON", 214, 17},
        {"BT_LIST_ON", 227, 17}, {"BT_OPEN_ON", 240, 17}, {"BT_QUOREL_ON", 253, 30}};
    EXPECT_EQ(Sorted(PlacedBitmaps(list, 4, 9)), Sorted(buttons));
    EXPECT_EQ(PlacedBitmaps(list, 13, 3),
              (std::vector<Placed>{{"INT_BAR", 0, 0}, {"EXIT2_UP", 5, 3}, {"MIN2_UP", 5, 12}}));
    ASSERT_EQ(list[16].kind, DrawKind::Text);
    EXPECT_EQ(PlacedOf(list[16]), Placed("INT_TITLE_BK", 19, 4));
    ASSERT_EQ(list[17].kind, DrawKind::Text);
    EXPECT_EQ(PlacedOf(list[17]), Placed("INT_ARTIST_BK", 19, 17));

    const std::vector<Placed> numbers = {
        // elapsed 16:40, slash, total 62:05
        {"NUM_1", 135, 35},
        {"NUM_6", 141, 35},
        {"NUM_DD", 147, 35},
        {"NUM_4", 150, 35},
        {"NUM_0", 156, 35},
        {"SIN_SLA", 162, 35},
        {"NUM_6", 169, 35},
        {"NUM_2", 175, 35},
        {"NUM_DD", 181, 35},
        {"NUM_0", 184, 35},
        {"NUM_5", 190, 35},
        // repeat all, random
        {"REP_ALL", 65, 28},
        {"RANDOM", 25, 28},
        // 128 kbit/s: sign, units, tens, hundreds
        {"SIN_BIT", 83, 35},
        {"NUM_8", 77, 35},
        {"NUM_2", 71, 35},
        {"NUM_1", 65, 35},
        // 44.1 kHz: sign, 100-Hz digit, point, then the two left digits
        {"SIN_KHZ", 45, 35},
        {"NUM_1", 39, 35},
        {"NUM_DOT", 37, 35},
        {"NUM_4", 31, 35},
        {"NUM_4", 25, 35},
        // volume 75
        {"NUM_5", 190, 28},
        {"NUM_7", 184, 28},
        {"VOL", 157, 28}};
    EXPECT_EQ(PlacedBitmaps(list, 18, numbers.size()), numbers);
    // 75 lights 8 volume segments; 1000 of 3725 s lights 6 of 24 seek segments.
    EXPECT_EQ(PlacedBitmaps(list, 18 + numbers.size(), 11), VolumeSegments(8));
    EXPECT_EQ(PlacedBitmaps(list, 18 + numbers.size() + 11, 24), SeekSegments(6));
}

TEST(PanelLayoutTest, NothingLoadedShowsDarkButtonsAndZeros) {
    PanelState state;
    state.Volume = 40;
    const DrawList list = FullPaint(state);
    const std::vector<Placed> buttons = {
        {"BT_PREV_OFF", 201, 4},  {"BT_STOP_OFF", 214, 4}, {"BT_PLAY_OFF", 227, 4},
        {"BT_NEXT_OFF", 240, 4},  {"BT_REP_OFF", 201, 17}, {"BT_SR_OFF", 214, 17},
        {"BT_LIST_OFF", 227, 17}, {"BT_OPEN_ON", 240, 17}, {"BT_QUOREL_ON", 253, 30}};
    EXPECT_EQ(Sorted(PlacedBitmaps(list, 4, 9)), Sorted(buttons));
    const std::vector<Placed> numbers = {
        {"NUM_0", 135, 35},  {"NUM_0", 141, 35},   {"NUM_DD", 147, 35}, {"NUM_0", 150, 35},
        {"NUM_0", 156, 35},  {"SIN_SLA", 162, 35}, {"NUM_0", 169, 35},  {"NUM_0", 175, 35},
        {"NUM_DD", 181, 35}, {"NUM_0", 184, 35},   {"NUM_0", 190, 35},  {"REP_OFF", 65, 28},
        {"SR_OFF", 25, 28},  {"SIN_BIT", 83, 35},  {"NUM_0", 77, 35},   {"NUM_0", 71, 35},
        {"NUM_SPA", 65, 35}, {"SIN_KHZ", 45, 35},  {"NUM_0", 39, 35},   {"NUM_DOT", 37, 35},
        {"NUM_0", 31, 35},   {"NUM_0", 25, 35}};
    EXPECT_EQ(PlacedBitmaps(list, 18, numbers.size()), numbers);
    EXPECT_EQ(PlacedBitmaps(list, list.size() - 24, 24), SeekSegments(0));
}

TEST(PanelLayoutTest, ButtonImagesFollowPlayStateAndListLoaded) {
    struct Case {
        int32_t playState, loaded;
        const char* playPause;
        const char* stop;
        const char* next;
    };
    const Case cases[] = {
        {0, 1, "BT_PLAY_ON", "BT_STOP_OFF", "BT_NEXT_ON"},
        {1, 1, "BT_PAUSE_ON", "BT_STOP_ON", "BT_NEXT_ON"},
        {2, 1, "BT_PLAY_ON", "BT_STOP_ON", "BT_NEXT_ON"},
        {1, 0, "BT_PAUSE_OFF", "BT_STOP_OFF", "BT_NEXT_OFF"},
        {2, 0, "BT_PLAY_OFF", "BT_STOP_OFF", "BT_NEXT_OFF"},
    };
    for (const Case& c : cases) {
        PanelState state;
        state.PlayState = c.playState;
        state.ListLoaded = c.loaded;
        const auto buttons = PlacedBitmaps(ButtonsDraw(state));
        auto has = [&](const Placed& p) {
            return std::find(buttons.begin(), buttons.end(), p) != buttons.end();
        };
        EXPECT_TRUE(has({c.playPause, 227, 4})) << c.playState << " " << c.loaded;
        EXPECT_TRUE(has({c.stop, 214, 4})) << c.playState << " " << c.loaded;
        EXPECT_TRUE(has({c.next, 240, 4})) << c.playState << " " << c.loaded;
        EXPECT_TRUE(has({"BT_OPEN_ON", 240, 17}));
        EXPECT_TRUE(has({"BT_QUOREL_ON", 253, 30}));
    }
}

TEST(PanelLayoutTest, ExchangeButtonSwapsRepeatAndShuffle) {
    PanelState state;
    state.ListLoaded = 1;
    state.ExchangeButton = true;
    const auto buttons = PlacedBitmaps(ButtonsDraw(state));
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), Placed("BT_SR_ON", 201, 17)),
              buttons.end());
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), Placed("BT_REP_ON", 214, 17)),
              buttons.end());
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Repeat, false, true)),
              Placed("BT_REP_OFF", 214, 17));
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Shuffle, true, false)), Placed("BT_SR_ON", 214, 17));
}

TEST(PanelLayoutTest, SingleButtonsAtTheirPlaces) {
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Pause, true, false)), Placed("BT_PAUSE_ON", 227, 4));
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Play, true, false)), Placed("BT_PLAY_ON", 227, 4));
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Stop, false, false)), Placed("BT_STOP_OFF", 214, 4));
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::List, false, false)),
              Placed("BT_LIST_OFF", 227, 17));
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Open, false, false)),
              Placed("BT_OPEN_OFF", 240, 17));
    // The logo has no dark image.
    EXPECT_EQ(PlacedOf(ButtonDraw(ButtonImage::Logo, false, false)),
              Placed("BT_QUOREL_ON", 253, 30));
}

TEST(PanelLayoutTest, VolumeNumberPlacesTheLabelAgainstTheLeftmostDigit) {
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(100)),
              (std::vector<Placed>{
                  {"NUM_0", 190, 28}, {"NUM_0", 184, 28}, {"NUM_1", 178, 28}, {"VOL", 151, 28}}));
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(10)),
              (std::vector<Placed>{{"NUM_0", 190, 28}, {"NUM_1", 184, 28}, {"VOL", 157, 28}}));
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(9)),
              (std::vector<Placed>{{"NUM_9", 190, 28}, {"VOL", 163, 28}}));
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(0)),
              (std::vector<Placed>{{"NUM_0", 190, 28}, {"VOL", 163, 28}}));
    // Out-of-range values show the nearer end.
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(-7)), PlacedBitmaps(VolumeNumberDraw(0)));
    EXPECT_EQ(PlacedBitmaps(VolumeNumberDraw(250)), PlacedBitmaps(VolumeNumberDraw(100)));
}

TEST(PanelLayoutTest, VolumeBarLightsSegmentsFromTheBottom) {
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(100)), VolumeSegments(11));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(99)), VolumeSegments(10));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(10)), VolumeSegments(2));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(9)), VolumeSegments(1));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(1)), VolumeSegments(1));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(0)), VolumeSegments(0));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(-3)), VolumeSegments(0));
    EXPECT_EQ(PlacedBitmaps(VolumeBarDraw(130)), VolumeSegments(11));
}

TEST(PanelLayoutTest, SeekBarLimitsThePositionToTheLength) {
    EXPECT_EQ(LitSeekSegments(5, 0), 0);
    EXPECT_EQ(LitSeekSegments(0, 0), 0);
    EXPECT_EQ(LitSeekSegments(-3, 100), 0);
    EXPECT_EQ(LitSeekSegments(1, 24), 1);
    EXPECT_EQ(LitSeekSegments(23, 24), 23);
    EXPECT_EQ(LitSeekSegments(99, 100), 23);
    EXPECT_EQ(LitSeekSegments(100, 100), 24);
    EXPECT_EQ(LitSeekSegments(500, 100), 24);
    // No overflow for absurd lengths.
    EXPECT_EQ(LitSeekSegments(INT32_MAX, INT32_MAX), 24);
    EXPECT_EQ(LitSeekSegments(INT32_MAX / 2, INT32_MAX), 11);
    EXPECT_EQ(PlacedBitmaps(SeekBarDraw(12, 24)), SeekSegments(12));
}

TEST(PanelLayoutTest, TimesCapMinutesAt99) {
    EXPECT_EQ(PlacedBitmaps(ElapsedTimeDraw(6000)), (std::vector<Placed>{{"NUM_9", 135, 35},
                                                                         {"NUM_9", 141, 35},
                                                                         {"NUM_DD", 147, 35},
                                                                         {"NUM_0", 150, 35},
                                                                         {"NUM_0", 156, 35}}));
    EXPECT_EQ(PlacedBitmaps(TotalTimeDraw(99 * 60 + 59)),
              (std::vector<Placed>{{"NUM_9", 169, 35},
                                   {"NUM_9", 175, 35},
                                   {"NUM_DD", 181, 35},
                                   {"NUM_5", 184, 35},
                                   {"NUM_9", 190, 35}}));
    EXPECT_EQ(PlacedBitmaps(TotalTimeDraw(INT32_MAX)), (std::vector<Placed>{{"NUM_9", 169, 35},
                                                                            {"NUM_9", 175, 35},
                                                                            {"NUM_DD", 181, 35},
                                                                            {"NUM_0", 184, 35},
                                                                            {"NUM_7", 190, 35}}));
    EXPECT_EQ(PlacedBitmaps(ElapsedTimeDraw(-20)), PlacedBitmaps(ElapsedTimeDraw(0)));
}

TEST(PanelLayoutTest, BitRateShowsABlankHundredsDigitBelow100Kbits) {
    EXPECT_EQ(PlacedBitmaps(BitRateDraw(64000)),
              (std::vector<Placed>{
                  {"SIN_BIT", 83, 35}, {"NUM_4", 77, 35}, {"NUM_6", 71, 35}, {"NUM_SPA", 65, 35}}));
    EXPECT_EQ(PlacedBitmaps(BitRateDraw(320000)),
              (std::vector<Placed>{
                  {"SIN_BIT", 83, 35}, {"NUM_0", 77, 35}, {"NUM_2", 71, 35}, {"NUM_3", 65, 35}}));
    EXPECT_EQ(PlacedBitmaps(BitRateDraw(100000)),
              (std::vector<Placed>{
                  {"SIN_BIT", 83, 35}, {"NUM_0", 77, 35}, {"NUM_0", 71, 35}, {"NUM_1", 65, 35}}));
    // 1411 kbit/s (CD audio) can't be shown in three digits: 999.
    EXPECT_EQ(PlacedBitmaps(BitRateDraw(1411200)),
              (std::vector<Placed>{
                  {"SIN_BIT", 83, 35}, {"NUM_9", 77, 35}, {"NUM_9", 71, 35}, {"NUM_9", 65, 35}}));
    EXPECT_EQ(PlacedBitmaps(BitRateDraw(-128000)), PlacedBitmaps(BitRateDraw(0)));
}

TEST(PanelLayoutTest, SampleRateShowsKilohertzWithOneDecimal) {
    EXPECT_EQ(PlacedBitmaps(SampleRateDraw(8000)), (std::vector<Placed>{{"SIN_KHZ", 45, 35},
                                                                        {"NUM_0", 39, 35},
                                                                        {"NUM_DOT", 37, 35},
                                                                        {"NUM_8", 31, 35},
                                                                        {"NUM_0", 25, 35}}));
    EXPECT_EQ(PlacedBitmaps(SampleRateDraw(22050)), (std::vector<Placed>{{"SIN_KHZ", 45, 35},
                                                                         {"NUM_0", 39, 35},
                                                                         {"NUM_DOT", 37, 35},
                                                                         {"NUM_2", 31, 35},
                                                                         {"NUM_2", 25, 35}}));
    EXPECT_EQ(PlacedBitmaps(SampleRateDraw(-1)), PlacedBitmaps(SampleRateDraw(0)));
}

TEST(PanelLayoutTest, IndicatorsUseTheModeAsGlyphCode) {
    EXPECT_EQ(PlacedOf(RepeatIndicatorDraw(112)), Placed("REP_1", 65, 28));
    EXPECT_EQ(PlacedOf(RepeatIndicatorDraw(110)), Placed("REP_OFF", 65, 28));
    EXPECT_EQ(PlacedOf(ShuffleIndicatorDraw(101)), Placed("SHUFFLE", 25, 28));
    EXPECT_EQ(PlacedOf(ShuffleIndicatorDraw(100)), Placed("SR_OFF", 25, 28));
    // An unknown mode falls back to the digit 0 like every unknown glyph.
    EXPECT_EQ(PlacedOf(RepeatIndicatorDraw(113)), Placed("NUM_0", 65, 28));
}

TEST(PanelLayoutTest, PartialRedrawsCoverOnlyTheirElements) {
    const PanelState state = Playing();
    DrawList expected = ElapsedTimeDraw(1000);
    const DrawList seek = SeekBarDraw(1000, 3725);
    expected.insert(expected.end(), seek.begin(), seek.end());
    EXPECT_EQ(PlacedBitmaps(PositionRedraw(state)), PlacedBitmaps(expected));

    std::vector<Placed> volume = PlacedBitmaps(VolumeNumberDraw(100));
    const auto bar = VolumeSegments(11);
    volume.insert(volume.end(), bar.begin(), bar.end());
    EXPECT_EQ(PlacedBitmaps(VolumeRedraw(100)), volume);

    const DrawList texts = TextsAndNumbersRedraw(state);
    ASSERT_EQ(texts.size(), 2u + 5 + 1 + 5 + 2 + 4 + 5);
    EXPECT_EQ(PlacedOf(texts[0]), Placed("INT_TITLE_BK", 19, 4));
    EXPECT_EQ(PlacedOf(texts[1]), Placed("INT_ARTIST_BK", 19, 17));
    const DrawList full = FullPaint(state);
    // The same numbers as the full paint, in the same order.
    EXPECT_EQ(PlacedBitmaps(texts, 2, texts.size() - 2), PlacedBitmaps(full, 18, texts.size() - 2));

    const DrawList title = TitleRedraw(state);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].kind, DrawKind::Text);
    EXPECT_EQ(PlacedOf(title[0]), Placed("INT_TITLE_BK", 19, 4));
}

TEST(PanelLayoutTest, GlyphCodes) {
    const std::pair<int32_t, const char*> codes[] = {
        {0, "NUM_0"},        {4, "NUM_4"},    {9, "NUM_9"},     {10, "NUM_DOT"},  {11, "NUM_DD"},
        {12, "SIN_KHZ"},     {13, "SIN_BIT"}, {14, "SIN_SLA"},  {15, "NUM_SPA"},  {100, "SR_OFF"},
        {101, "SHUFFLE"},    {102, "RANDOM"}, {110, "REP_OFF"}, {111, "REP_ALL"}, {112, "REP_1"},
        {200, "VOL"},        {16, "NUM_0"},   {-1, "NUM_0"},    {103, "NUM_0"},   {113, "NUM_0"},
        {INT32_MIN, "NUM_0"}};
    for (const auto& [code, name] : codes)
        EXPECT_STREQ(PanelBitmapName(GlyphBitmap(code)), name) << code;
}

} // namespace
