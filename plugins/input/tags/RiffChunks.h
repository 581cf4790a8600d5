// Walking the chunks of a RIFF file. Sizes come from the file and are never
// trusted: every chunk is cut to the bytes present, offsets are 64-bit so a
// size can't wrap them, and each step moves forward by at least a header.
#pragma once

#include "TagFile.h"

#include <cstdint>
#include <cstring>

constexpr int64_t kRiffHeaderSize = 12;
constexpr int64_t kChunkHeaderSize = 8;

struct RiffChunk {
    char id[4];
    uint32_t size;        // as stored
    int64_t headerOffset; // where the identifier is
    int64_t dataOffset;   // the first data byte
    int64_t dataPresent;  // the stored size cut to the bytes available
    int64_t next;         // behind the data and its pad byte (may lie past the end)
};

inline bool RiffChunkIs(const RiffChunk& chunk, const char* id) {
    return std::memcmp(chunk.id, id, 4) == 0;
}

inline uint32_t ReadLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// Reads the chunk header at `offset`; false when a whole header does not fit
// before `limit` or can't be read.
bool ReadRiffChunkHeader(TagFile& file, int64_t offset, int64_t limit, RiffChunk* chunk);

// True for a LIST chunk whose data begins with "INFO".
bool IsRiffInfoList(TagFile& file, const RiffChunk& chunk);

// Where the tags of a RIFF file are: its "data" chunk and the first LIST chunk
// of type INFO behind it.
struct RiffLayout {
    int64_t fileSize = 0;
    RiffChunk data{};
    bool hasInfoList = false;
    RiffChunk list{};
};

// False when the file does not begin with "RIFF" or has no "data" chunk.
bool LocateRiffChunks(TagFile& file, RiffLayout* layout);

// Calls visit(const RiffChunk&) for each sub-chunk of an INFO list, in file
// order; sub-chunks are cut to the list.
template <typename Visit> void ForEachInfoEntry(TagFile& file, const RiffChunk& list, Visit visit) {
    const int64_t end = list.dataOffset + list.dataPresent;
    int64_t at = list.dataOffset + 4; // behind "INFO"
    RiffChunk entry;
    while (ReadRiffChunkHeader(file, at, end, &entry)) {
        visit(entry);
        at = entry.next;
    }
}
