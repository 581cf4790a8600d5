// PCM from an MPEG audio stream, one decoded frame per pass.
#pragma once

#include <vector>

#include "MpegStream.h"
#include "PcmProducer.h"
#include "TagFile.h"

class MpegProducer : public PcmProducer {
  public:
    // `file` is borrowed. The audio runs from the stream's data offset to its
    // audio end (tags behind it are not read). DecoderStart has been called
    // with the stream's header and the options its shape was found under.
    MpegProducer(TagFile& file, const MpegStream& stream);

    int32_t MaxBlockBytes() const override { return shape.pcmBytesPerFrame; }
    ProduceStep Produce(uint8_t* out) override;
    bool HasRate() const override { return header.bitrate > 0; }
    int32_t Position() const override;
    int32_t Seek(int32_t seconds) override;

  private:
    void Refill();
    size_t ReadAudio(int64_t offset, uint8_t* buffer, size_t count);
    int32_t Keep(uint8_t* out, int32_t produced);
    int64_t SeekByTable(int32_t seconds);
    int64_t SeekByFrames(int32_t seconds);
    int64_t SeekByBytes(int32_t seconds);
    bool ResyncAt(int64_t offset, int64_t* frameOffset);
    int32_t FrameLengthAt(int64_t offset);

    TagFile& file;
    MpegStream stream;
    FrameHeader header;
    OutputShape shape;
    int64_t filePosition;
    int64_t bytesConsumed = 0;
    // Counted in samples at the stream's full rate, from the first audio frame.
    int32_t frameSamples;
    int64_t sampleIndex = 0;
    int64_t totalSamples; // by the information frame; 0 when unknown
    int64_t keepFrom = 0; // the encoder's delay and padding are not played
    int64_t keepTo = INT64_MAX;
    // Compressed data: `held` bytes from `readOffset`.
    std::vector<uint8_t> input;
    int32_t capacity;
    int32_t refillThreshold;
    int32_t readOffset = 0;
    int32_t held = 0;
    bool endOfFile = false;
};
