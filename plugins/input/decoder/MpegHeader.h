// Frame header decoding, the standard rate tables and the frame length rule.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

constexpr int32_t kLayerOne = 3; // header layer field values
constexpr int32_t kLayerTwo = 2;
constexpr int32_t kLayerThree = 1;
constexpr int32_t kModeJointStereo = 1;
constexpr int32_t kModeSingleChannel = 3;

// True when the two bytes start a frame: eleven set bits and a version field
// other than the reserved one (0xFFE for the 8 to 12 kHz rates, 0xFFF otherwise).
inline bool HeaderHasSync(const uint8_t* bytes) {
    return bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 && (bytes[1] & 0x18) != 0x08;
}

// Fills all fourteen fields from the 4 header bytes (the sync is not checked).
void HeaderParse(const uint8_t* bytes, FrameHeader& header);

// kbit/s for a version, layer field and index; 0 when invalid.
int32_t HeaderBitrate(int32_t version, int32_t layer, int32_t bitrateIndex);
// Hz from the second header byte (its version bits) and the index; 0 when invalid.
int32_t HeaderSampleRate(uint8_t versionByte, int32_t sampleRateIndex);

// True when two valid headers belong to one stream: same version, layer and sampling rate.
bool HeadersAgree(const FrameHeader& first, const FrameHeader& next);

// Samples per frame and channel at full rate: 384, 1152 or 576 (MPEG-2 Layer III).
int32_t HeaderSamplesPerFrame(const FrameHeader& header);

// Number of subbands decoded for the options: at most cap (31, 15 or 8) and layerSubbands.
int32_t HeaderSubbandLimit(int32_t sampleRate, const DecodeOptions& options, int32_t layerSubbands);
