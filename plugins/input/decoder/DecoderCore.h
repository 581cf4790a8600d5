// The one decoder's shared state: what DecoderStart derived for the current stream.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

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
