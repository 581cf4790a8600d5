#pragma once

#include <cstddef>
#include <cstdint>

// Tag text as the three tag writers take it: the first 524 bytes of
// InputFileInfo. Strings are NUL-terminated byte text in the ANSI code page.
struct TagRecord {
    char title[128];
    char artist[128];
    char album[128];
    char year[5]; // four characters and NUL
    char comment[128];
    uint8_t textFrom; // where the texts came from: 1 an ID3v2 tag, else 0
    char unused[2];
    int32_t genre; // the ID3v1 genre byte, 0-255
};

// File information filled by the input plug-in's Open and GetFileInfo.
struct InputFileInfo {
    TagRecord tag;
    int32_t channels;
    int32_t bitRate;     // kbit/s
    int32_t sampleRate;  // output sampling rate, Hz
    int32_t playLength;  // seconds
    int32_t mpegVersion; // 1 = MPEG-1, 0 = MPEG-2
    int32_t layer;       // as coded in the header: 3 = Layer I, 2 = Layer II, 1 = Layer III
    int32_t mode;        // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int32_t modeExtension;
    int32_t copyright;
    int32_t original;
    int32_t emphasis;
};

static_assert(sizeof(TagRecord) == 524, "tag record size");
static_assert(offsetof(TagRecord, title) == 0, "tag record layout");
static_assert(offsetof(TagRecord, artist) == 128, "tag record layout");
static_assert(offsetof(TagRecord, album) == 256, "tag record layout");
static_assert(offsetof(TagRecord, year) == 384, "tag record layout");
static_assert(offsetof(TagRecord, comment) == 389, "tag record layout");
static_assert(offsetof(TagRecord, textFrom) == 517, "tag record layout");
static_assert(offsetof(TagRecord, genre) == 520, "tag record layout");

static_assert(sizeof(InputFileInfo) == 568, "file information size");
static_assert(offsetof(InputFileInfo, tag) == 0, "file information layout");
static_assert(offsetof(InputFileInfo, channels) == 524, "file information layout");
static_assert(offsetof(InputFileInfo, bitRate) == 528, "file information layout");
static_assert(offsetof(InputFileInfo, sampleRate) == 532, "file information layout");
static_assert(offsetof(InputFileInfo, playLength) == 536, "file information layout");
static_assert(offsetof(InputFileInfo, mpegVersion) == 540, "file information layout");
static_assert(offsetof(InputFileInfo, layer) == 544, "file information layout");
static_assert(offsetof(InputFileInfo, mode) == 548, "file information layout");
static_assert(offsetof(InputFileInfo, modeExtension) == 552, "file information layout");
static_assert(offsetof(InputFileInfo, copyright) == 556, "file information layout");
static_assert(offsetof(InputFileInfo, original) == 560, "file information layout");
static_assert(offsetof(InputFileInfo, emphasis) == 564, "file information layout");
