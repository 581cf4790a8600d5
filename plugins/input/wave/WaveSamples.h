// Narrowing of wide WAVE samples to 16 bits by the decoder's rule:
// truncation toward zero, clipped to the 16-bit range.
#pragma once

#include <cstdint>

#include "WaveSource.h"

// Bytes of one sample in the file and in the output.
int32_t WaveSourceSampleBytes(WaveCoding coding);
int32_t WaveOutputSampleBytes(WaveCoding coding);

// One 24-bit, 32-bit integer or 32-bit float sample (little-endian) as a
// 16-bit value; a float NaN gives 0.
int16_t NarrowWaveSample(WaveCoding coding, const uint8_t* sample);
