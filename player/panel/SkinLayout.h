// A skin's panel: the draw lists of every element from the skin's sheets at
// the places its description gives, and its hit test.
#pragma once

#include <cstdint>

#include "PanelDrawLists.h"
#include "PanelPointer.h"
#include "SkinDescription.h"
#include "SkinTitleScroll.h"

namespace skin {
// Hit codes besides the button pairs 0-9.
constexpr int32_t kHitClose = 10;
constexpr int32_t kHitMinimise = 11;
constexpr int32_t kHitFrame = 12;
constexpr int32_t kHitVolume = 100;
constexpr int32_t kHitSeek = 110;
constexpr int32_t kHitNothing = -1;
} // namespace skin

// The first area that holds the client point strictly inside: the buttons'
// dark images, close, minimise, the frame, the first seek image, the first
// volume image.
int32_t SkinHitTest(const SkinDescription& description, int32_t x, int32_t y);

// Images whose lit state follows the panel state are lit as on the built-in
// panel; the slash and the bar frames have no skin counterpart.
class SkinDrawLists : public PanelDrawLists {
  public:
    // Both must outlive this object.
    SkinDrawLists(const SkinDescription& description, const SkinTitleScroll& scroll)
        : description(description), scroll(scroll) {}
    DrawList FullPaint(const PanelState& state) const override;
    DrawList PositionRedraw(const PanelState& state) const override;
    DrawList VolumeRedraw(int32_t volume) const override;
    DrawList TextsAndNumbersRedraw(const PanelState& state) const override;
    DrawList TitleRedraw(const PanelState& state) const override;
    DrawList PlayPauseRedraw(const PanelState& state, bool pauseLit) const override;
    DrawList StopRedraw(const PanelState& state, bool lit) const override;
    DrawList RepeatIndicatorRedraw(const PanelState& state) const override;
    DrawList ShuffleIndicatorRedraw(const PanelState& state) const override;

  private:
    const SkinDescription& description;
    const SkinTitleScroll& scroll;
};

// The skin's hit codes as the panel's: no range checks, the window drags
// from the frame.
class SkinHitTester : public PanelHitTester {
  public:
    // description must outlive this object.
    explicit SkinHitTester(const SkinDescription& description) : description(description) {}
    int32_t PanelCode(int32_t x, int32_t y) const override;
    int32_t FrameCode(int32_t x, int32_t y) const override;
    bool InDragArea(int32_t x, int32_t y) const override;
    bool InButtonArea(int32_t, int32_t) const override { return true; }
    bool InFrameArea(int32_t, int32_t) const override { return true; }

  private:
    const SkinDescription& description;
};
