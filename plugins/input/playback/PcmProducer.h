// A source that the playback loop turns into PCM: the MPEG decoder or the
// WAVE reader, one block per pass of the loop.
#pragma once

#include <cstdint>

struct ProduceStep {
    enum Kind {
        kMore,      // `bytes` were made; the source goes on
        kLastBlock, // `bytes` were made and the source has nothing after them
        kEnded,     // nothing was made: the source ended, failed or broke
    };
    Kind kind;
    int32_t bytes;
};

class PcmProducer {
  public:
    virtual ~PcmProducer() = default;
    // The most bytes one Produce can make.
    virtual int32_t MaxBlockBytes() const = 0;
    // Makes the next block into `out`, which has room for MaxBlockBytes().
    // Never pauses: the output's blocking write paces the loop.
    virtual ProduceStep Produce(uint8_t* out) = 0;
    // False when the source has no rate to measure its position by.
    virtual bool HasRate() const = 0;
    // Elapsed whole seconds of what was produced.
    virtual int32_t Position() const = 0;
    // Moves to `seconds` (the output has already been reset) and returns the
    // whole second reached, which the loop reports at once.
    virtual int32_t Seek(int32_t seconds) = 0;
};
