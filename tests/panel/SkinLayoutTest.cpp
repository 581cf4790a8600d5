#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "PanelText.h"
#include "SkinLayout.h"

namespace {

// Glyph g is 3 + g % 3 pixels wide, so every advance tells which glyph it
// followed.
SkinDescription TestSkin(bool upon) {
    SkinDescription d;
    d.upon = upon;
    d.background = {0, 0, 0, 0, 300, 60};
    d.title = {20, 5, 120, 30, 150, 14};
    d.artist = {20, 20, 120, 50, 150, 11};
    d.fonts[0] = {"T", 0x123456, -12, 400, true, false, true};
    d.fonts[1] = {"A", 0x654321, -11, 700, false, true, false};
    for (int i = 0; i < skin::kButtonCount; ++i) {
        d.buttonDark[i] = {200 + 10 * i, 4, 13 * i, 0, 9, 9};
        d.buttonLit[i] = {200 + 10 * i, 4, 13 * i, 13, 9, 9};
    }
    d.buttonDark[skin::kPause] = {40, 38, 117, 0, 9, 9}; // over the seek bar
    d.close = {2, 2, 0, 0, 8, 8};
    d.minimise = {2, 12, 0, 10, 8, 8};
    d.frame = {0, 0, 0, 0, 15, 60};
    for (int i = 0; i < skin::kSeekImages; ++i)
        d.seek[i] = {30, 40, 0, 7 * i, 100, 7};
    for (int i = 0; i < skin::kVolumeImages; ++i)
        d.volume[i] = {250, 20, 0, 25 * i, 13, 25};
    for (int i = 0; i < 3; ++i) {
        d.shuffleIndicator[i] = {10, 40, 0, 100 + 7 * i, 34, 7};
        d.repeatIndicator[i] = {50, 40, 40, 100 + 7 * i, 48, 7};
    }
    for (int g = 0; g < skin::kGlyphCount; ++g)
        d.glyphs[g] = {0, 0, 10 * g, 0, 3 + g % 3, 7};
    d.numberPositions[skin::kSampleRate] = {10, 50, 0, 0, 0, 0};
    d.numberPositions[skin::kBitRate] = {40, 50, 0, 0, 0, 0};
    d.numberPositions[skin::kElapsedTime] = {70, 50, 0, 0, 0, 0};
    d.numberPositions[skin::kTotalTime] = {110, 50, 0, 0, 0, 0};
    d.numberPositions[skin::kVolume] = {150, 50, 0, 0, 0, 0};
    d.numberPositions[skin::kVolume100] = {160, 52, 0, 0, 0, 0};
    return d;
}

// A drawing step as (kind, sheet, block x, y, w, h, destination x, y).
using Step = std::tuple<DrawKind, SkinSheet, int, int, int, int, int, int>;

Step StepOf(const DrawOp& op) {
    return {op.kind, op.block.sheet, op.block.x, op.block.y, op.block.w, op.block.h, op.x, op.y};
}

std::vector<Step> Steps(const DrawList& list) {
    std::vector<Step> steps;
    for (const DrawOp& op : list)
        steps.push_back(StepOf(op));
    return steps;
}

Step Sheet(SkinSheet sheet, const SkinElement& e) {
    return {DrawKind::Sheet, sheet, e.x, e.y, e.w, e.h, e.wx, e.wy};
}

Step Text(const SkinElement& e) {
    return {DrawKind::SheetText, SkinSheet::Main, e.x, e.y, e.w, e.h, e.wx, e.wy};
}

Step Glyph(int g, int x, int y) {
    return {DrawKind::Sheet, SkinSheet::Char, 10 * g, 0, 3 + g % 3, 7, x, y};
}

std::vector<Step> Join(std::initializer_list<std::vector<Step>> parts) {
    std::vector<Step> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

PanelState Playing() {
    PanelState state;
    state.ListLoaded = 1;
    state.PlayState = 1;
    state.Position = 125; // 02:05
    state.Length = 300;   // 05:00
    state.BitRate = 128000;
    state.SampleRate = 44100;
    state.Volume = 99;
    state.RepeatMode = 111;
    state.ShuffleMode = 102;
    state.TitleText = "Title";
    state.ArtistText = "Artist";
    return state;
}

// Hand-worked from the layout rules and the glyph widths above.
const std::vector<Step> kElapsed125 = {Glyph(0, 70, 50), Glyph(2, 75, 50), Glyph(11, 81, 50),
                                       Glyph(0, 87, 50), Glyph(5, 92, 50)};
const std::vector<Step> kTotal300 = {Glyph(0, 110, 50), Glyph(5, 115, 50), Glyph(11, 121, 50),
                                     Glyph(0, 127, 50), Glyph(0, 132, 50)};
const std::vector<Step> kBitRate128 = {Glyph(1, 40, 50), Glyph(2, 45, 50), Glyph(8, 51, 50)};
const std::vector<Step> kSampleRate441 = {Glyph(4, 10, 50), Glyph(4, 15, 50), Glyph(10, 20, 50),
                                          Glyph(1, 25, 50)};
const std::vector<Step> kVolume99 = {Glyph(13, 150, 50), Glyph(9, 155, 50), Glyph(9, 160, 50)};

TEST(SkinLayoutTest, FullPaintDrawsEveryElementInOrder) {
    const SkinDescription d = TestSkin(false);
    const SkinTitleScroll scroll;
    const SkinDrawLists lists(d, scroll);
    const std::vector<Step> buttons = {Sheet(SkinSheet::Button, d.buttonLit[skin::kPrevious]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kStop]),
                                       Sheet(SkinSheet::Button, d.buttonDark[skin::kPlay]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kPause]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kNext]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kRepeat]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kShuffle]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kList]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kOpen]),
                                       Sheet(SkinSheet::Button, d.buttonLit[skin::kLogo])};
    EXPECT_EQ(Steps(lists.FullPaint(Playing())),
              Join({{Sheet(SkinSheet::Main, d.background)},
                    buttons,
                    {Sheet(SkinSheet::Sys, d.frame), Text(d.title), Text(d.artist)},
                    kElapsed125,
                    kTotal300,
                    {Sheet(SkinSheet::Char, d.repeatIndicator[1]),
                     Sheet(SkinSheet::Char, d.shuffleIndicator[2])},
                    kBitRate128,
                    kSampleRate441,
                    kVolume99,
                    {Sheet(SkinSheet::Vol, d.volume[10]), Sheet(SkinSheet::Seek, d.seek[10])}}));

    EXPECT_EQ(Steps(lists.PositionRedraw(Playing())),
              Join({kElapsed125, {Sheet(SkinSheet::Seek, d.seek[10])}}));
    EXPECT_EQ(Steps(lists.VolumeRedraw(99)),
              Join({kVolume99, {Sheet(SkinSheet::Vol, d.volume[10])}}));
    EXPECT_EQ(Steps(lists.TextsAndNumbersRedraw(Playing())),
              Join({{Text(d.title), Text(d.artist)},
                    kElapsed125,
                    kTotal300,
                    {Sheet(SkinSheet::Char, d.repeatIndicator[1]),
                     Sheet(SkinSheet::Char, d.shuffleIndicator[2])},
                    kBitRate128,
                    kSampleRate441}));
    EXPECT_EQ(Steps(lists.TitleRedraw(Playing())), std::vector<Step>{Text(d.title)});
}

TEST(SkinLayoutTest, PlayAndPauseAreLitByStateAndUpon) {
    const SkinTitleScroll scroll;
    const SkinDescription separate = TestSkin(false);
    const SkinDescription shared = TestSkin(true);
    const SkinDrawLists separateLists(separate, scroll), sharedLists(shared, scroll);
    const auto button = [](const SkinDescription& d, int b, bool lit) {
        return Sheet(SkinSheet::Button, lit ? d.buttonLit[b] : d.buttonDark[b]);
    };
    PanelState state = Playing();
    // Separate buttons while playing: pause lit, play dark (full paint and
    // the button action's redraw); stopped: play lit, pause dark.
    EXPECT_EQ(Steps(separateLists.PlayPauseRedraw(state, true)),
              (std::vector<Step>{button(separate, skin::kPlay, false),
                                 button(separate, skin::kPause, true)}));
    EXPECT_EQ(Steps(separateLists.PlayPauseRedraw(state, false)),
              (std::vector<Step>{button(separate, skin::kPlay, true),
                                 button(separate, skin::kPause, false)}));
    // One shared place: only the image the state asks for.
    EXPECT_EQ(Steps(sharedLists.PlayPauseRedraw(state, true)),
              std::vector<Step>{button(shared, skin::kPause, true)});
    // In the full paint: background, previous, stop, the play/pause place, next.
    EXPECT_EQ(Steps(sharedLists.FullPaint(state))[3], button(shared, skin::kPause, true));
    EXPECT_EQ(Steps(sharedLists.FullPaint(state))[4], button(shared, skin::kNext, true));
    state.PlayState = 2;
    EXPECT_EQ(Steps(sharedLists.FullPaint(state))[3], button(shared, skin::kPlay, true));
    EXPECT_EQ(Steps(sharedLists.FullPaint(state))[2], button(shared, skin::kStop, true));
    EXPECT_EQ(Steps(sharedLists.StopRedraw(state, false)),
              std::vector<Step>{button(shared, skin::kStop, false)});

    // Nothing loaded: everything dark but open and the logo.
    state = PanelState();
    const std::vector<Step> steps = Steps(separateLists.FullPaint(state));
    const std::vector<Step> expected = {
        button(separate, skin::kPrevious, false), button(separate, skin::kStop, false),
        button(separate, skin::kPlay, false),     button(separate, skin::kPause, false),
        button(separate, skin::kNext, false),     button(separate, skin::kRepeat, false),
        button(separate, skin::kShuffle, false),  button(separate, skin::kList, false),
        button(separate, skin::kOpen, true),      button(separate, skin::kLogo, true)};
    EXPECT_EQ(std::vector<Step>(steps.begin() + 1, steps.begin() + 11), expected);
}

TEST(SkinLayoutTest, NumbersBarsAndIndicatorsFollowTheirValues) {
    const SkinDescription d = TestSkin(false);
    const SkinTitleScroll scroll;
    const SkinDrawLists lists(d, scroll);
    // Volume: image v * 11 / 100; 100 shows glyph 14 at its own place.
    const struct {
        int volume, image;
        std::vector<Step> number;
    } volumes[] = {
        {0, 0, {Glyph(13, 150, 50), Glyph(0, 155, 50), Glyph(0, 160, 50)}},
        {-5, 0, {Glyph(13, 150, 50), Glyph(0, 155, 50), Glyph(0, 160, 50)}},
        {9, 0, {Glyph(13, 150, 50), Glyph(0, 155, 50), Glyph(9, 160, 50)}},
        {10, 1, {Glyph(13, 150, 50), Glyph(1, 155, 50), Glyph(0, 161, 50)}},
        {99, 10, kVolume99},
        {100, 11, {Glyph(14, 160, 52)}},
        {150, 11, {Glyph(14, 160, 52)}},
    };
    for (const auto& v : volumes)
        EXPECT_EQ(Steps(lists.VolumeRedraw(v.volume)),
                  Join({v.number, {Sheet(SkinSheet::Vol, d.volume[v.image])}}))
            << v.volume;

    // Seek: position * 24 / length, a length of 0 taken as 1, within 0 to 24.
    const struct {
        int position, length, image;
    } seeks[] = {{0, 0, 0},      {5, 0, 24},     {150, 300, 12}, {299, 300, 23},
                 {300, 300, 24}, {400, 300, 24}, {-5, 300, 0},   {2147483647, 2, 24}};
    for (const auto& s : seeks) {
        PanelState state;
        state.Position = s.position;
        state.Length = s.length;
        EXPECT_EQ(Steps(lists.PositionRedraw(state)).back(),
                  Sheet(SkinSheet::Seek, d.seek[s.image]))
            << s.position << "/" << s.length;
    }

    // Below 100 kbit/s the hundreds place shows the blank glyph; 44.1 kHz
    // and 8 kHz; 100 minutes show as 99.
    PanelState state;
    state.BitRate = 64000;
    state.SampleRate = 8000;
    state.Position = 6000;
    const std::vector<Step> texts = Steps(lists.TextsAndNumbersRedraw(state));
    EXPECT_EQ(std::vector<Step>(texts.begin() + 2, texts.begin() + 7),
              (std::vector<Step>{Glyph(9, 70, 50), Glyph(9, 75, 50), Glyph(11, 79, 50),
                                 Glyph(0, 85, 50), Glyph(0, 90, 50)}));
    EXPECT_EQ(
        std::vector<Step>(texts.end() - 7, texts.end()),
        (std::vector<Step>{Glyph(12, 40, 50), Glyph(6, 44, 50), Glyph(4, 48, 50), Glyph(0, 10, 50),
                           Glyph(8, 14, 50), Glyph(10, 20, 50), Glyph(0, 25, 50)}));

    // Indicators by mode code; other codes draw nothing.
    for (int mode = 99; mode <= 113; ++mode) {
        state.ShuffleMode = state.RepeatMode = mode;
        const std::vector<Step> shuffle = Steps(lists.ShuffleIndicatorRedraw(state));
        const std::vector<Step> repeat = Steps(lists.RepeatIndicatorRedraw(state));
        if (mode >= 100 && mode <= 102)
            EXPECT_EQ(shuffle,
                      std::vector<Step>{Sheet(SkinSheet::Char, d.shuffleIndicator[mode - 100])});
        else
            EXPECT_TRUE(shuffle.empty()) << mode;
        if (mode >= 110 && mode <= 112)
            EXPECT_EQ(repeat,
                      std::vector<Step>{Sheet(SkinSheet::Char, d.repeatIndicator[mode - 110])});
        else
            EXPECT_TRUE(repeat.empty()) << mode;
    }
}

TEST(SkinLayoutTest, TextLinesUseTheSkinFontsAndTheScrollOffset) {
    const SkinDescription d = TestSkin(false);
    SkinTitleScroll scroll;
    ASSERT_TRUE(scroll.AfterTitleDrawn(200, 150));
    for (int tick = 0; tick < 3; ++tick)
        scroll.Tick();
    const SkinDrawLists lists(d, scroll);
    PanelState state = Playing();
    state.SleepTimerRunning = true;
    state.SleepMinutesLeft = 7;
    const DrawList list = lists.TextsAndNumbersRedraw(state);
    const DrawOp& title = list[0];
    EXPECT_EQ(title.line.text, "Title");
    EXPECT_EQ(title.line.x, 120 - 6) << "three ticks move the title 6 pixels";
    EXPECT_EQ(title.line.y, 30);
    EXPECT_EQ(title.line.colour, 0x123456u);
    EXPECT_EQ(title.line.font.face, "T");
    EXPECT_EQ(title.line.font.height, -12);
    EXPECT_EQ(title.line.font.weight, 400);
    EXPECT_EQ(title.line.font.charset, panel::kShiftJisCharset);
    EXPECT_EQ(title.line.font.quality, panel::kProofQuality);
    EXPECT_TRUE(title.line.font.italic && !title.line.font.underline && title.line.font.strikeout);
    EXPECT_TRUE(title.line.transparent && title.line.isTitle && title.line.measureWidth);

    const DrawOp& artist = list[1];
    EXPECT_EQ(artist.line.text, SleepTimerText(7));
    EXPECT_EQ(artist.line.colour, 0x654321u) << "the timer's notice keeps the font's colour";
    EXPECT_EQ(artist.line.x, 120);
    EXPECT_EQ(artist.line.y, 50);
    EXPECT_EQ(artist.line.font.face, "A");
    EXPECT_EQ(artist.line.font.weight, 700);
    EXPECT_TRUE(artist.line.transparent && !artist.line.isTitle && !artist.line.measureWidth);
}

TEST(SkinLayoutTest, HitTestTakesTheFirstAreaThatHoldsThePointStrictly) {
    const SkinDescription d = TestSkin(false);
    const struct {
        int x, y, code;
    } points[] = {
        {231, 5, 3}, {238, 12, 3},  {230, 8, -1}, {239, 8, -1},   {234, 4, -1},  {234, 13, -1},
        {201, 5, 0}, {291, 8, -1},  {44, 42, 9},  {5, 5, 10},     {5, 15, 11},   {5, 30, 12},
        {0, 30, -1}, {50, 43, 110}, {30, 43, -1}, {255, 30, 100}, {250, 30, -1}, {100, 20, -1},
    };
    for (const auto& p : points)
        EXPECT_EQ(SkinHitTest(d, p.x, p.y), p.code) << p.x << "," << p.y;
}

TEST(SkinLayoutTest, PointerWorksTheSkinWithoutRangeChecks) {
    const SkinDescription d = TestSkin(false);
    const SkinHitTester tester(d);
    EXPECT_EQ(tester.PanelCode(44, 42), 10) << "the pause button";
    EXPECT_EQ(tester.PanelCode(5, 5), 20);
    EXPECT_EQ(tester.FrameCode(5, 15), 21);
    EXPECT_EQ(tester.FrameCode(5, 30), 22);
    EXPECT_EQ(tester.FrameCode(231, 5), -1);

    PanelPointer pointer;
    PointerValues values{40, 0, 300};
    // A drag from the frame moves the window; one from a mark does not.
    pointer.Press(5, 30);
    PointerMove move = pointer.Move(25, 40, true, values, tester);
    EXPECT_TRUE(move.moveWindow);
    EXPECT_EQ(move.dx, 20);
    EXPECT_EQ(move.dy, 10);
    pointer.Press(5, 5);
    EXPECT_FALSE(pointer.Move(25, 40, true, values, tester).moveWindow);
    // The volume image's area drags the volume, one pixel a step.
    pointer.Press(255, 30);
    move = pointer.Move(255, 20, true, values, tester);
    EXPECT_TRUE(move.volumeDragged);
    EXPECT_EQ(values.Volume, 50);
    // Releases anywhere in the window run the button or the mark there.
    EXPECT_EQ(pointer.Release(44, 42, PointerButton::Left, values, tester).buttonAction, 10);
    EXPECT_EQ(pointer.Release(22, 6, PointerButton::Left, values, tester).buttonAction, -1);
    const PointerRelease close = pointer.Release(5, 5, PointerButton::Left, values, tester);
    EXPECT_EQ(close.windowAction, 20);
    EXPECT_EQ(close.buttonAction, -1);
    EXPECT_EQ(pointer.Release(201, 5, PointerButton::Left, values, tester).buttonAction, 0);
}

TEST(SkinTitleScrollTest, ALongTitleBouncesTwoPixelsATick) {
    SkinTitleScroll scroll;
    EXPECT_FALSE(scroll.AfterTitleDrawn(99, 100)) << "narrower than its area";
    EXPECT_EQ(scroll.Offset(), 0);
    EXPECT_TRUE(scroll.AfterTitleDrawn(100, 100)) << "as wide as its area";
    ASSERT_TRUE(scroll.AfterTitleDrawn(110, 100));
    // Out until the offset passes the overhang of 10, back to 0, out again.
    const std::vector<int> expected = {2, 4, 6, 8, 10, 12, 10, 8, 6, 4, 2, 0, 2, 4};
    std::vector<int> offsets;
    for (size_t i = 0; i < expected.size(); ++i) {
        scroll.Tick();
        offsets.push_back(scroll.Offset());
    }
    EXPECT_EQ(offsets, expected);
    scroll.Restart();
    EXPECT_EQ(scroll.Offset(), 0);
    scroll.Tick();
    EXPECT_EQ(scroll.Offset(), 2);
    // A title that becomes narrow goes back to the start.
    EXPECT_FALSE(scroll.AfterTitleDrawn(50, 100));
    EXPECT_EQ(scroll.Offset(), 0);
}

} // namespace
