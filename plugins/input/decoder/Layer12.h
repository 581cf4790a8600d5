// Layer I and Layer II entry points used by the decoder core.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

// Scale factors, step factors and the lookup tables of grouped codes.
void L12InitTables();

// Per-stream set-up from the decoder's header and options; false when the stream
// cannot be decoded (sampling rate 0, or a Layer II bit rate and mode that MPEG-1
// does not allow).
bool L1Setup();
bool L2Setup();

DecodeResult L1Frame(const uint8_t* input, uint8_t* output);
DecodeResult L2Frame(const uint8_t* input, uint8_t* output);
