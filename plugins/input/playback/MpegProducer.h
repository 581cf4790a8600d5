// PCM from an MPEG audio stream, one decoded frame per pass.
#pragma once

#include <vector>

#include "PcmProducer.h"
#include "TagFile.h"
#include "decoder/DecoderTypes.h"

class MpegProducer : public PcmProducer {
  public:
    // `file` is borrowed. The audio runs from `dataOffset` for `audioSize`
    // bytes (tags behind it are not read). DecoderStart has been called.
    MpegProducer(TagFile& file, const FrameHeader& header, const OutputShape& shape,
                 int64_t dataOffset, int64_t audioSize);

    int32_t MaxBlockBytes() const override { return shape.pcmBytesPerFrame; }
    ProduceStep Produce(uint8_t* out) override;
    bool HasRate() const override { return header.bitrate > 0; }
    int32_t Position() const override;
    int32_t Seek(int32_t seconds) override;

  private:
    void Refill();
    size_t ReadAudio(int64_t offset, uint8_t* buffer, size_t count);

    TagFile& file;
    FrameHeader header;
    OutputShape shape;
    int64_t dataOffset;
    int64_t audioEnd;
    int64_t filePosition;
    int64_t bytesConsumed = 0;
    // Compressed data: `held` bytes from `readOffset`.
    std::vector<uint8_t> input;
    int32_t capacity;
    int32_t refillThreshold;
    int32_t readOffset = 0;
    int32_t held = 0;
    bool endOfFile = false;
};
