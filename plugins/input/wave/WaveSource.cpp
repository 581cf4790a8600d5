#include "WaveSource.h"

#include <algorithm>
#include <cstring>

#include "G711.h"
#include "WaveSamples.h"

namespace {

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Up to the end of WAVE_FORMAT_EXTENSIBLE's sub-format.
constexpr int kFormatBytes = 40;
// The smallest format chunk that holds every field up to bits per sample.
constexpr uint32_t kMinFormatChunk = 16;
constexpr uint32_t kExtensibleFormatChunk = 40;
// The sub-format GUID behind its leading format code.
constexpr uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                        0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

WaveFormat ParseFormat(const uint8_t* bytes) {
    WaveFormat format;
    format.formatTag = Le16(bytes);
    format.channels = Le16(bytes + 2);
    format.sampleRate = Le32(bytes + 4);
    format.byteRate = Le32(bytes + 8);
    format.blockAlign = Le16(bytes + 12);
    format.bitsPerSample = Le16(bytes + 14);
    format.extraSize = Le16(bytes + 16);
    format.coding = WaveCoding::Pcm16;
    return format;
}

// The format code that says how samples are stored: the tag, or for
// WAVE_FORMAT_EXTENSIBLE the code of its sub-format; 0 when there is none.
uint16_t SampleFormatCode(const WaveFormat& format, const uint8_t* bytes, uint32_t formatSize) {
    if (format.formatTag != kWaveExtensible) return format.formatTag;
    if (formatSize < kExtensibleFormatChunk || Le16(bytes + 26) != 0 ||
        std::memcmp(bytes + 28, kSubFormatTail, sizeof kSubFormatTail) != 0)
        return 0;
    return Le16(bytes + 24);
}

bool CodingOf(uint16_t code, uint16_t bits, WaveCoding* coding) {
    struct Known {
        uint16_t code;
        uint16_t bits;
        WaveCoding coding;
    };
    static const Known known[] = {
        {kWavePcm, 8, WaveCoding::Pcm8},       {kWavePcm, 16, WaveCoding::Pcm16},
        {kWavePcm, 24, WaveCoding::Pcm24},     {kWavePcm, 32, WaveCoding::Pcm32},
        {kWaveFloat, 32, WaveCoding::Float32}, {kWaveALaw, 8, WaveCoding::ALaw},
        {kWaveMuLaw, 8, WaveCoding::MuLaw},
    };
    for (const Known& entry : known) {
        if (entry.code == code && entry.bits == bits) {
            *coding = entry.coding;
            return true;
        }
    }
    return false;
}

int64_t CheckFormat(WaveFormat* format, uint16_t code) {
    if (code != kWavePcm && code != kWaveFloat && code != kWaveALaw && code != kWaveMuLaw)
        return kWaveBadFormatTag;
    if (format->sampleRate < 2000 || format->sampleRate > 88200) return kWaveBadSampleRate;
    if (format->channels != 1 && format->channels != 2) return kWaveBadChannels;
    if (!CodingOf(code, format->bitsPerSample, &format->coding)) return kWaveBadBitsPerSample;
    // The stored byte rate is not trusted.
    format->byteRate = format->channels * format->sampleRate * format->bitsPerSample / 8;
    return 0;
}

// Reads whole wide samples and narrows them to 16 bits, in steps through a
// buffer of its own, since the file's bytes outnumber the output's.
int32_t ReadNarrowed(TagFile& file, WaveCoding coding, int64_t* filePosition, uint8_t* out,
                     int32_t count) {
    constexpr int32_t kStepSamples = 1024;
    uint8_t step[kStepSamples * 4];
    const int32_t width = WaveSourceSampleBytes(coding);
    int32_t wanted = count / 2;
    int32_t made = 0;
    while (wanted > 0) {
        const int32_t samples = std::min(wanted, kStepSamples);
        const size_t got = file.ReadAt(*filePosition, step, static_cast<size_t>(samples * width));
        const int32_t whole = static_cast<int32_t>(got) / width;
        *filePosition += static_cast<int64_t>(whole) * width;
        for (int32_t i = 0; i < whole; ++i) {
            const uint16_t sample =
                static_cast<uint16_t>(NarrowWaveSample(coding, step + i * width));
            out[made++] = static_cast<uint8_t>(sample & 0xFF);
            out[made++] = static_cast<uint8_t>(sample >> 8);
        }
        if (whole < samples) break;
        wanted -= samples;
    }
    return made;
}

// Reads the codes into the second half of the output, then expands them
// forwards: each output sample lands at or before the code it came from.
int32_t ReadExpanded(TagFile& file, WaveCoding coding, int64_t* filePosition, uint8_t* out,
                     int32_t count) {
    const int32_t codes = count / 2;
    uint8_t* source = out + count - codes;
    const int32_t got =
        static_cast<int32_t>(file.ReadAt(*filePosition, source, static_cast<size_t>(codes)));
    *filePosition += got;
    int16_t (*expand)(uint8_t) = coding == WaveCoding::ALaw ? ExpandALaw : ExpandMuLaw;
    for (int32_t i = 0; i < got; ++i) {
        const uint16_t sample = static_cast<uint16_t>(expand(source[i]));
        out[2 * i] = static_cast<uint8_t>(sample & 0xFF);
        out[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
    }
    return got * 2;
}

} // namespace

int64_t ReadWaveHeader(TagFile& file, WaveFormat* format, WaveCounters* counters) {
    uint8_t head[20];
    const size_t got = file.ReadAt(0, head, sizeof head);
    if (got < 4 || std::memcmp(head, "RIFF", 4) != 0) return kWaveNotRiff;
    if (got < 12 || std::memcmp(head + 8, "WAVE", 4) != 0) return kWaveNotWave;
    if (got < 20 || std::memcmp(head + 12, "fmt ", 4) != 0) return kWaveNoFormatChunk;
    const uint32_t formatSize = Le32(head + 16);
    if (formatSize < kMinFormatChunk) return kWaveBadFormatTag;

    uint8_t formatBytes[kFormatBytes] = {};
    const size_t formatWanted = std::min<size_t>(formatSize, kFormatBytes);
    if (file.ReadAt(20, formatBytes, formatWanted) < formatWanted) return kWaveBadFormatTag;
    *format = ParseFormat(formatBytes);
    const uint16_t code = SampleFormatCode(*format, formatBytes, formatSize);
    if (int64_t refusal = CheckFormat(format, code)) return refusal;

    // Chunks are padded to an even size. Offsets are 64-bit, so a size near
    // 4 GB walks past the end of the file instead of wrapping.
    int64_t offset = 20 + static_cast<int64_t>(formatSize) + (formatSize & 1);
    for (;;) {
        uint8_t chunk[8];
        if (!ReadExactAt(file, offset, chunk, sizeof chunk)) return kWaveNoDataChunk;
        const uint32_t size = Le32(chunk + 4);
        offset += sizeof chunk;
        if (std::memcmp(chunk, "data", 4) == 0) {
            const int32_t source = WaveSourceSampleBytes(format->coding);
            const int32_t output = WaveOutputSampleBytes(format->coding);
            counters->dataBase = 0;
            // Stored as wide as played: the size as it is, odd or not.
            counters->dataEnd = source == output ? static_cast<int64_t>(size)
                                                 : static_cast<int64_t>(size) / source * output;
            counters->sourceSampleBytes = source;
            counters->outputSampleBytes = output;
            counters->running = 0;
            return offset;
        }
        offset += static_cast<int64_t>(size) + (size & 1);
    }
}

int32_t WavePlayLength(const WaveFormat& format, const WaveCounters& counters, int64_t fileSize,
                       int64_t dataOffset) {
    const int64_t rate = WaveOutputByteRate(format, counters);
    if (rate <= 0) return 0;
    const int64_t present = std::max<int64_t>(fileSize - dataOffset, 0) /
                            counters.sourceSampleBytes * counters.outputSampleBytes;
    return static_cast<int32_t>(std::min(counters.dataEnd, present) / rate);
}

int32_t ReadWavePcm(TagFile& file, const WaveFormat& format, WaveCounters* counters,
                    int64_t* filePosition, uint8_t* out, int32_t count) {
    if (count <= 0) return 0;
    int32_t made;
    if (counters->sourceSampleBytes == counters->outputSampleBytes) {
        made = static_cast<int32_t>(file.ReadAt(*filePosition, out, static_cast<size_t>(count)));
        *filePosition += made;
    } else if (counters->sourceSampleBytes < counters->outputSampleBytes) {
        made = ReadExpanded(file, format.coding, filePosition, out, count);
    } else {
        made = ReadNarrowed(file, format.coding, filePosition, out, count);
    }
    counters->running += made;
    if (counters->running > counters->dataEnd) {
        const int64_t excess = counters->running - counters->dataEnd;
        made = excess >= made ? 0 : made - static_cast<int32_t>(excess);
        counters->running = counters->dataEnd;
    }
    return made;
}
