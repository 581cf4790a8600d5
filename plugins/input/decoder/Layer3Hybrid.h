// Layer III hybrid filter bank (IMDCT, windowing, overlap-add, frequency inversion)
// and the output routines that feed the synthesis.
#pragma once

#include <cstdint>

#include "Layer3State.h"

void L3InitHybridTables();

// The output routine for a stream: single-channel streams use channel 0; otherwise
// channelChoice 0 both channels, 1 mix, 2 left, 3 right.
L3OutputRoutine L3ChooseOutputRoutine(bool monoStream, int32_t channelChoice);
