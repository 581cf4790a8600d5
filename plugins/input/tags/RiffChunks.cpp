#include "RiffChunks.h"

bool ReadRiffChunkHeader(TagFile& file, int64_t offset, int64_t limit, RiffChunk* chunk) {
    uint8_t header[kChunkHeaderSize];
    if (offset < 0 || offset > limit - kChunkHeaderSize ||
        !ReadExactAt(file, offset, header, sizeof header))
        return false;
    std::memcpy(chunk->id, header, 4);
    chunk->size = ReadLe32(header + 4);
    chunk->headerOffset = offset;
    chunk->dataOffset = offset + kChunkHeaderSize;
    int64_t available = limit - chunk->dataOffset;
    chunk->dataPresent = chunk->size < available ? chunk->size : available;
    chunk->next = chunk->dataOffset + chunk->size + (chunk->size & 1);
    return true;
}

bool IsRiffInfoList(TagFile& file, const RiffChunk& chunk) {
    char type[4];
    return RiffChunkIs(chunk, "LIST") && chunk.dataPresent >= 4 &&
           ReadExactAt(file, chunk.dataOffset, type, sizeof type) &&
           std::memcmp(type, "INFO", 4) == 0;
}

bool LocateRiffChunks(TagFile& file, RiffLayout* layout) {
    layout->fileSize = file.Size();
    char mark[4];
    if (layout->fileSize < kRiffHeaderSize || !ReadExactAt(file, 0, mark, sizeof mark) ||
        std::memcmp(mark, "RIFF", 4) != 0)
        return false;

    // The file's own length bounds the walk: the size in the RIFF header is
    // often stale.
    int64_t at = kRiffHeaderSize;
    RiffChunk chunk;
    bool hasData = false;
    while (!hasData && ReadRiffChunkHeader(file, at, layout->fileSize, &chunk)) {
        hasData = RiffChunkIs(chunk, "data");
        at = chunk.next;
    }
    if (!hasData) return false;
    layout->data = chunk;
    layout->hasInfoList = false;
    while (ReadRiffChunkHeader(file, at, layout->fileSize, &chunk)) {
        if (IsRiffInfoList(file, chunk)) {
            layout->hasInfoList = true;
            layout->list = chunk;
            break;
        }
        at = chunk.next;
    }
    return true;
}
