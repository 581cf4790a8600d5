#include "MpegProducer.h"

#include <algorithm>
#include <cstring>

#include "decoder/Decoder.h"

namespace {
// The longest frame of any layer (Layer II at 384 kbit/s and 32 kHz, padded)
// rounded up: a stream whose bit rate rises after the first frame still
// finds its frames whole in the buffer.
constexpr int32_t kLongestFrame = 1730;
// Zeroed bytes behind the buffer: a Layer II padding check looks two bytes
// past a frame.
constexpr int32_t kSlack = 8;
} // namespace

MpegProducer::MpegProducer(TagFile& file, const FrameHeader& header, const OutputShape& shape,
                           int64_t dataOffset, int64_t audioSize)
    : file(file), header(header), shape(shape), dataOffset(dataOffset),
      audioEnd(dataOffset + audioSize), filePosition(dataOffset) {
    // Twelve of the largest frames; refilled when eight or fewer remain.
    capacity = std::max(12 * shape.maxFrameBytes, 2 * kLongestFrame);
    refillThreshold = capacity - 4 * shape.maxFrameBytes;
    input.assign(static_cast<size_t>(capacity + kSlack), 0);
}

size_t MpegProducer::ReadAudio(int64_t offset, uint8_t* buffer, size_t count) {
    if (offset >= audioEnd) return 0;
    count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), audioEnd - offset));
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
    return {ProduceStep::kMore, result.produced};
}

int32_t MpegProducer::Position() const {
    const int64_t bytesPerSecond = static_cast<int64_t>(header.bitrate) * 1000 / 8;
    return bytesPerSecond > 0 ? static_cast<int32_t>(bytesConsumed / bytesPerSecond) : 0;
}

int32_t MpegProducer::Seek(int32_t seconds) {
    // Walk the frames from the first one until the target second is reached
    // or the stream ends.
    int64_t position = 0;
    int64_t offset = dataOffset;
    bytesConsumed = 0;
    while (position < seconds) {
        uint8_t headerBytes[4];
        if (ReadAudio(offset, headerBytes, sizeof headerBytes) != sizeof headerBytes) break;
        const int32_t length = FrameLength(headerBytes);
        if (length == 0) break;
        bytesConsumed += length;
        offset += length;
        if (header.bitrate == 0) {
            position = 0;
            break;
        }
        position = bytesConsumed * 8 / (static_cast<int64_t>(header.bitrate) * 1000);
    }
    filePosition = offset;
    readOffset = 0;
    held = 0;
    endOfFile = false;
    DecoderResetReservoir();
    return static_cast<int32_t>(position);
}
