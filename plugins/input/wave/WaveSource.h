// RIFF WAVE files as the input plug-in plays them: integer PCM of 8, 16, 24
// or 32 bits, 32-bit float, A-law and µ-law, plain or as
// WAVE_FORMAT_EXTENSIBLE, one or two channels, 2000-88200 Hz. 8-bit PCM goes
// out as 8-bit; every other coding becomes 16-bit.
#pragma once

#include <cstdint>

#include "TagFile.h"

// Format tags.
constexpr uint16_t kWavePcm = 1;
constexpr uint16_t kWaveFloat = 3;
constexpr uint16_t kWaveALaw = 6;
constexpr uint16_t kWaveMuLaw = 7;
constexpr uint16_t kWaveExtensible = 0xFFFE;

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

// How one sample is stored in the file.
enum class WaveCoding : uint8_t { Pcm8, Pcm16, Pcm24, Pcm32, Float32, ALaw, MuLaw };

// The "fmt " chunk as read, with the byte rate recomputed.
struct WaveFormat {
    uint16_t formatTag; // as stored; 0xFFFE for WAVE_FORMAT_EXTENSIBLE
    uint16_t channels;
    uint32_t sampleRate;
    uint32_t byteRate; // bytes of the file per second
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
    WaveCoding coding; // from the tag, or the sub-format, and the bits
};

// Where the data chunk's PCM stands, counted in output bytes. A sample of
// `sourceSampleBytes` in the file becomes one of `outputSampleBytes`.
struct WaveCounters {
    int64_t dataBase;
    int64_t dataEnd; // the data chunk's size in output bytes
    int32_t sourceSampleBytes;
    int32_t outputSampleBytes;
    int64_t running; // PCM bytes handed out so far
};

// Reads the header; returns the file offset of the first data byte, or a
// WaveRefusal.
int64_t ReadWaveHeader(TagFile& file, WaveFormat* format, WaveCounters* counters);

// Output bytes per second.
inline int64_t WaveOutputByteRate(const WaveFormat& format, const WaveCounters& counters) {
    return static_cast<int64_t>(format.byteRate) * counters.outputSampleBytes /
           counters.sourceSampleBytes;
}

// Bits per output sample: 8 for 8-bit PCM, else 16.
inline int32_t WaveOutputBits(const WaveCounters& counters) {
    return counters.outputSampleBytes * 8;
}

// Whole seconds of the data chunk, as far as the file holds it; `fileSize`
// and `dataOffset` as ReadWaveHeader's file and result.
int32_t WavePlayLength(const WaveFormat& format, const WaveCounters& counters, int64_t fileSize,
                       int64_t dataOffset);

// Reads up to `count` output bytes of PCM from `*filePosition` (which
// advances), converting as the coding asks; nothing behind the data chunk is
// returned. Returns the bytes made: fewer than asked at the end of the data
// or of the file, 0 on a read failure.
int32_t ReadWavePcm(TagFile& file, const WaveFormat& format, WaveCounters* counters,
                    int64_t* filePosition, uint8_t* out, int32_t count);
