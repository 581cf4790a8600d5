// The 44-byte header of a canonical PCM WAVE file (RIFF, "fmt " of 16
// bytes, "data").
#pragma once

#include <array>
#include <cstdint>

#include "PcmFormat.h"

constexpr uint32_t kWavHeaderBytes = 44;

using WavHeader = std::array<uint8_t, kWavHeaderBytes>;

// The header for `dataBytes` bytes of sound in `format`. The RIFF size
// counts the pad byte that follows odd-sized data.
WavHeader MakeWavHeader(const PcmFormat& format, uint32_t dataBytes);

// The most sound bytes a WAVE file can hold (the RIFF size is 32-bit),
// rounded down to whole sample frames of `blockAlign` bytes.
uint32_t WavDataLimit(uint32_t blockAlign);
