#include "WaveProducer.h"

#include <algorithm>

WaveProducer::WaveProducer(TagFile& file, const WaveFormat& format, const WaveCounters& counters,
                           int64_t dataOffset)
    : file(file), format(format), counters(counters), dataOffset(dataOffset),
      filePosition(dataOffset), outputByteRate(WaveOutputByteRate(format, counters)) {}

// No pause after the read: a pause here, taken while the output's queue runs
// low, is heard as a gap. The loop waits in the output's write instead.
ProduceStep WaveProducer::Produce(uint8_t* out) {
    const int32_t made = ReadWavePcm(file, format, &counters, &filePosition, out, kBlockBytes);
    bytesConsumed += made;
    return {made < kBlockBytes ? ProduceStep::kLastBlock : ProduceStep::kMore, made};
}

int32_t WaveProducer::Position() const {
    return outputByteRate > 0 ? static_cast<int32_t>(bytesConsumed / outputByteRate) : 0;
}

int32_t WaveProducer::Seek(int32_t seconds) {
    const int64_t target = std::max<int32_t>(seconds, 0);
    bytesConsumed = target * outputByteRate;
    counters.running = bytesConsumed;
    filePosition = dataOffset + target * format.byteRate;
    // Reported at once: with a slow file (8 kHz µ-law) the next 16 KB block
    // would already be a second further on.
    return Position();
}
