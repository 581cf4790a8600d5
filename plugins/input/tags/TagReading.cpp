#include "TagReading.h"

#include "Id3v1.h"
#include "Id3v2.h"
#include "Lyrics3.h"
#include "RiffInfo.h"

void ReadTagsForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    ReadId3v1TagForOpen(file, tag, span);
    if (SkipId3v2TagForOpen(file, span) || ReadRiffContainerForOpen(file, tag, span)) return;
    ReadLyrics3BlockForOpen(file, tag, span);
}

void ReadTagsForFileInfo(TagFile& file, TagRecord* tag, int64_t* frameSearchStart) {
    *frameSearchStart = 0;
    ReadId3v1Tag(file, tag);
    if (ReadId3v2Length(file, frameSearchStart) || ReadRiffInfoList(file, tag)) return;
    ReadLyrics3Block(file, tag);
}
