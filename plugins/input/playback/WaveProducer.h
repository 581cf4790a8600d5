// PCM straight from a WAVE file, A-law and µ-law expanded on the way.
#pragma once

#include "PcmProducer.h"
#include "TagFile.h"
#include "WaveSource.h"

class WaveProducer : public PcmProducer {
  public:
    // Output bytes read per pass.
    static constexpr int32_t kBlockBytes = 0x4000;

    // `file` is borrowed; `dataOffset` is where ReadWaveHeader left it.
    WaveProducer(TagFile& file, const WaveFormat& format, const WaveCounters& counters,
                 int64_t dataOffset);

    int32_t MaxBlockBytes() const override { return kBlockBytes; }
    ProduceStep Produce(uint8_t* out) override;
    bool HasRate() const override { return outputByteRate > 0; }
    int32_t Position() const override;
    int32_t Seek(int32_t seconds) override;

  private:
    TagFile& file;
    WaveFormat format;
    WaveCounters counters;
    int64_t dataOffset;
    int64_t filePosition;
    int64_t bytesConsumed = 0;
    int64_t outputByteRate;
};
