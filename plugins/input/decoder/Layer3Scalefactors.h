// Layer III scale factors of one granule and channel, read into gLayer3.scalefactors.
#pragma once

#include <cstdint>

#include "BitReader.h"

void L3ReadScalefactorsMpeg1(BitReader& reader, int32_t granule, int32_t ch);

// Also sets preflag, and for an intensity-coded right channel stores its partitions.
void L3ReadScalefactorsMpeg2(BitReader& reader, int32_t granule, int32_t ch);
