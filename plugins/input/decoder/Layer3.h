// Layer III entry points used by the decoder core.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

// Builds the Huffman lookup trees and the dequantisation, stereo and hybrid tables.
void L3InitTables();

// Per-stream set-up from the decoder's header and options; always succeeds.
void L3Setup();

// Frame routines: MPEG-1 (two granules per frame) and the low sampling rates (one).
DecodeResult L3FrameMpeg1(const uint8_t* input, uint8_t* output);
DecodeResult L3FrameMpeg2(const uint8_t* input, uint8_t* output);

void L3ResetReservoir();
