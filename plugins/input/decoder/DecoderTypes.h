// Records shared by the decoder and the input plug-in.
#pragma once

#include <cstdint>

// A decoded 4-byte MPEG audio frame header, field by field.
struct FrameHeader {
    int32_t version;    // 1 = MPEG-1, 0 = MPEG-2 low sampling rates
    int32_t layer;      // 3 = Layer I, 2 = Layer II, 1 = Layer III, 0 reserved
    int32_t protection; // 0 = a 16-bit CRC follows the header
    int32_t bitrateIndex;
    int32_t sampleRateIndex;
    int32_t padding;
    int32_t privateBit;
    int32_t mode; // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int32_t modeExtension;
    int32_t copyright;
    int32_t original;
    int32_t emphasis;   // read, never applied
    int32_t bitrate;    // kbit/s; 0 = invalid
    int32_t sampleRate; // Hz; 0 = invalid
};
static_assert(sizeof(FrameHeader) == 14 * 4, "FrameHeader is fourteen int32");

constexpr int32_t kConversionChannelMask = 0x3; // 0 both, 1 mix, 2 left, 3 right
constexpr int32_t kConversion8Bit = 0x8;        // 8-bit unsigned instead of 16-bit signed

struct DecodeOptions {
    int32_t reduction;      // output rate = stream rate >> reduction (0, 1, 2)
    int32_t conversion;     // channel choice in bits 1-0, kConversion8Bit
    int32_t frequencyLimit; // highest frequency decoded, Hz, at least 1000
};
static_assert(sizeof(DecodeOptions) == 3 * 4, "DecodeOptions is three int32");

constexpr DecodeOptions kDefaultDecodeOptions = {0, 0, 24000};

struct OutputShape {
    int32_t channels;
    int32_t bitsPerSample;
    int32_t outputRate;
    int32_t frameBytes;    // frame length without padding
    int32_t maxFrameBytes; // with padding
    int32_t pcmBytesPerFrame;
};
static_assert(sizeof(OutputShape) == 6 * 4, "OutputShape is six int32");

struct DecodeResult {
    int32_t consumed; // input bytes of the frame
    int32_t produced; // PCM bytes written
};
