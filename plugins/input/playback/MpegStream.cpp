#include "MpegStream.h"

#include <algorithm>
#include <vector>

#include "decoder/Decoder.h"
#include "decoder/MpegHeader.h"

namespace {

// The longest frame of any layer, rounded up.
constexpr int32_t kLongestFrame = 1730;

// The frame's header when a valid one that agrees with `like` starts at `at`.
bool AgreeingFrameAt(TagFile& file, int64_t at, int64_t end, const FrameHeader& like,
                     FrameHeader* header) {
    uint8_t bytes[4];
    if (at + 4 > end || !ReadExactAt(file, at, bytes, sizeof bytes)) return false;
    if (FrameLength(bytes) == 0) return false;
    HeaderParse(bytes, *header);
    return HeadersAgree(like, *header);
}

} // namespace

int32_t FindMpegStream(TagFile& file, int64_t spanStart, int64_t spanEnd, MpegStream* stream) {
    *stream = MpegStream{};
    if (spanStart < 0 || spanEnd <= spanStart) return 0;
    // The window holds a frame beyond the last position searched, so that every
    // candidate there can be checked against the frame behind it; a shorter
    // window ends where the audio does.
    const int64_t window =
        std::min<int64_t>(spanEnd - spanStart, kFrameSearchBytes + 2 * kLongestFrame);
    std::vector<uint8_t> bytes(static_cast<size_t>(window));
    if (!ReadExactAt(file, spanStart, bytes.data(), bytes.size())) return 0;
    int32_t offset = 0;
    FrameHeader first;
    if (!FindFrameHeader(bytes.data(), static_cast<int32_t>(window), first, offset)) return 0;
    const int32_t length = FrameLength(bytes.data() + offset);
    // A frame taken without a successor to agree with must be the stream's
    // last, ending exactly where the audio does.
    const int64_t next = spanStart + offset + length;
    if (offset >= kFrameSearchBytes) return 0;
    if (next + 4 > spanStart + window && next != spanEnd) return 0;

    stream->firstFrame = spanStart + offset;
    stream->dataOffset = stream->firstFrame;
    stream->audioEnd = spanEnd;
    stream->header = first;
    std::vector<uint8_t> frame(static_cast<size_t>(length), 0);
    FrameHeader audio;
    if (ReadExactAt(file, stream->firstFrame, frame.data(), frame.size()) &&
        ReadVbrHeader(frame.data(), length, first, stream->vbr) &&
        AgreeingFrameAt(file, next, spanEnd, first, &audio)) {
        // The information frame holds no audio: play starts behind it, with the
        // header of the first frame that does.
        stream->hasVbrHeader = true;
        stream->dataOffset = next;
        stream->header = audio;
    }
    return GetOutputShape(stream->header, stream->shape);
}

int64_t MpegStreamSamples(const MpegStream& stream) {
    if (!stream.hasVbrHeader || stream.vbr.frames <= 0) return 0;
    const int64_t samples = stream.vbr.frames * HeaderSamplesPerFrame(stream.header);
    if (!stream.vbr.hasGapless) return samples;
    const int64_t trimmed = samples - stream.vbr.encoderDelay - stream.vbr.encoderPadding;
    return trimmed > 0 ? trimmed : samples;
}

int32_t MpegPlayLength(const MpegStream& stream) {
    const int64_t samples = MpegStreamSamples(stream);
    if (samples > 0 && stream.header.sampleRate > 0)
        return static_cast<int32_t>(samples / stream.header.sampleRate);
    const int64_t bytesPerSecond = static_cast<int64_t>(stream.header.bitrate) * 1000 / 8;
    const int64_t bytes = stream.audioEnd - stream.dataOffset;
    return bytesPerSecond > 0 && bytes > 0 ? static_cast<int32_t>(bytes / bytesPerSecond) : 0;
}

int32_t MpegShownBitrate(const MpegStream& stream) {
    // The byte count takes in the information frame, so the time does too.
    const int64_t samples = stream.hasVbrHeader && stream.vbr.frames > 0
                                ? (stream.vbr.frames + 1) * HeaderSamplesPerFrame(stream.header)
                                : 0;
    if (samples <= 0 || stream.header.sampleRate <= 0) return stream.header.bitrate;
    const int64_t bytes =
        stream.vbr.bytes > 0 ? stream.vbr.bytes : stream.audioEnd - stream.firstFrame;
    // bytes × 8 / seconds / 1000, rounded.
    const int64_t kbps = (bytes * 8 * stream.header.sampleRate + samples * 500) / (samples * 1000);
    return kbps > 0 && kbps < 100000 ? static_cast<int32_t>(kbps) : stream.header.bitrate;
}
