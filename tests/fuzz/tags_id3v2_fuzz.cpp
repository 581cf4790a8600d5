// libFuzzer target: the ID3v2 header skip and the ID3v2 text reader on any
// file, stacked tags and iTunes' plain frame sizes included, and a WAVE
// file's tags with an ID3v2 tag in a chunk; the readers must leave texts
// inside their fields and never write.
#include "Id3v2.h"
#include "Id3v2Frames.h"
#include "MemoryTagFile.h"
#include "RiffInfo.h"
#include "TagsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    AudioSpan span{0, static_cast<int64_t>(size)};
    bool found = SkipId3v2TagForOpen(file, &span);
    FuzzCheckSpan(span, static_cast<int64_t>(size));
    int64_t length = -1;
    FuzzCheck(ReadId3v2Length(file, &length) == found);
    FuzzCheck(!found || (length >= 0 && length <= static_cast<int64_t>(size)));

    TagRecord texts;
    if (ReadId3v2Texts(file, &texts)) {
        FuzzCheck(found);
        FuzzCheckRecord(texts, -1);
        TagRecord tag = FuzzEmptyRecord();
        TakeId3v2Texts(texts, size & 1, &tag);
        FuzzCheckRecord(tag, 0);
    }
    TagRecord wave = FuzzEmptyRecord();
    ReadWaveTags(file, &wave);
    FuzzCheckRecord(wave, 0);
    FuzzCheck(wave.textFrom <= kTextFromId3v2);
    FuzzCheck(file.writeCalls == 0 && file.bytes.size() == size);
    return 0;
}
