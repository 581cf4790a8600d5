#pragma once

#include <cstdint>
#include <vector>

// Colours are Windows colour values 0x00BBGGRR.

// The grey whose three channels all equal the largest channel of `colour`.
uint32_t BrightestGrey(uint32_t colour);

// Cuts toward zero, except that a value strictly between -1 and 1 other than
// 0 becomes -1 or 1.
int32_t RoundFraction(double value);

// Appends a 24-bit BMP file of `width` x `height` pixels to `stream`: every
// row runs from `leftColour` at column 0 towards `rightColour`. Refuses
// (appending nothing) sizes that are not positive or whose file would not fit
// the BMP's 32-bit size field.
bool GradientBitmap(std::vector<uint8_t>& stream, int32_t width, int32_t height,
                    uint32_t leftColour, uint32_t rightColour);
