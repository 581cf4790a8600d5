// Where an MPEG audio stream lies in a file and what its first frames say:
// found once when a file is opened, then used for its length, its bit rate,
// playing and seeking.
#pragma once

#include <cstdint>

#include "TagFile.h"
#include "decoder/DecoderTypes.h"
#include "decoder/VbrHeader.h"

// Frames are searched for this far behind the tags.
constexpr int32_t kFrameSearchBytes = 64 * 1024;

struct MpegStream {
    FrameHeader header; // the first audio frame's
    OutputShape shape;  // under the decode options current when found
    int64_t firstFrame; // the stream's first frame: the information frame, when there is one
    int64_t dataOffset; // the first audio frame
    int64_t audioEnd;   // where the tags behind the audio begin
    bool hasVbrHeader;  // the first frame was an information frame
    VbrHeader vbr;
};

// Finds the stream in [spanStart, spanEnd): the first frame followed by one of
// the same stream (or ending exactly at spanEnd) within kFrameSearchBytes,
// and an information frame there. 0 when there is none.
int32_t FindMpegStream(TagFile& file, int64_t spanStart, int64_t spanEnd, MpegStream* stream);

// Samples per channel at the stream's full rate, or 0 without an information
// frame that counts the frames; the encoder's delay and padding are left out
// when the LAME tag gives them.
int64_t MpegStreamSamples(const MpegStream& stream);

// Whole seconds of play: from the sample count when known, else the audio
// bytes at the first frame's bit rate.
int32_t MpegPlayLength(const MpegStream& stream);

// kbit/s to show: the average over the stream when the count of frames is
// known, else the first frame's.
int32_t MpegShownBitrate(const MpegStream& stream);
