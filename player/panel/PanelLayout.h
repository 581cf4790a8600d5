// The built-in panel: where every element goes, which images are lit, and
// the draw lists of the full paint and of each partial redraw.
#pragma once

#include <cstdint>

#include "PanelDraw.h"
#include "PanelDrawLists.h"
#include "PanelState.h"
#include "PanelText.h"

// The button places and the images drawn on them; play and pause share the
// play/pause place.
enum class ButtonImage { Previous, Stop, Play, Pause, Next, Repeat, Shuffle, List, Open, Logo };

namespace panel {
constexpr int32_t kWidth = 268;
constexpr int32_t kHeight = 45;
constexpr uint32_t kFrameLight = 0xFFFFFF;
constexpr uint32_t kFrameShade = 0x808080;
constexpr int32_t kVolumeSegments = 11;
constexpr int32_t kSeekSegments = 24;
} // namespace panel

// One button image at its place; the logo has no dark image.
DrawOp ButtonDraw(ButtonImage image, bool lit, bool exchangeButton);
// The buttons as the state lights them, logo included.
DrawList ButtonsDraw(const PanelState& state);

DrawList ElapsedTimeDraw(int32_t seconds);
DrawList TotalTimeDraw(int32_t seconds);
DrawList BitRateDraw(int32_t bitsPerSecond);
DrawList SampleRateDraw(int32_t hertz);
DrawList VolumeNumberDraw(int32_t volume);
DrawList VolumeBarDraw(int32_t volume);
DrawList SeekBarDraw(int32_t position, int32_t length);
DrawOp SlashDraw();
DrawOp RepeatIndicatorDraw(int32_t repeatMode);
DrawOp ShuffleIndicatorDraw(int32_t shuffleMode);

// Whole panel, in painting order.
DrawList FullPaint(const PanelState& state);
// A position notice or a seek drag: elapsed time and seek bar.
DrawList PositionRedraw(const PanelState& state);
// A volume drag or a mixer change (which shows the mixer's value).
DrawList VolumeRedraw(int32_t volume);
// After play, stop, next and previous: texts, times, indicators, rates.
DrawList TextsAndNumbersRedraw(const PanelState& state);
// The title redraw request and the scroll tick.
DrawList TitleRedraw(const PanelState& state);

// The lists above, for the main window.
class BuiltInDrawLists : public PanelDrawLists {
  public:
    DrawList FullPaint(const PanelState& state) const override;
    DrawList PositionRedraw(const PanelState& state) const override;
    DrawList VolumeRedraw(int32_t volume) const override;
    DrawList TextsAndNumbersRedraw(const PanelState& state) const override;
    DrawList TitleRedraw(const PanelState& state) const override;
    DrawList PlayPauseRedraw(const PanelState& state, bool pauseLit) const override;
    DrawList StopRedraw(const PanelState& state, bool lit) const override;
    DrawList RepeatIndicatorRedraw(const PanelState& state) const override;
    DrawList ShuffleIndicatorRedraw(const PanelState& state) const override;
};
