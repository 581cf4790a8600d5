// Helpers shared by the decoder tests: reading test data, decoding a whole stream
// as the playback loop does, and comparing PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Decoder.h"

std::vector<uint8_t> ReadTestFile(const std::string& relativePath);
std::vector<int16_t> ToSamples(const std::vector<uint8_t>& bytes);

struct DecodedStream {
    bool started = false;
    FrameHeader header{};
    OutputShape shape{};
    int32_t frames = 0;
    std::vector<uint8_t> pcm;
    std::vector<int32_t> frameOffsets; // where each decoded frame started in the input
};

// Finds the first header, starts the decoder and decodes whole frames until the data
// ends or DecodeFrame refuses. The input is padded past its end, as DecodeFrame may
// read a whole frame as its header describes it.
DecodedStream DecodeStream(const std::vector<uint8_t>& bytes,
                           const DecodeOptions& options = kDefaultDecodeOptions);

struct Comparison {
    double psnr;
    int32_t maxDifference;
    size_t samples;
};
Comparison CompareSamples(const std::vector<int16_t>& decoded,
                          const std::vector<int16_t>& reference);

// Byte length of a Layer III frame's header, CRC and side information.
int32_t Layer3SideInfoEnd(const uint8_t* frame);
// The frame's main_data_begin field.
int32_t Layer3MainDataBegin(const uint8_t* frame);
