#include "PanelText.h"

#include <utility>

namespace {

// "ＭＳ ゴシック"
constexpr char kGothicFace[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
// "タイマー作動中、残り " and " 分！"
constexpr char kTimerLead[] =
    "\x83\x5E\x83\x43\x83\x7D\x81\x5B\x8D\xEC\x93\xAE\x92\x86\x81\x41\x8E\x63\x82\xE8\x20";
constexpr char kTimerTail[] = "\x20\x95\xAA\x81\x49";

DrawOp TextDraw(PanelBitmap background, int32_t x, int32_t y, TextLine line) {
    DrawOp op;
    op.kind = DrawKind::Text;
    op.bitmap = background;
    op.x = x;
    op.y = y;
    op.line = std::move(line);
    return op;
}

} // namespace

PanelFont TitleFont() {
    return {kGothicFace, -12, 0, panel::kShiftJisCharset, panel::kProofQuality};
}

PanelFont ArtistFont() {
    return {kGothicFace, -11, 0, panel::kShiftJisCharset, panel::kProofQuality};
}

std::string SleepTimerText(int32_t minutesLeft) {
    return kTimerLead + std::to_string(minutesLeft) + kTimerTail;
}

DrawOp TitleLineDraw(const PanelState& state) {
    return TextDraw(PanelBitmap::IntTitleBk, panel::kTitleLineX, panel::kTitleLineY,
                    {state.TitleText, TitleFont(), panel::kTextWhite, state.TitleX, 1, true,
                     state.TitleScroll});
}

DrawOp ArtistLineDraw(const PanelState& state) {
    TextLine line = {state.ArtistText, ArtistFont(), panel::kTextWhite, 1, 1, false, false};
    if (state.SleepTimerRunning) {
        line.text = SleepTimerText(state.SleepMinutesLeft);
        line.colour = panel::kTextRed;
    }
    return TextDraw(PanelBitmap::IntArtistBk, panel::kArtistLineX, panel::kArtistLineY,
                    std::move(line));
}
