// The one decoder's shared state: what DecoderStart derived for the current stream.
#pragma once

#include <cfloat>
#include <cstdint>

#include "DecoderTypes.h"

// The decoder's output is the same in every build only when float sums are rounded to
// float at every step (SSE; x87 keeps them wider) and never fused (-ffp-contract=off,
// set for the whole tree; the output hash test catches a build without it).
static_assert(FLT_EVAL_METHOD == 0, "build with SSE float arithmetic (-msse2 -mfpmath=sse)");

using FrameRoutine = DecodeResult (*)(const uint8_t* input, uint8_t* output);

struct DecoderCore {
    DecodeOptions options;
    FrameHeader header;
    OutputShape shape;
    int32_t subbandLimit;
    uint8_t silenceByte; // what a silent frame is filled with
    FrameRoutine frameRoutine;
};

extern DecoderCore gDecoder;
