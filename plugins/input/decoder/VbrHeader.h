// The information frame many encoders put first in a stream instead of audio:
// Xing or Info (frame and byte counts, a table of contents), VBRI (the same
// with a table of its own), and LAME's tag behind Xing or Info (encoder delay
// and padding). Only read here; the frame itself is not played.
#pragma once

#include <cstdint>

#include "DecoderTypes.h"

constexpr int32_t kVbrSeekPoints = 101; // 0 % ... 100 %

struct VbrHeader {
    int64_t frames; // audio frames behind the information frame; 0 when not given
    int64_t bytes;  // bytes of the stream from the information frame on; 0 when not given
    bool hasSeekTable;
    // Byte offset from the information frame's start at each hundredth of the
    // play time; the last one is the stream's end.
    int64_t seekBytes[kVbrSeekPoints];
    // From a LAME tag whose CRC checks: samples the encoder put before the
    // audio and after it.
    bool hasGapless;
    int32_t encoderDelay;
    int32_t encoderPadding;
};

// Reads an information frame from the `length` bytes of the frame that starts
// with `header`. 1 when the frame is one (the frame then holds no audio), 0 otherwise.
int32_t ReadVbrHeader(const uint8_t* frame, int32_t length, const FrameHeader& header,
                      VbrHeader& info);

// Byte offset from the information frame's start for a fraction of the play
// time (0 to 1), interpolated in the seek table.
int64_t VbrSeekOffset(const VbrHeader& info, double fraction);
