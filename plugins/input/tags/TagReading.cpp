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
