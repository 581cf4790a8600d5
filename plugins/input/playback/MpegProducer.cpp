#include "MpegProducer.h"

#include <algorithm>
#include <cstring>

#include "decoder/Decoder.h"
#include "decoder/MpegHeader.h"

namespace {
// The longest frame of any layer (Layer II at 384 kbit/s and 32 kHz, padded)
// rounded up: a stream whose bit rate rises after the first frame still
// finds its frames whole in the buffer.
constexpr int32_t kLongestFrame = 1730;
// Zeroed bytes behind the buffer: a Layer II padding check looks two bytes
// past a frame.
constexpr int32_t kSlack = 8;
// The decoder's own delay, which the LAME tag's encoder delay leaves out.
constexpr int64_t kDecoderDelay = 529;
} // namespace

MpegProducer::MpegProducer(TagFile& file, const MpegStream& stream)
    : file(file), stream(stream), header(stream.header), shape(stream.shape),
      filePosition(stream.dataOffset), frameSamples(HeaderSamplesPerFrame(stream.header)) {
    totalSamples = stream.hasVbrHeader ? stream.vbr.frames * frameSamples : 0;
    if (stream.hasVbrHeader && stream.vbr.hasGapless && MpegStreamSamples(stream) < totalSamples) {
        keepFrom = stream.vbr.encoderDelay + kDecoderDelay;
        keepTo = totalSamples - stream.vbr.encoderPadding + kDecoderDelay;
    }
    // Twelve of the largest frames; refilled when eight or fewer remain.
    capacity = std::max(12 * shape.maxFrameBytes, 2 * kLongestFrame);
    refillThreshold = capacity - 4 * shape.maxFrameBytes;
    input.assign(static_cast<size_t>(capacity + kSlack), 0);
}

size_t MpegProducer::ReadAudio(int64_t offset, uint8_t* buffer, size_t count) {
    if (offset >= stream.audioEnd) return 0;
    count = static_cast<size_t>(
        std::min<int64_t>(static_cast<int64_t>(count), stream.audioEnd - offset));
    return file.ReadAt(offset, buffer, count);
}

void MpegProducer::Refill() {
    std::memmove(input.data(), input.data() + readOffset, static_cast<size_t>(held));
    readOffset = 0;
    const size_t got =
        ReadAudio(filePosition, input.data() + held, static_cast<size_t>(capacity - held));
    filePosition += static_cast<int64_t>(got);
    held += static_cast<int32_t>(got);
    std::memset(input.data() + held, 0, static_cast<size_t>(capacity + kSlack - held));
    if (got == 0) endOfFile = true;
}

// Cuts the frame just decoded at `out` to the samples that are played: none
// of the encoder's delay before the audio, none of its padding behind it.
// Returns the bytes kept, moved to the start of `out`.
int32_t MpegProducer::Keep(uint8_t* out, int32_t produced) {
    const int64_t first = sampleIndex;
    sampleIndex += frameSamples;
    if (first >= keepFrom && sampleIndex <= keepTo) return produced;
    const int64_t from = std::min<int64_t>(std::max(first, keepFrom), sampleIndex) - first;
    const int64_t to = std::max<int64_t>(std::min(sampleIndex, keepTo), first) - first;
    if (to <= from) return 0;
    // Whole output samples: the output rate may be a half or a quarter of the stream's.
    const int32_t sampleBytes = std::max(shape.channels * shape.bitsPerSample / 8, 1);
    const int32_t outputSamples = produced / sampleBytes;
    const int64_t begin = (from * outputSamples / frameSamples) * sampleBytes;
    const int64_t end = (to * outputSamples / frameSamples) * sampleBytes;
    std::memmove(out, out + begin, static_cast<size_t>(end - begin));
    return static_cast<int32_t>(end - begin);
}

ProduceStep MpegProducer::Produce(uint8_t* out) {
    if (held <= refillThreshold && !endOfFile) Refill();
    // The decoder needs the whole frame in memory: a truncated last frame
    // ends the stream instead of being decoded from bytes that aren't there.
    const uint8_t* frame = input.data() + readOffset;
    if (held < 4) return {ProduceStep::kEnded, 0};
    const int32_t length = FrameLength(frame);
    if (length == 0 || length > held) return {ProduceStep::kEnded, 0};
    const DecodeResult result = DecodeFrame(frame, out);
    if (result.consumed == 0 || result.produced == 0) return {ProduceStep::kEnded, 0};
    const int32_t consumed = std::min(result.consumed, held);
    bytesConsumed += consumed;
    readOffset += consumed;
    held -= consumed;
    const int32_t kept = Keep(out, result.produced);
    if (sampleIndex >= keepTo) return {ProduceStep::kLastBlock, kept};
    return {ProduceStep::kMore, kept};
}

int32_t MpegProducer::Position() const {
    if (totalSamples > 0)
        return static_cast<int32_t>(std::max<int64_t>(sampleIndex - keepFrom, 0) /
                                    header.sampleRate);
    const int64_t bytesPerSecond = static_cast<int64_t>(header.bitrate) * 1000 / 8;
    return bytesPerSecond > 0 ? static_cast<int32_t>(bytesConsumed / bytesPerSecond) : 0;
}

// The length of the frame whose header is at `offset`; 0 when there is none.
int32_t MpegProducer::FrameLengthAt(int64_t offset) {
    uint8_t headerBytes[4];
    if (ReadAudio(offset, headerBytes, sizeof headerBytes) != sizeof headerBytes) return 0;
    return FrameLength(headerBytes);
}

// The first frame of the stream at or behind `offset`, by the same rule as
// the stream's first frame was found.
bool MpegProducer::ResyncAt(int64_t offset, int64_t* frameOffset) {
    std::vector<uint8_t> bytes(static_cast<size_t>(4 * kLongestFrame));
    const size_t got = ReadAudio(offset, bytes.data(), bytes.size());
    size_t from = 0;
    while (from + 4 <= got) {
        FrameHeader found;
        int32_t at = 0;
        if (!FindFrameHeader(bytes.data() + from, static_cast<int32_t>(got - from), found, at))
            return false;
        const size_t start = from + static_cast<size_t>(at);
        // Checked against the frame behind it, unless it is the stream's last.
        const int64_t next = static_cast<int64_t>(start) + FrameLength(bytes.data() + start);
        const bool checked =
            next + 4 <= static_cast<int64_t>(got) || offset + next == stream.audioEnd;
        if (checked && HeadersAgree(header, found)) {
            *frameOffset = offset + static_cast<int64_t>(start);
            return true;
        }
        from = start + 1;
    }
    return false;
}

// Through the information frame's table: the byte offset for the second
// asked, then the first frame from there.
int64_t MpegProducer::SeekByTable(int32_t seconds) {
    // The first frame that starts at or after the second asked, counted
    // without the encoder's delay.
    const int64_t target = static_cast<int64_t>(seconds) * header.sampleRate + keepFrom;
    const int64_t frame = std::min((target + frameSamples - 1) / frameSamples, stream.vbr.frames);
    const double fraction = static_cast<double>(frame) / static_cast<double>(stream.vbr.frames);
    int64_t offset = stream.firstFrame + VbrSeekOffset(stream.vbr, fraction);
    offset = std::max(offset, stream.dataOffset);
    if (!ResyncAt(offset, &offset)) offset = stream.audioEnd;
    sampleIndex = frame * frameSamples;
    return offset;
}

// Counting frames from the first: exact when the information frame has no table.
int64_t MpegProducer::SeekByFrames(int32_t seconds) {
    const int64_t target = static_cast<int64_t>(seconds) * header.sampleRate + keepFrom;
    int64_t offset = stream.dataOffset;
    sampleIndex = 0;
    while (sampleIndex + frameSamples <= target) {
        const int32_t length = FrameLengthAt(offset);
        if (length == 0) break;
        offset += length;
        sampleIndex += frameSamples;
    }
    return offset;
}

// Without an information frame: the frames are walked until the bytes passed
// reach the second asked at the first frame's bit rate.
int64_t MpegProducer::SeekByBytes(int32_t seconds) {
    int64_t position = 0;
    int64_t offset = stream.dataOffset;
    while (position < seconds) {
        const int32_t length = FrameLengthAt(offset);
        if (length == 0) break;
        bytesConsumed += length;
        offset += length;
        if (header.bitrate == 0) break;
        position = bytesConsumed * 8 / (static_cast<int64_t>(header.bitrate) * 1000);
    }
    return offset;
}

int32_t MpegProducer::Seek(int32_t seconds) {
    bytesConsumed = 0;
    int64_t offset;
    if (totalSamples > 0 && stream.vbr.hasSeekTable && seconds > 0)
        offset = SeekByTable(seconds);
    else if (totalSamples > 0)
        offset = SeekByFrames(seconds);
    else
        offset = SeekByBytes(seconds);
    filePosition = offset;
    readOffset = 0;
    held = 0;
    endOfFile = false;
    DecoderResetReservoir();
    return Position();
}
