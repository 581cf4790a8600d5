#include "SkinLayout.h"

#include <algorithm>
#include <limits>

#include "PanelHitTest.h"
#include "PanelText.h"

namespace {

// Places come from the description; sums of them are taken in 64 bits and
// brought back into range.
int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

DrawOp BlockAt(SkinSheet sheet, const SkinElement& element, int32_t x, int32_t y) {
    DrawOp op;
    op.kind = DrawKind::Sheet;
    op.block = {sheet, element.x, element.y, element.w, element.h};
    op.x = x;
    op.y = y;
    return op;
}

DrawOp Block(SkinSheet sheet, const SkinElement& element) {
    return BlockAt(sheet, element, element.wx, element.wy);
}

void Append(DrawList& list, const DrawList& more) {
    list.insert(list.end(), more.begin(), more.end());
}

// Numbers advance by the width of each glyph drawn plus a gap.
class GlyphRow {
  public:
    GlyphRow(const SkinDescription& description, const SkinElement& position)
        : description(description), x(position.wx), y(position.wy) {}
    GlyphRow& Draw(int32_t glyph) {
        const SkinElement& element = description.glyphs[glyph];
        list.push_back(BlockAt(SkinSheet::Char, element, Saturated(x), y));
        x += element.w;
        return *this;
    }
    GlyphRow& Gap(int32_t pixels) {
        x += pixels;
        return *this;
    }
    DrawList Take() { return std::move(list); }

  private:
    const SkinDescription& description;
    int64_t x;
    int32_t y;
    DrawList list;
};

DrawList TimeDraw(const SkinDescription& description, int32_t seconds,
                  skin::NumberPosition position) {
    const int32_t s = std::max<int32_t>(seconds, 0);
    const int32_t minutes = std::min<int32_t>(s / 60, 99);
    return GlyphRow(description, description.numberPositions[position])
        .Draw(minutes / 10)
        .Gap(2)
        .Draw(minutes % 10)
        .Gap(1)
        .Draw(skin::kGlyphColon)
        .Gap(1)
        .Draw(s % 60 / 10)
        .Gap(2)
        .Draw(s % 60 % 10)
        .Take();
}

DrawList BitRateDraw(const SkinDescription& description, int32_t bitsPerSecond) {
    // As on the built-in panel, 1000 kbit/s and more show 999.
    const int32_t b = std::clamp<int32_t>(bitsPerSecond, 0, 999999);
    const int32_t hundreds = b / 100000 > 0 ? b / 100000 : skin::kGlyphBlank;
    return GlyphRow(description, description.numberPositions[skin::kBitRate])
        .Draw(hundreds)
        .Gap(1)
        .Draw(b / 10000 % 10)
        .Gap(1)
        .Draw(b / 1000 % 10)
        .Take();
}

DrawList SampleRateDraw(const SkinDescription& description, int32_t hertz) {
    const int32_t r = std::max<int32_t>(hertz, 0);
    return GlyphRow(description, description.numberPositions[skin::kSampleRate])
        .Draw(r / 10000 % 10)
        .Gap(1)
        .Draw(r / 1000 % 10)
        .Gap(1)
        .Draw(skin::kGlyphPoint)
        .Gap(1)
        .Draw(r / 100 % 10)
        .Take();
}

DrawList VolumeNumberDraw(const SkinDescription& description, int32_t volume) {
    const int32_t v = std::clamp<int32_t>(volume, 0, 100);
    if (v == 100)
        return GlyphRow(description, description.numberPositions[skin::kVolume100])
            .Draw(skin::kGlyphVolume100)
            .Take();
    return GlyphRow(description, description.numberPositions[skin::kVolume])
        .Draw(skin::kGlyphVolumeLabel)
        .Gap(1)
        .Draw(v / 10)
        .Gap(2)
        .Draw(v % 10)
        .Take();
}

DrawList VolumeBarDraw(const SkinDescription& description, int32_t volume) {
    const int64_t image = std::clamp<int64_t>(int64_t{volume} * 11 / 100, 0, 11);
    return {Block(SkinSheet::Vol, description.volume[image])};
}

DrawList SeekBarDraw(const SkinDescription& description, int32_t position, int32_t length) {
    const int64_t l = length == 0 ? 1 : length;
    const int64_t image = std::clamp<int64_t>(int64_t{position} * 24 / l, 0, 24);
    return {Block(SkinSheet::Seek, description.seek[image])};
}

// Other mode values draw nothing.
DrawList IndicatorDraw(const SkinElement (&images)[3], int32_t mode, int32_t firstMode) {
    if (mode < firstMode || mode > firstMode + 2) return {};
    return {Block(SkinSheet::Char, images[mode - firstMode])};
}

DrawOp ButtonDraw(const SkinDescription& description, int button, bool lit) {
    return Block(SkinSheet::Button,
                 lit ? description.buttonLit[button] : description.buttonDark[button]);
}

// With separate buttons both are drawn, the other one in the opposite state.
DrawList PlayPauseDraw(const SkinDescription& description, bool playing, bool lit) {
    if (description.upon)
        return {ButtonDraw(description, playing ? skin::kPause : skin::kPlay, lit)};
    return {ButtonDraw(description, skin::kPlay, lit && !playing),
            ButtonDraw(description, skin::kPause, lit && playing)};
}

DrawList ButtonsDraw(const SkinDescription& description, const PanelState& state) {
    const bool loaded = state.ListLoaded != 0;
    DrawList list = {ButtonDraw(description, skin::kPrevious, loaded),
                     ButtonDraw(description, skin::kStop, loaded && state.PlayState != 0)};
    Append(list, PlayPauseDraw(description, state.PlayState == 1, loaded));
    for (const int button : {skin::kNext, skin::kRepeat, skin::kShuffle, skin::kList})
        list.push_back(ButtonDraw(description, button, loaded));
    list.push_back(ButtonDraw(description, skin::kOpen, true));
    list.push_back(ButtonDraw(description, skin::kLogo, true));
    return list;
}

// The text goes onto the scratch copy of its area, at the area's own place
// in the sheet (the title moved left by the scroll offset).
DrawOp TextLineDraw(const SkinElement& area, const SkinFont& font, std::string text, int32_t textX,
                    bool isTitle) {
    DrawOp op;
    op.kind = DrawKind::SheetText;
    op.block = {SkinSheet::Main, area.x, area.y, area.w, area.h};
    op.x = area.wx;
    op.y = area.wy;
    op.line.text = std::move(text);
    op.line.font = {
        font.face,   font.height,    font.weight,   panel::kShiftJisCharset, panel::kProofQuality,
        font.italic, font.underline, font.strikeout};
    op.line.colour = font.colour;
    op.line.x = textX;
    op.line.y = area.y;
    op.line.isTitle = isTitle;
    op.line.measureWidth = isTitle;
    op.line.transparent = true;
    return op;
}

// The sleep timer's notice keeps the font's colour.
DrawOp ArtistDraw(const SkinDescription& description, const PanelState& state) {
    return TextLineDraw(description.artist, description.fonts[1],
                        state.SleepTimerRunning ? SleepTimerText(state.SleepMinutesLeft)
                                                : state.ArtistText,
                        description.artist.x, false);
}

bool Holds(const SkinElement& area, int32_t x, int32_t y) {
    return area.wx < x && x < int64_t{area.wx} + area.w && area.wy < y &&
           y < int64_t{area.wy} + area.h;
}

} // namespace

int32_t SkinHitTest(const SkinDescription& description, int32_t x, int32_t y) {
    for (int button = 0; button < skin::kButtonCount; ++button)
        if (Holds(description.buttonDark[button], x, y)) return button;
    if (Holds(description.close, x, y)) return skin::kHitClose;
    if (Holds(description.minimise, x, y)) return skin::kHitMinimise;
    if (Holds(description.frame, x, y)) return skin::kHitFrame;
    if (Holds(description.seek[0], x, y)) return skin::kHitSeek;
    if (Holds(description.volume[0], x, y)) return skin::kHitVolume;
    return skin::kHitNothing;
}

DrawList SkinDrawLists::FullPaint(const PanelState& state) const {
    DrawList list = {Block(SkinSheet::Main, description.background)};
    Append(list, ButtonsDraw(description, state));
    list.push_back(Block(SkinSheet::Sys, description.frame));
    Append(list, TextsAndNumbersRedraw(state));
    Append(list, VolumeRedraw(state.Volume));
    Append(list, SeekBarDraw(description, state.Position, state.Length));
    return list;
}

DrawList SkinDrawLists::PositionRedraw(const PanelState& state) const {
    DrawList list = TimeDraw(description, state.Position, skin::kElapsedTime);
    Append(list, SeekBarDraw(description, state.Position, state.Length));
    return list;
}

DrawList SkinDrawLists::VolumeRedraw(int32_t volume) const {
    DrawList list = VolumeNumberDraw(description, volume);
    Append(list, VolumeBarDraw(description, volume));
    return list;
}

DrawList SkinDrawLists::TextsAndNumbersRedraw(const PanelState& state) const {
    DrawList list = TitleRedraw(state);
    list.push_back(ArtistDraw(description, state));
    Append(list, TimeDraw(description, state.Position, skin::kElapsedTime));
    Append(list, TimeDraw(description, state.Length, skin::kTotalTime));
    Append(list, RepeatIndicatorRedraw(state));
    Append(list, ShuffleIndicatorRedraw(state));
    Append(list, BitRateDraw(description, state.BitRate));
    Append(list, SampleRateDraw(description, state.SampleRate));
    return list;
}

DrawList SkinDrawLists::TitleRedraw(const PanelState& state) const {
    return {TextLineDraw(description.title, description.fonts[0], state.TitleText,
                         Saturated(int64_t{description.title.x} - scroll.Offset()), true)};
}

DrawList SkinDrawLists::PlayPauseRedraw(const PanelState&, bool pauseLit) const {
    return PlayPauseDraw(description, pauseLit, true);
}

DrawList SkinDrawLists::StopRedraw(const PanelState&, bool lit) const {
    return {ButtonDraw(description, skin::kStop, lit)};
}

DrawList SkinDrawLists::RepeatIndicatorRedraw(const PanelState& state) const {
    return IndicatorDraw(description.repeatIndicator, state.RepeatMode, 110);
}

DrawList SkinDrawLists::ShuffleIndicatorRedraw(const PanelState& state) const {
    return IndicatorDraw(description.shuffleIndicator, state.ShuffleMode, 100);
}

int32_t SkinHitTester::PanelCode(int32_t x, int32_t y) const {
    return SkinPanelCode(SkinHitTest(description, x, y));
}

int32_t SkinHitTester::FrameCode(int32_t x, int32_t y) const {
    return SkinFrameCode(SkinHitTest(description, x, y));
}

bool SkinHitTester::InDragArea(int32_t x, int32_t y) const {
    return FrameCode(x, y) == hit::kWindowDrag;
}
