#include "RiffChunks.h"
#include "RiffInfo.h"
#include "TagText.h"

namespace {

// A record field wider than any text it keeps: 127 characters and the NUL.
constexpr size_t kMaxTextRead = 128;

char* riffRecordFieldFor(const RiffChunk& entry, TagRecord* tag, size_t* size) {
    struct Target {
        const char* id;
        char* field;
        size_t size;
    };
    const Target targets[] = {
        {"INAM", tag->title, sizeof tag->title}, {"IART", tag->artist, sizeof tag->artist},
        {"IPRD", tag->album, sizeof tag->album}, {"ICMT", tag->comment, sizeof tag->comment},
        {"ICRD", tag->year, sizeof tag->year},
    };
    for (const Target& target : targets) {
        if (RiffChunkIs(entry, target.id)) {
            *size = target.size;
            return target.field;
        }
    }
    return nullptr;
}

void riffReadInfoList(TagFile& file, const RiffChunk& list, TagRecord* tag) {
    ForEachInfoEntry(file, list, [&](const RiffChunk& entry) {
        size_t fieldSize = 0;
        char* field = riffRecordFieldFor(entry, tag, &fieldSize);
        if (field == nullptr) return;
        char text[kMaxTextRead];
        size_t wanted = entry.dataPresent < static_cast<int64_t>(sizeof text)
                            ? static_cast<size_t>(entry.dataPresent)
                            : sizeof text;
        size_t got = file.ReadAt(entry.dataOffset, text, wanted);
        CopyTagText(field, fieldSize, text, got);
    });
}

} // namespace

bool ReadRiffContainerForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    RiffLayout layout;
    if (!LocateRiffChunks(file, &layout)) return false;
    span->dataOffset = layout.data.dataOffset;
    span->audioSize = layout.data.dataPresent;
    if (layout.hasInfoList) riffReadInfoList(file, layout.list, tag);
    return true;
}

bool ReadRiffInfoList(TagFile& file, TagRecord* tag) {
    RiffLayout layout;
    if (!LocateRiffChunks(file, &layout) || !layout.hasInfoList) return false;
    riffReadInfoList(file, layout.list, tag);
    return true;
}
