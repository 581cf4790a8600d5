#include "WaveProducer.h"

#include <gtest/gtest.h>

#include "MemoryTagFile.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;

// Plays the whole file through the producer; returns the bytes it made.
long Drain(const Bytes& wave) {
    MemoryTagFile file(wave);
    WaveFormat format{};
    WaveCounters counters{};
    const int64_t offset = ReadWaveHeader(file, &format, &counters);
    EXPECT_GT(offset, 0);
    WaveProducer producer(file, format, counters, offset);
    std::vector<uint8_t> block(static_cast<size_t>(producer.MaxBlockBytes()));
    long made = 0;
    for (;;) {
        const ProduceStep step = producer.Produce(block.data());
        made += step.bytes;
        if (step.kind != ProduceStep::kMore) break;
    }
    return made;
}

TEST(WaveProducer, MakesTheWholeDataChunkExpandedForCompandedFiles) {
    // 88.2 kHz 16-bit stereo, and 8 kHz µ-law whose bytes become samples.
    EXPECT_EQ(Drain(MakeWave(1, 2, 88200, Bytes(352800 * 2))), 352800 * 2);
    EXPECT_EQ(Drain(MakeWave(7, 1, 8000, Bytes(8000 * 4))), 8000 * 4 * 2);
}

TEST(WaveProducer, PositionCountsOutputBytesAndSeekLandsOnTheSecond) {
    const Bytes codes = Pattern(8000 * 6, 9);
    MemoryTagFile file(MakeWave(6, 1, 8000, codes));
    WaveFormat format{};
    WaveCounters counters{};
    const int64_t offset = ReadWaveHeader(file, &format, &counters);
    WaveProducer producer(file, format, counters, offset);
    EXPECT_EQ(producer.Seek(4), 4);
    EXPECT_EQ(producer.Position(), 4);
    std::vector<uint8_t> block(static_cast<size_t>(producer.MaxBlockBytes()));
    const ProduceStep step = producer.Produce(block.data());
    EXPECT_EQ(step.kind, ProduceStep::kMore); // 2 s left: 32,000 bytes
    EXPECT_EQ(step.bytes, 16384);
    EXPECT_EQ(producer.Position(), 5);
    // Seeking beyond the end makes nothing.
    producer.Seek(100);
    EXPECT_EQ(producer.Produce(block.data()).bytes, 0);
}

} // namespace
