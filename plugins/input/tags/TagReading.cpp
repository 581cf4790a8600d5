#include "TagReading.h"

#include "Id3v1.h"
#include "Id3v2.h"
#include "Id3v2Frames.h"
#include "Lyrics3.h"
#include "RiffInfo.h"

namespace {

constexpr int32_t kNoGenre = 255;

// The record starts empty: the texts fill what an ID3v1 tag left blank, and
// the genre is taken unless the ID3v1 tag named one.
void readId3v2Texts(TagFile& file, bool hadId3v1, TagRecord* tag) {
    TagRecord texts;
    if (ReadId3v2Texts(file, &texts))
        TakeId3v2Texts(texts, hadId3v1 && tag->genre != kNoGenre, tag);
}

} // namespace

void ReadTagsForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    const bool hadId3v1 = ReadId3v1TagForOpen(file, tag, span);
    if (SkipId3v2TagForOpen(file, span)) {
        readId3v2Texts(file, hadId3v1, tag);
        return;
    }
    if (ReadRiffContainerForOpen(file, tag, span)) return;
    ReadLyrics3BlockForOpen(file, tag, span);
}
