#include "Id3v2Frames.h"
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

// The entry's text, cut to 127 bytes, into `dest` of kMaxTextRead bytes.
void riffReadEntryText(TagFile& file, const RiffChunk& entry, char* dest, size_t destSize) {
    char text[kMaxTextRead];
    size_t wanted = entry.dataPresent < static_cast<int64_t>(sizeof text)
                        ? static_cast<size_t>(entry.dataPresent)
                        : sizeof text;
    size_t got = file.ReadAt(entry.dataOffset, text, wanted);
    CopyTagText(dest, destSize, text, got);
}

// An MPEG file's genre is its ID3v1 tag's; a WAVE file has only "IGNR".
enum class InfoGenre { Ignored, Read };

// True when the list named a genre that was read.
bool riffReadInfoList(TagFile& file, const RiffChunk& list, TagRecord* tag, InfoGenre genre) {
    bool genreRead = false;
    ForEachInfoEntry(file, list, [&](const RiffChunk& entry) {
        size_t fieldSize = 0;
        char* field = riffRecordFieldFor(entry, tag, &fieldSize);
        if (field != nullptr) {
            riffReadEntryText(file, entry, field, fieldSize);
        } else if (genre == InfoGenre::Read && RiffChunkIs(entry, "IGNR")) {
            char name[kMaxTextRead];
            riffReadEntryText(file, entry, name, sizeof name);
            const int32_t number = GenreNumberOfTagText(name);
            if (number >= 0) {
                tag->genre = number;
                genreRead = true;
            }
        }
    });
    return genreRead;
}

} // namespace

bool ReadRiffContainerForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    RiffLayout layout;
    if (!LocateRiffChunks(file, &layout)) return false;
    span->dataOffset = layout.data.dataOffset;
    span->audioSize = layout.data.dataPresent;
    if (layout.hasInfoList) riffReadInfoList(file, layout.list, tag, InfoGenre::Ignored);
    return true;
}

bool ReadRiffInfoList(TagFile& file, TagRecord* tag) {
    RiffLayout layout;
    if (!LocateRiffChunks(file, &layout) || !layout.hasInfoList) return false;
    riffReadInfoList(file, layout.list, tag, InfoGenre::Ignored);
    return true;
}

void ReadWaveTags(TagFile& file, TagRecord* tag) {
    const int64_t fileSize = file.Size();
    char mark[4];
    if (!ReadExactAt(file, 0, mark, sizeof mark) || std::memcmp(mark, "RIFF", 4) != 0) return;
    bool infoRead = false;
    bool genreRead = false;
    bool id3Read = false;
    TagRecord id3Texts;
    RiffChunk chunk;
    for (int64_t at = kRiffHeaderSize;
         !(infoRead && id3Read) && ReadRiffChunkHeader(file, at, fileSize, &chunk);
         at = chunk.next) {
        if (!infoRead && IsRiffInfoList(file, chunk)) {
            genreRead = riffReadInfoList(file, chunk, tag, InfoGenre::Read);
            infoRead = true;
        } else if (!id3Read && (RiffChunkIs(chunk, "id3 ") || RiffChunkIs(chunk, "ID3 "))) {
            id3Read = ReadId3v2TextsAt(file, chunk.dataOffset, chunk.dataOffset + chunk.dataPresent,
                                       &id3Texts);
        }
    }
    if (id3Read) TakeId3v2Texts(id3Texts, genreRead, tag);
}
