// Entry operations of the MPEG audio decoder. There is one decoder per process:
// its state is static, its tables are built once by DecoderInitTables.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

// Builds every computed table and sets the default options. Call once before anything else.
void DecoderInitTables();

// 1, or 0 (nothing changed) when frequencyLimit < 1000 or reduction is not 0, 1 or 2.
int32_t DecoderSetOptions(const DecodeOptions& options);
void DecoderGetOptions(DecodeOptions& options);

// Finds the first valid header among bytes [0, count - 4] whose frame is followed by a
// header of the same version, layer and sampling rate, or reaches past count - 4.
// 1 when found; 0 otherwise.
int32_t FindFrameHeader(const uint8_t* bytes, int32_t count, FrameHeader& header, int32_t& offset);

// Output shape for a header under the current options; 0 for a reserved layer.
int32_t GetOutputShape(const FrameHeader& header, OutputShape& shape);

// Prepares the decoder for a stream that starts with this header; 0 when it cannot.
int32_t DecoderStart(const FrameHeader& header);

// Decodes one frame. The whole frame must lie in memory from input, and output must
// have room for pcmBytesPerFrame bytes. Returns 0 consumed and 0 produced at a frame
// that does not start with a sync (the end of the stream).
DecodeResult DecodeFrame(const uint8_t* input, uint8_t* output);

// Empties the Layer III main-data buffer; call after repositioning in the stream.
void DecoderResetReservoir();

// Length in bytes of the frame whose 4 header bytes are given; 0 when not a valid header.
int32_t FrameLength(const uint8_t* header);
