#include "PanelLayout.h"

#include <algorithm>

namespace {

constexpr int32_t kNumberRowY = 35;
constexpr int32_t kVolumeRowY = 28;
constexpr int32_t kElapsedTimeX = 135;
constexpr int32_t kTotalTimeX = 169;

DrawOp BitmapDraw(PanelBitmap bitmap, int32_t x, int32_t y) {
    DrawOp op;
    op.bitmap = bitmap;
    op.x = x;
    op.y = y;
    return op;
}

DrawOp GlyphDraw(int32_t code, int32_t x, int32_t y) {
    return BitmapDraw(GlyphBitmap(code), x, y);
}

// GDI lines: the last point is not drawn.
DrawOp Line(int32_t x, int32_t y, int32_t x2, int32_t y2, uint32_t colour) {
    DrawOp op;
    op.kind = DrawKind::Polyline;
    op.pointCount = 2;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    return op;
}

DrawOp Polyline(int32_t x, int32_t y, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                uint32_t colour) {
    DrawOp op;
    op.kind = DrawKind::Polyline;
    op.pointCount = 3;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    op.x3 = x3;
    op.y3 = y3;
    op.colour = colour;
    return op;
}

void Append(DrawList& list, const DrawList& more) {
    list.insert(list.end(), more.begin(), more.end());
}

// mm:ss from x, minutes capped at 99.
DrawList TimeDraw(int32_t seconds, int32_t x) {
    const int32_t s = std::max<int32_t>(seconds, 0);
    const int32_t minutes = std::min<int32_t>(s / 60, 99);
    return {GlyphDraw(minutes / 10, x, kNumberRowY), GlyphDraw(minutes % 10, x + 6, kNumberRowY),
            GlyphDraw(glyph::kColon, x + 12, kNumberRowY),
            GlyphDraw(s % 60 / 10, x + 15, kNumberRowY),
            GlyphDraw(s % 60 % 10, x + 21, kNumberRowY)};
}

struct ButtonPlace {
    PanelBitmap lit, dark;
    int32_t x, y;
};

ButtonPlace Place(ButtonImage image, bool exchangeButton) {
    const int32_t repeatX = exchangeButton ? 214 : 201;
    const int32_t shuffleX = exchangeButton ? 201 : 214;
    switch (image) {
    case ButtonImage::Previous:
        return {PanelBitmap::BtPrevOn, PanelBitmap::BtPrevOff, 201, 4};
    case ButtonImage::Stop:
        return {PanelBitmap::BtStopOn, PanelBitmap::BtStopOff, 214, 4};
    case ButtonImage::Play:
        return {PanelBitmap::BtPlayOn, PanelBitmap::BtPlayOff, 227, 4};
    case ButtonImage::Pause:
        return {PanelBitmap::BtPauseOn, PanelBitmap::BtPauseOff, 227, 4};
    case ButtonImage::Next:
        return {PanelBitmap::BtNextOn, PanelBitmap::BtNextOff, 240, 4};
    case ButtonImage::Repeat:
        return {PanelBitmap::BtRepOn, PanelBitmap::BtRepOff, repeatX, 17};
    case ButtonImage::Shuffle:
        return {PanelBitmap::BtSrOn, PanelBitmap::BtSrOff, shuffleX, 17};
    case ButtonImage::List:
        return {PanelBitmap::BtListOn, PanelBitmap::BtListOff, 227, 17};
    case ButtonImage::Open:
        return {PanelBitmap::BtOpenOn, PanelBitmap::BtOpenOff, 240, 17};
    case ButtonImage::Logo:
        break;
    }
    return {PanelBitmap::BtQuorelOn, PanelBitmap::BtQuorelOn, 253, 30};
}

} // namespace

DrawOp ButtonDraw(ButtonImage image, bool lit, bool exchangeButton) {
    const ButtonPlace place = Place(image, exchangeButton);
    return BitmapDraw(lit ? place.lit : place.dark, place.x, place.y);
}

DrawList ButtonsDraw(const PanelState& state) {
    const bool loaded = state.ListLoaded != 0;
    const bool exchange = state.ExchangeButton;
    const ButtonImage playPause = state.PlayState == 1 ? ButtonImage::Pause : ButtonImage::Play;
    return {ButtonDraw(ButtonImage::Previous, loaded, exchange),
            ButtonDraw(ButtonImage::Stop, loaded && state.PlayState != 0, exchange),
            ButtonDraw(playPause, loaded, exchange),
            ButtonDraw(ButtonImage::Next, loaded, exchange),
            ButtonDraw(ButtonImage::Repeat, loaded, exchange),
            ButtonDraw(ButtonImage::Shuffle, loaded, exchange),
            ButtonDraw(ButtonImage::List, loaded, exchange),
            ButtonDraw(ButtonImage::Open, true, exchange),
            ButtonDraw(ButtonImage::Logo, true, exchange)};
}

DrawList ElapsedTimeDraw(int32_t seconds) {
    return TimeDraw(seconds, kElapsedTimeX);
}

DrawList TotalTimeDraw(int32_t seconds) {
    return TimeDraw(seconds, kTotalTimeX);
}

DrawList BitRateDraw(int32_t bitsPerSecond) {
    // Three digits of kbit/s; rates of 1000 kbit/s and more show 999 (as
    // times show 99 minutes) rather than a hundreds "digit" of 10 or more.
    const int32_t b = std::clamp<int32_t>(bitsPerSecond, 0, 999999);
    const int32_t hundreds = b / 100000 >= 1 ? b / 100000 : glyph::kBlank;
    return {GlyphDraw(glyph::kBitSign, 83, kNumberRowY), GlyphDraw(b / 1000 % 10, 77, kNumberRowY),
            GlyphDraw(b / 10000 % 10, 71, kNumberRowY), GlyphDraw(hundreds, 65, kNumberRowY)};
}

DrawList SampleRateDraw(int32_t hertz) {
    // The point goes over the first (blank) column of the 100-Hz digit.
    const int32_t r = std::max<int32_t>(hertz, 0);
    return {GlyphDraw(glyph::kKhzSign, 45, kNumberRowY), GlyphDraw(r / 100 % 10, 39, kNumberRowY),
            GlyphDraw(glyph::kPoint, 37, kNumberRowY), GlyphDraw(r / 1000 % 10, 31, kNumberRowY),
            GlyphDraw(r / 10000 % 10, 25, kNumberRowY)};
}

DrawList VolumeNumberDraw(int32_t volume) {
    const int32_t v = std::clamp<int32_t>(volume, 0, 100);
    int32_t leftmost = 190;
    DrawList list = {GlyphDraw(v % 10, 190, kVolumeRowY)};
    if (v / 10 > 0) {
        leftmost = 184;
        list.push_back(GlyphDraw(v / 10 % 10, leftmost, kVolumeRowY));
    }
    if (v / 100 > 0) {
        leftmost = 178;
        list.push_back(GlyphDraw(v / 100, leftmost, kVolumeRowY));
    }
    list.push_back(GlyphDraw(glyph::kVolumeLabel, leftmost - 27, kVolumeRowY));
    return list;
}

DrawList VolumeBarDraw(int32_t volume) {
    int32_t lit = 0;
    if (volume >= 100)
        lit = panel::kVolumeSegments;
    else if (volume > 0)
        lit = volume / 10 + 1;
    DrawList list;
    for (int32_t k = 0; k < panel::kVolumeSegments; ++k)
        list.push_back(
            BitmapDraw(k < lit ? PanelBitmap::VolBarOn : PanelBitmap::VolBarOff, 256, 26 - 2 * k));
    return list;
}

DrawList SeekBarDraw(int32_t position, int32_t length) {
    const int64_t p = std::max<int64_t>(std::min(position, length), 0);
    const int64_t l = std::max<int64_t>(length, 1);
    const int64_t lit = p * panel::kSeekSegments / l;
    DrawList list;
    for (int32_t k = 0; k < panel::kSeekSegments; ++k)
        list.push_back(BitmapDraw(k < lit ? PanelBitmap::SeekBarOn : PanelBitmap::SeekBarOff,
                                  203 + 2 * k, 33));
    return list;
}

DrawOp SlashDraw() {
    return GlyphDraw(glyph::kSlash, 162, kNumberRowY);
}

DrawOp RepeatIndicatorDraw(int32_t repeatMode) {
    return GlyphDraw(repeatMode, 65, kVolumeRowY);
}

DrawOp ShuffleIndicatorDraw(int32_t shuffleMode) {
    return GlyphDraw(shuffleMode, 25, kVolumeRowY);
}

DrawList FullPaint(const PanelState& state) {
    const int32_t right = panel::kWidth - 1, bottom = panel::kHeight - 1;
    DrawList list = {Line(15, 0, right, 0, panel::kFrameLight),
                     Polyline(right, 0, right, bottom, 14, bottom, panel::kFrameShade),
                     BitmapDraw(PanelBitmap::SlVolOff, 253, 4),
                     BitmapDraw(PanelBitmap::SlPosOff, 201, 30)};
    Append(list, ButtonsDraw(state));
    list.push_back(BitmapDraw(PanelBitmap::IntBar, 0, 0));
    list.push_back(BitmapDraw(PanelBitmap::Exit2Up, 5, 3));
    list.push_back(BitmapDraw(PanelBitmap::Min2Up, 5, 12));
    list.push_back(TitleLineDraw(state));
    list.push_back(ArtistLineDraw(state));
    Append(list, ElapsedTimeDraw(state.Position));
    list.push_back(SlashDraw());
    Append(list, TotalTimeDraw(state.Length));
    list.push_back(RepeatIndicatorDraw(state.RepeatMode));
    list.push_back(ShuffleIndicatorDraw(state.ShuffleMode));
    Append(list, BitRateDraw(state.BitRate));
    Append(list, SampleRateDraw(state.SampleRate));
    Append(list, VolumeRedraw(state.Volume));
    Append(list, SeekBarDraw(state.Position, state.Length));
    return list;
}

DrawList PositionRedraw(const PanelState& state) {
    DrawList list = ElapsedTimeDraw(state.Position);
    Append(list, SeekBarDraw(state.Position, state.Length));
    return list;
}

DrawList VolumeRedraw(int32_t volume) {
    DrawList list = VolumeNumberDraw(volume);
    Append(list, VolumeBarDraw(volume));
    return list;
}

DrawList TextsAndNumbersRedraw(const PanelState& state) {
    DrawList list = {TitleLineDraw(state), ArtistLineDraw(state)};
    Append(list, ElapsedTimeDraw(state.Position));
    list.push_back(SlashDraw());
    Append(list, TotalTimeDraw(state.Length));
    list.push_back(RepeatIndicatorDraw(state.RepeatMode));
    list.push_back(ShuffleIndicatorDraw(state.ShuffleMode));
    Append(list, BitRateDraw(state.BitRate));
    Append(list, SampleRateDraw(state.SampleRate));
    return list;
}

DrawList TitleRedraw(const PanelState& state) {
    return {TitleLineDraw(state)};
}

DrawList BuiltInDrawLists::FullPaint(const PanelState& state) const {
    return ::FullPaint(state);
}

DrawList BuiltInDrawLists::PositionRedraw(const PanelState& state) const {
    return ::PositionRedraw(state);
}

DrawList BuiltInDrawLists::VolumeRedraw(int32_t volume) const {
    return ::VolumeRedraw(volume);
}

DrawList BuiltInDrawLists::TextsAndNumbersRedraw(const PanelState& state) const {
    return ::TextsAndNumbersRedraw(state);
}

DrawList BuiltInDrawLists::TitleRedraw(const PanelState& state) const {
    return ::TitleRedraw(state);
}

DrawList BuiltInDrawLists::PlayPauseRedraw(const PanelState& state, bool pauseLit) const {
    return {
        ButtonDraw(pauseLit ? ButtonImage::Pause : ButtonImage::Play, true, state.ExchangeButton)};
}

DrawList BuiltInDrawLists::StopRedraw(const PanelState& state, bool lit) const {
    return {ButtonDraw(ButtonImage::Stop, lit, state.ExchangeButton)};
}

DrawList BuiltInDrawLists::RepeatIndicatorRedraw(const PanelState& state) const {
    return {RepeatIndicatorDraw(state.RepeatMode)};
}

DrawList BuiltInDrawLists::ShuffleIndicatorRedraw(const PanelState& state) const {
    return {ShuffleIndicatorDraw(state.ShuffleMode)};
}
