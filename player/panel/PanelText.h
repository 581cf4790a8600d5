// The panel's two text lines: fonts, colours and the sleep timer's notice.
#pragma once

#include <cstdint>
#include <string>

#include "PanelDraw.h"
#include "PanelState.h"

namespace panel {
constexpr uint32_t kTextWhite = 0xFFFFFF;
constexpr uint32_t kTextRed = 0x0000FF; // 0x00BBGGRR
constexpr uint8_t kShiftJisCharset = 128;
constexpr uint8_t kProofQuality = 2;
constexpr int32_t kTitleLineX = 19, kTitleLineY = 4;
constexpr int32_t kArtistLineX = 19, kArtistLineY = 17;
} // namespace panel

PanelFont TitleFont();
PanelFont ArtistFont();

// "タイマー作動中、残り N 分！" in Shift-JIS.
std::string SleepTimerText(int32_t minutesLeft);

// The title at (TitleX, 1) on its background; its width is measured when
// the title scrolls.
DrawOp TitleLineDraw(const PanelState& state);
// The artist, or the sleep timer's notice in red while the timer runs.
DrawOp ArtistLineDraw(const PanelState& state);
