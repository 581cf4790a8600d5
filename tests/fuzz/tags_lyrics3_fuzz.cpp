// libFuzzer target: the Lyrics3 reader on any file.
#include "Lyrics3.h"
#include "MemoryTagFile.h"
#include "TagsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    TagRecord tag = FuzzEmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(size) - 128};
    if (span.audioSize < 0) span.audioSize = 0;
    bool complete = ReadLyrics3BlockForOpen(file, &tag, &span);
    FuzzCheckRecord(tag);
    FuzzCheckSpan(span, static_cast<int64_t>(size));
    // A whole block ends the audio in front of at least the block and its tag.
    FuzzCheck(!complete || span.audioSize <= static_cast<int64_t>(size) - 128 - 26);
    return 0;
}
