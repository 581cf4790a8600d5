// Layer III dequantisation with the short-block reordering.
#pragma once

#include <cstdint>

void L3InitDequantiseTables();

// gLayer3.quantised[ch] into gLayer3.spectrum[ch][granule], updating the nonzero
// count and filling gLayer3.stereo[ch].
void L3Dequantise(int32_t granule, int32_t ch);
