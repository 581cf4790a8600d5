#include "Lyrics3.h"
#include "Lyrics3Block.h"
#include "TagText.h"

namespace {

// A record field wider than any text it keeps: 127 characters and the NUL.
constexpr size_t kMaxTextRead = 128;

char* lyricsRecordFieldFor(const Lyrics3Field& field, TagRecord* tag) {
    if (Lyrics3FieldIs(field, "INF")) return tag->comment;
    if (Lyrics3FieldIs(field, "EAL")) return tag->album;
    if (Lyrics3FieldIs(field, "EAR")) return tag->artist;
    if (Lyrics3FieldIs(field, "ETT")) return tag->title;
    return nullptr;
}

bool lyricsReadFields(TagFile& file, const Lyrics3Block& block, TagRecord* tag) {
    return ForEachLyrics3Field(file, block, [&](const Lyrics3Field& field) {
        char* dest = lyricsRecordFieldFor(field, tag);
        if (dest == nullptr) return true;
        char text[kMaxTextRead];
        size_t wanted = field.length < sizeof text ? field.length : sizeof text;
        if (!ReadExactAt(file, field.dataOffset, text, wanted)) return false;
        CopyTagText(dest, kMaxTextRead, text, wanted);
        return true;
    });
}

} // namespace

bool ReadLyrics3Block(TagFile& file, TagRecord* tag) {
    Lyrics3Block block;
    return LocateLyrics3Block(file, Lyrics3Follower::Id3v1Tag, &block) &&
           lyricsReadFields(file, block, tag);
}

bool ReadLyrics3BlockForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    Lyrics3Block block;
    if (!LocateLyrics3Block(file, Lyrics3Follower::Id3v1Tag, &block) ||
        !lyricsReadFields(file, block, tag))
        return false;
    const int64_t audioEnd = block.start - span->dataOffset;
    if (span->audioSize > audioEnd) span->audioSize = audioEnd > 0 ? audioEnd : 0;
    return true;
}
