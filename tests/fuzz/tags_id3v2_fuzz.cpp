// libFuzzer target: the ID3v2 header skip on any file.
#include "Id3v2.h"
#include "MemoryTagFile.h"
#include "TagsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    AudioSpan span{0, static_cast<int64_t>(size)};
    bool found = SkipId3v2TagForOpen(file, &span);
    FuzzCheckSpan(span, static_cast<int64_t>(size));
    int64_t length = -1;
    FuzzCheck(ReadId3v2Length(file, &length) == found);
    FuzzCheck(!found || (length >= 0 && length <= static_cast<int64_t>(size)));
    return 0;
}
