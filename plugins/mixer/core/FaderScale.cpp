#include "FaderScale.h"

namespace {
constexpr uint64_t kFull = 0xFFFF;
} // namespace

uint32_t ToControlValue(uint32_t value, uint32_t minimum, uint32_t maximum) {
    if (maximum <= minimum) return minimum;
    const uint64_t clamped = value > kFull ? kFull : value;
    const uint64_t span = uint64_t{maximum} - minimum;
    return minimum + static_cast<uint32_t>((clamped * span + kFull / 2) / kFull);
}

uint32_t FromControlValue(uint32_t value, uint32_t minimum, uint32_t maximum) {
    if (maximum <= minimum) return 0;
    if (value <= minimum) return 0;
    if (value >= maximum) return static_cast<uint32_t>(kFull);
    const uint64_t span = uint64_t{maximum} - minimum;
    return static_cast<uint32_t>(((uint64_t{value} - minimum) * kFull + span / 2) / span);
}
