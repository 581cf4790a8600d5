#include "TagReading.h"

#include "Id3v1.h"
#include "Id3v2.h"
#include "Id3v2Frames.h"
#include "Lyrics3.h"
#include "RiffInfo.h"

namespace {

void readId3v2Texts(TagFile& file, bool hadId3v1, TagRecord* tag) {
    TagRecord texts;
    if (ReadId3v2Texts(file, &texts)) TakeId3v2Texts(texts, hadId3v1, tag);
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

void ReadTagsForFileInfo(TagFile& file, TagRecord* tag, int64_t* frameSearchStart) {
    *frameSearchStart = 0;
    const bool hadId3v1 = ReadId3v1Tag(file, tag);
    if (ReadId3v2Length(file, frameSearchStart)) {
        readId3v2Texts(file, hadId3v1, tag);
        return;
    }
    if (ReadRiffInfoList(file, tag)) return;
    ReadLyrics3Block(file, tag);
}
