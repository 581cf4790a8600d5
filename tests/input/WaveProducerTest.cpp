#include "WaveProducer.h"

#include <gtest/gtest.h>

#include "MemoryTagFile.h"
#include "PlaybackFakes.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;

// Plays the whole file through the producer; returns the milliseconds it
// paused and the bytes it made.
std::pair<long, long> Drain(const Bytes& wave) {
    MemoryTagFile file(wave);
    WaveFormat format{};
    WaveCounters counters{};
    const int64_t offset = ReadWaveHeader(file, &format, &counters);
    EXPECT_GT(offset, 0);
    WaveProducer producer(file, format, counters, offset);
    ScriptedChannel channel;
    std::vector<uint8_t> block(static_cast<size_t>(producer.MaxBlockBytes()));
    long made = 0;
    for (;;) {
        const ProduceStep step = producer.Produce(block.data(), channel);
        made += step.bytes;
        if (step.kind != ProduceStep::kMore) break;
    }
    return {channel.slept, made};
}

TEST(WaveProducer, PausesNeverAddUpToThePlayingTimeEvenAt88200HzStereo) {
    // 10 s of 88.2 kHz 16-bit stereo: 352,800 bytes per second.
    const auto [slept, made] = Drain(MakeWave(1, 2, 88200, Bytes(352800 * 10)));
    EXPECT_EQ(made, 352800 * 10);
    EXPECT_LT(slept, 10 * 1000 / 2) << "the reader would fall behind the output";
}

TEST(WaveProducer, SlowFilesStillPauseAtMost50MsPerBlock) {
    // 8 kHz µ-law: each 16 KB block is a second of sound.
    const auto [slept, made] = Drain(MakeWave(7, 1, 8000, Bytes(8000 * 4)));
    EXPECT_EQ(made, 8000 * 4 * 2);
    EXPECT_LE(slept, 50 * 5);
    EXPECT_GT(slept, 0);
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
    ScriptedChannel channel;
    std::vector<uint8_t> block(static_cast<size_t>(producer.MaxBlockBytes()));
    const ProduceStep step = producer.Produce(block.data(), channel);
    EXPECT_EQ(step.kind, ProduceStep::kMore); // 2 s left: 32,000 bytes
    EXPECT_EQ(step.bytes, 16384);
    EXPECT_EQ(producer.Position(), 5);
    // Seeking beyond the end makes nothing.
    producer.Seek(100);
    EXPECT_EQ(producer.Produce(block.data(), channel).bytes, 0);
}

} // namespace
