// The draw lists of the panel in use, the built-in one or a skin: the full
// paint and each partial redraw, in painting order.
#pragma once

#include <cstdint>

#include "PanelDraw.h"
#include "PanelState.h"

class PanelDrawLists {
  public:
    virtual ~PanelDrawLists() = default;
    virtual DrawList FullPaint(const PanelState& state) const = 0;
    // A position notice or a seek drag: elapsed time and seek bar.
    virtual DrawList PositionRedraw(const PanelState& state) const = 0;
    // A volume drag or a mixer change (which shows the mixer's value).
    virtual DrawList VolumeRedraw(int32_t volume) const = 0;
    // After play, stop, next and previous: texts, times, indicators, rates.
    virtual DrawList TextsAndNumbersRedraw(const PanelState& state) const = 0;
    // The title redraw request and the scroll tick.
    virtual DrawList TitleRedraw(const PanelState& state) const = 0;
    // The play/pause place with the pause image lit (pauseLit) or the play
    // image lit, as the button actions draw it.
    virtual DrawList PlayPauseRedraw(const PanelState& state, bool pauseLit) const = 0;
    virtual DrawList StopRedraw(const PanelState& state, bool lit) const = 0;
    virtual DrawList RepeatIndicatorRedraw(const PanelState& state) const = 0;
    virtual DrawList ShuffleIndicatorRedraw(const PanelState& state) const = 0;
};
