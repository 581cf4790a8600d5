#include "G711.h"

#include <array>

namespace {

// ITU-T G.711: even bits of A-law codes are inverted on the line; the low
// nibble is the step inside a segment, bits 6-4 the segment, bit 7 the sign
// (set = positive). Levels sit in the middle of each step.
constexpr int16_t ALawLevel(uint8_t code) {
    const int bits = code ^ 0x55;
    const int segment = (bits & 0x70) >> 4;
    int level = (bits & 0x0F) << 4;
    level += segment == 0 ? 8 : 0x108;
    if (segment > 1) level <<= segment - 1;
    return static_cast<int16_t>((bits & 0x80) ? level : -level);
}

// µ-law codes are sent inverted; the level is biased by 0x84 (33 × 4) so
// that every segment starts on a power of two.
constexpr int16_t MuLawLevel(uint8_t code) {
    const int bits = static_cast<uint8_t>(~code);
    const int level = (((bits & 0x0F) << 3) + 0x84) << ((bits & 0x70) >> 4);
    return static_cast<int16_t>((bits & 0x80) ? 0x84 - level : level - 0x84);
}

template <int16_t (*Level)(uint8_t)> constexpr std::array<int16_t, 256> BuildTable() {
    std::array<int16_t, 256> table{};
    for (int code = 0; code < 256; ++code)
        table[code] = Level(static_cast<uint8_t>(code));
    return table;
}

constexpr std::array<int16_t, 256> kALaw = BuildTable<ALawLevel>();
constexpr std::array<int16_t, 256> kMuLaw = BuildTable<MuLawLevel>();

} // namespace

int16_t ExpandALaw(uint8_t code) {
    return kALaw[code];
}
int16_t ExpandMuLaw(uint8_t code) {
    return kMuLaw[code];
}
