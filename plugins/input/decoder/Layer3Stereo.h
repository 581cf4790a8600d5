// Layer III mid/side and intensity stereo, and the alias-reduction butterflies.
#pragma once

#include <cstdint>

void L3InitStereoTables();

// Joint-stereo processing of a granule's two channels (nothing for other modes).
void L3ProcessStereo(int32_t granule);

void L3AliasReduce(int32_t granule, int32_t ch);
