// Standard Layer III tables: scale-factor bands, slen, pre-emphasis and the
// scale-factor partitions of the low sampling rates.
#pragma once

#include <cstdint>

constexpr int32_t kLongBands = 22;
constexpr int32_t kShortBands = 13;

// Band boundaries [version][sampling-rate index][band + 1]: line where each band starts,
// the last entry being 576 (long) or 192 (short).
extern const int16_t kLongBandStarts[2][3][kLongBands + 1];
extern const int16_t kShortBandStarts[2][3][kShortBands + 1];
// The same for the 8 to 12 kHz extension: 11025, 12000, 8000 Hz.
extern const int16_t kLongBandStartsLowest[3][kLongBands + 1];
extern const int16_t kShortBandStartsLowest[3][kShortBands + 1];

// slen1, slen2 of MPEG-1 by scalefac_compress.
extern const uint8_t kSlen[2][16];

// Pre-emphasis added to the long scale factors when preflag is set.
extern const uint8_t kPretab[kLongBands];

// Scale factors per partition for the low sampling rates:
// [row 0-5][block kind: 0 long, 1 short, 2 mixed][partition], counted in scale factors.
extern const uint8_t kPartitionSizes[6][3][4];
