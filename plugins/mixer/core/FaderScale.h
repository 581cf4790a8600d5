// The host's fader values (0 ... 65535) in a mixer control's own bounds.
#pragma once

#include <cstdint>

// 0 maps to `minimum`, 65535 to `maximum`, rounded to the nearest step.
// Values above 65535 are clamped.
uint32_t ToControlValue(uint32_t value, uint32_t minimum, uint32_t maximum);
// The inverse; values outside the bounds are clamped.
uint32_t FromControlValue(uint32_t value, uint32_t minimum, uint32_t maximum);

// The host's packing of a stereo value: right << 16 | left.
constexpr uint32_t PackStereo(uint32_t left, uint32_t right) {
    return (right & 0xFFFF) << 16 | (left & 0xFFFF);
}
