#include "WaveSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "G711.h"
#include "MemoryTagFile.h"

namespace {

void Put16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
    Put16(bytes, static_cast<uint16_t>(value));
    Put16(bytes, static_cast<uint16_t>(value >> 16));
}
void PutChunk(std::vector<uint8_t>& bytes, const char* id, const std::vector<uint8_t>& body,
              uint32_t declaredSize) {
    bytes.insert(bytes.end(), id, id + 4);
    Put32(bytes, declaredSize);
    bytes.insert(bytes.end(), body.begin(), body.end());
}

struct WaveFields {
    uint16_t tag = kWavePcm;
    uint16_t channels = 2;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    uint32_t formatSize = 16;
    uint32_t storedByteRate = 12345; // deliberately wrong: recomputed
};

std::vector<uint8_t> FormatBody(const WaveFields& fields) {
    std::vector<uint8_t> body;
    Put16(body, fields.tag);
    Put16(body, fields.channels);
    Put32(body, fields.rate);
    Put32(body, fields.storedByteRate);
    Put16(body, static_cast<uint16_t>(fields.channels * fields.bits / 8));
    Put16(body, fields.bits);
    body.resize(fields.formatSize, 0);
    return body;
}

// RIFF/WAVE with "fmt ", the given chunks before "data", the data, and the
// chunks after it.
std::vector<uint8_t> MakeWave(const WaveFields& fields, const std::vector<uint8_t>& data,
                              const std::vector<std::vector<uint8_t>>& before = {},
                              const std::vector<std::vector<uint8_t>>& after = {}) {
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    PutChunk(bytes, "fmt ", FormatBody(fields), fields.formatSize);
    for (const auto& chunk : before)
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    PutChunk(bytes, "data", data, static_cast<uint32_t>(data.size()));
    for (const auto& chunk : after)
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    const uint32_t riffSize = static_cast<uint32_t>(bytes.size() - 8);
    std::memcpy(bytes.data() + 4, &riffSize, 4);
    return bytes;
}

std::vector<uint8_t> Chunk(const char* id, std::vector<uint8_t> body) {
    std::vector<uint8_t> bytes;
    PutChunk(bytes, id, body, static_cast<uint32_t>(body.size()));
    if (body.size() & 1) bytes.push_back(0);
    return bytes;
}

int64_t Header(std::vector<uint8_t> bytes, WaveFormat* format = nullptr,
               WaveCounters* counters = nullptr) {
    MemoryTagFile file(std::move(bytes));
    WaveFormat f{};
    WaveCounters c{};
    return ReadWaveHeader(file, format ? format : &f, counters ? counters : &c);
}

TEST(WaveHeader, PcmFileGivesTheDataOffsetAndTheRecomputedByteRate) {
    WaveFormat format{};
    WaveCounters counters{};
    EXPECT_EQ(Header(MakeWave({}, std::vector<uint8_t>(400)), &format, &counters), 44);
    EXPECT_EQ(format.byteRate, 176400u);
    EXPECT_EQ(counters.sourceSampleBytes, 2);
    EXPECT_EQ(counters.outputSampleBytes, 2);
    EXPECT_EQ(counters.dataEnd, 400);
    EXPECT_EQ(counters.running, 0);
}

TEST(WaveHeader, ChunksBeforeTheDataAreSkippedIncludingTheirPadByte) {
    auto bytes =
        MakeWave({}, std::vector<uint8_t>(10),
                 {Chunk("LIST", std::vector<uint8_t>(7, 'x')), Chunk("fact", {1, 2, 3, 4})});
    // 12 + 24 (fmt) + 8 + 7 + 1 (pad) + 12 (fact) + 8 (data header)
    EXPECT_EQ(Header(bytes), 72);
}

TEST(WaveHeader, CompandedFormatsExpandTwofold) {
    WaveFields fields;
    fields.tag = kWaveMuLaw;
    fields.channels = 1;
    fields.rate = 8000;
    fields.bits = 8;
    fields.formatSize = 18;
    WaveFormat format{};
    WaveCounters counters{};
    EXPECT_EQ(Header(MakeWave(fields, std::vector<uint8_t>(100)), &format, &counters), 46);
    EXPECT_EQ(format.byteRate, 8000u);
    EXPECT_EQ(counters.sourceSampleBytes, 1);
    EXPECT_EQ(counters.outputSampleBytes, 2);
    EXPECT_EQ(counters.dataEnd, 200);
}

TEST(WaveHeader, EveryRefusalHasItsCode) {
    const std::vector<uint8_t> data(4);
    auto notRiff = MakeWave({}, data);
    notRiff[0] = 'X';
    EXPECT_EQ(Header(notRiff), kWaveNotRiff);
    auto notWave = MakeWave({}, data);
    notWave[8] = 'X';
    EXPECT_EQ(Header(notWave), kWaveNotWave);
    auto noFmt = MakeWave({}, data);
    noFmt[12] = 'X';
    EXPECT_EQ(Header(noFmt), kWaveNoFormatChunk);

    WaveFields fields;
    fields.tag = 2; // Microsoft ADPCM
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadFormatTag);
    fields = {};
    fields.rate = 1999;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadSampleRate);
    fields.rate = 88201;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadSampleRate);
    fields.rate = 88200;
    EXPECT_GT(Header(MakeWave(fields, data)), 0);
    fields = {};
    fields.channels = 0;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadChannels);
    fields.channels = 3;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadChannels);
    fields = {};
    fields.bits = 12;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadBitsPerSample);
    fields = {};
    fields.tag = kWaveFloat; // float only as 32 bits
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadBitsPerSample);
    fields = {};
    fields.tag = kWaveALaw;
    EXPECT_EQ(Header(MakeWave(fields, data)), kWaveBadBitsPerSample);

    auto noData = MakeWave({}, data);
    noData.resize(36);
    EXPECT_EQ(Header(noData), kWaveNoDataChunk);
}

TEST(WaveHeader, HostileSizesAreRefusedWithoutReadingOutOfBounds) {
    // Too short to be anything.
    EXPECT_EQ(Header({'R', 'I', 'F'}), kWaveNotRiff);
    EXPECT_EQ(Header({}), kWaveNotRiff);
    // A format chunk of size 0 or 2 holds no format.
    WaveFields fields;
    fields.formatSize = 0;
    EXPECT_EQ(Header(MakeWave(fields, std::vector<uint8_t>(4))), kWaveBadFormatTag);
    fields.formatSize = 2;
    EXPECT_EQ(Header(MakeWave(fields, std::vector<uint8_t>(4))), kWaveBadFormatTag);
    // A chunk claiming 4 GB before the data walks off the end.
    std::vector<uint8_t> huge = {'L', 'I', 'S', 'T', 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Header(MakeWave({}, std::vector<uint8_t>(4), {huge})), kWaveNoDataChunk);
    // A header cut inside the format chunk.
    auto cut = MakeWave({}, std::vector<uint8_t>(4));
    cut.resize(30);
    EXPECT_EQ(Header(cut), kWaveBadFormatTag);
}

TEST(WavePcm, PcmStopsAtTheEndOfTheDataChunkEvenWithAChunkBehindIt) {
    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    MemoryTagFile file(MakeWave({}, data, {}, {Chunk("LIST", std::vector<uint8_t>(64, 0xEE))}));
    WaveFormat format{};
    WaveCounters counters{};
    int64_t position = ReadWaveHeader(file, &format, &counters);
    ASSERT_EQ(position, 44);

    std::vector<uint8_t> out(600);
    EXPECT_EQ(ReadWavePcm(file, format, &counters, &position, out.data(), 600), 600);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));
    EXPECT_EQ(ReadWavePcm(file, format, &counters, &position, out.data(), 600), 400);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 400, data.begin() + 600));
    EXPECT_EQ(ReadWavePcm(file, format, &counters, &position, out.data(), 600), 0);
}

TEST(WavePcm, CompandedCodesExpandThroughTheG711Tables) {
    std::vector<uint8_t> codes;
    for (int code = 0; code < 256; ++code)
        codes.push_back(static_cast<uint8_t>(code));
    for (uint16_t tag : {kWaveALaw, kWaveMuLaw}) {
        WaveFields fields;
        fields.tag = tag;
        fields.channels = 1;
        fields.rate = 8000;
        fields.bits = 8;
        MemoryTagFile file(MakeWave(fields, codes));
        WaveFormat format{};
        WaveCounters counters{};
        int64_t position = ReadWaveHeader(file, &format, &counters);
        ASSERT_GT(position, 0);
        // An odd request makes whole samples only; reads continue where they stopped.
        std::vector<uint8_t> out;
        std::vector<uint8_t> block(101);
        int32_t made;
        while ((made = ReadWavePcm(file, format, &counters, &position, block.data(), 101)) > 0)
            out.insert(out.end(), block.begin(), block.begin() + made);
        ASSERT_EQ(out.size(), 512u);
        for (int code = 0; code < 256; ++code) {
            const int16_t expected = tag == kWaveALaw ? ExpandALaw(static_cast<uint8_t>(code))
                                                      : ExpandMuLaw(static_cast<uint8_t>(code));
            const int16_t got = static_cast<int16_t>(out[2 * code] | out[2 * code + 1] << 8);
            EXPECT_EQ(got, expected) << "code " << code;
        }
    }
}

TEST(WavePcm, ADataChunkLongerThanTheFileEndsAtTheFile) {
    auto bytes = MakeWave({}, std::vector<uint8_t>(100, 1));
    bytes[40] = 0xFF; // data size 0x...FF: far past the end
    bytes[41] = 0xFF;
    MemoryTagFile file(bytes);
    WaveFormat format{};
    WaveCounters counters{};
    int64_t position = ReadWaveHeader(file, &format, &counters);
    ASSERT_EQ(position, 44);
    std::vector<uint8_t> out(4096);
    EXPECT_EQ(ReadWavePcm(file, format, &counters, &position, out.data(), 4096), 100);
    EXPECT_EQ(ReadWavePcm(file, format, &counters, &position, out.data(), 4096), 0);
}

} // namespace
