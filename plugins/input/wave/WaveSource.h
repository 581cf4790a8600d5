// RIFF WAVE files as the input plug-in plays them: 16-bit PCM, A-law and
// µ-law (expanded to 16 bits), one or two channels, 2000-88200 Hz.
#pragma once

#include <cstdint>

#include "TagFile.h"

// Format tags.
constexpr uint16_t kWavePcm = 1;
constexpr uint16_t kWaveALaw = 6;
constexpr uint16_t kWaveMuLaw = 7;

// Why a file is not a playable WAVE file.
enum WaveRefusal : int64_t {
    kWaveBadFormatTag = -1, // also a format chunk too short to hold a format
    kWaveNotRiff = -2,
    kWaveNotWave = -3,
    kWaveNoFormatChunk = -4,
    kWaveBadSampleRate = -5,
    kWaveBadChannels = -6,
    kWaveBadBitsPerSample = -7,
    kWaveNoDataChunk = -8,
};

// The "fmt " chunk as read, with the byte rate recomputed.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t sampleRate;
    uint32_t byteRate; // bytes of the file per second
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
};

// Where the data chunk's PCM stands, counted in output (expanded) bytes.
struct WaveCounters {
    int64_t dataBase;
    int64_t dataEnd;   // data chunk size × expansion
    int32_t expansion; // 1 for PCM, 2 for A-law and µ-law
    int64_t running;   // PCM bytes handed out so far
};

// Reads the header; returns the file offset of the first data byte, or a
// WaveRefusal.
int64_t ReadWaveHeader(TagFile& file, WaveFormat* format, WaveCounters* counters);

// Output bytes per second (the expanded rate for A-law and µ-law).
inline int64_t WaveOutputByteRate(const WaveFormat& format, const WaveCounters& counters) {
    return static_cast<int64_t>(format.byteRate) * counters.expansion;
}

// Reads up to `count` output bytes of PCM from `*filePosition` (which
// advances), expanding A-law and µ-law; nothing behind the data chunk is
// returned. Returns the bytes made: fewer than asked at the end of the data
// or of the file, 0 on a read failure.
int32_t ReadWavePcm(TagFile& file, const WaveFormat& format, WaveCounters* counters,
                    int64_t* filePosition, uint8_t* out, int32_t count);
