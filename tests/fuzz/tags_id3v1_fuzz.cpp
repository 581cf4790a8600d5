// libFuzzer target: the ID3v1 reader on any file.
#include "Id3v1.h"
#include "MemoryTagFile.h"
#include "TagsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    TagRecord tag = FuzzEmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(size)};
    bool found = ReadId3v1TagForOpen(file, &tag, &span);
    FuzzCheckRecord(tag);
    FuzzCheckSpan(span, static_cast<int64_t>(size));
    FuzzCheck(found == (size >= kId3v1Size && Id3v1HasMark(data + size - kId3v1Size)));
    FuzzCheck(span.audioSize == static_cast<int64_t>(size) - (found ? 128 : 0));
    return 0;
}
