#include "WaveSource.h"

#include <cstring>

#include "G711.h"

namespace {

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

constexpr int kFormatBytes = 18;
// The smallest format chunk that holds every field up to bits per sample.
constexpr uint32_t kMinFormatChunk = 16;

WaveFormat ParseFormat(const uint8_t* bytes) {
    WaveFormat format;
    format.formatTag = Le16(bytes);
    format.channels = Le16(bytes + 2);
    format.sampleRate = Le32(bytes + 4);
    format.byteRate = Le32(bytes + 8);
    format.blockAlign = Le16(bytes + 12);
    format.bitsPerSample = Le16(bytes + 14);
    format.extraSize = Le16(bytes + 16);
    return format;
}

int64_t CheckFormat(WaveFormat* format, int32_t* expansion) {
    const bool companded = format->formatTag == kWaveALaw || format->formatTag == kWaveMuLaw;
    if (format->formatTag != kWavePcm && !companded) return kWaveBadFormatTag;
    *expansion = companded ? 2 : 1;
    if (format->sampleRate < 2000 || format->sampleRate > 88200) return kWaveBadSampleRate;
    if (format->channels != 1 && format->channels != 2) return kWaveBadChannels;
    if (format->bitsPerSample != (companded ? 8 : 16)) return kWaveBadBitsPerSample;
    // The stored byte rate is not trusted.
    format->byteRate = format->channels * format->sampleRate * format->bitsPerSample / 8;
    return 0;
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
    if (file.ReadAt(20, formatBytes, kFormatBytes) < kMinFormatChunk) return kWaveBadFormatTag;
    *format = ParseFormat(formatBytes);
    int32_t expansion = 1;
    if (int64_t refusal = CheckFormat(format, &expansion)) return refusal;

    // Chunks are padded to an even size. Offsets are 64-bit, so a size near
    // 4 GB walks past the end of the file instead of wrapping.
    int64_t offset = 20 + static_cast<int64_t>(formatSize) + (formatSize & 1);
    for (;;) {
        uint8_t chunk[8];
        if (!ReadExactAt(file, offset, chunk, sizeof chunk)) return kWaveNoDataChunk;
        const uint32_t size = Le32(chunk + 4);
        offset += sizeof chunk;
        if (std::memcmp(chunk, "data", 4) == 0) {
            counters->dataBase = 0;
            counters->dataEnd = static_cast<int64_t>(size) * expansion;
            counters->expansion = expansion;
            counters->running = 0;
            return offset;
        }
        offset += static_cast<int64_t>(size) + (size & 1);
    }
}

int32_t ReadWavePcm(TagFile& file, const WaveFormat& format, WaveCounters* counters,
                    int64_t* filePosition, uint8_t* out, int32_t count) {
    if (count <= 0) return 0;
    int32_t made;
    if (counters->expansion == 1) {
        made = static_cast<int32_t>(file.ReadAt(*filePosition, out, static_cast<size_t>(count)));
        *filePosition += made;
    } else {
        // Read the codes into the second half of the output, then expand them
        // forwards: each output sample lands at or before the code it came from.
        const int32_t codes = count / 2;
        uint8_t* source = out + count - codes;
        const int32_t got =
            static_cast<int32_t>(file.ReadAt(*filePosition, source, static_cast<size_t>(codes)));
        *filePosition += got;
        int16_t (*expand)(uint8_t) = format.formatTag == kWaveALaw ? ExpandALaw : ExpandMuLaw;
        for (int32_t i = 0; i < got; ++i) {
            const uint16_t sample = static_cast<uint16_t>(expand(source[i]));
            out[2 * i] = static_cast<uint8_t>(sample & 0xFF);
            out[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
        }
        made = got * 2;
    }
    counters->running += made;
    if (counters->running > counters->dataEnd) {
        const int64_t excess = counters->running - counters->dataEnd;
        made = excess >= made ? 0 : made - static_cast<int32_t>(excess);
        counters->running = counters->dataEnd;
    }
    return made;
}
