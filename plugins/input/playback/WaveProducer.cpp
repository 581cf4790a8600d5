#include "WaveProducer.h"

#include <algorithm>

#include "PlaybackChannel.h"

WaveProducer::WaveProducer(TagFile& file, const WaveFormat& format, const WaveCounters& counters,
                           int64_t dataOffset)
    : file(file), format(format), counters(counters), dataOffset(dataOffset),
      filePosition(dataOffset), outputByteRate(WaveOutputByteRate(format, counters)) {
    // The pause after each read yields the processor. A fixed 50 ms would
    // read 16 KB per 50 ms at most, less than an 88.2 kHz stereo file plays,
    // so it is half the block's playing time, never more than 50 ms; the
    // output's blocking write does the pacing.
    const int64_t blockMs = outputByteRate > 0 ? kBlockBytes * 1000 / outputByteRate : 0;
    pauseMs = static_cast<int32_t>(std::min<int64_t>(50, blockMs / 2));
}

ProduceStep WaveProducer::Produce(uint8_t* out, PlaybackChannel& channel) {
    const int32_t made = ReadWavePcm(file, format, &counters, &filePosition, out, kBlockBytes);
    bytesConsumed += made;
    if (pauseMs > 0) channel.Sleep(pauseMs);
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
