// libFuzzer target: the RIFF container and INFO list readers on any file.
#include "MemoryTagFile.h"
#include "RiffInfo.h"
#include "TagsFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    TagRecord tag = FuzzEmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(size)};
    bool container = ReadRiffContainerForOpen(file, &tag, &span);
    FuzzCheckRecord(tag);
    FuzzCheckSpan(span, static_cast<int64_t>(size));

    TagRecord listOnly = FuzzEmptyRecord();
    bool list = ReadRiffInfoList(file, &listOnly);
    FuzzCheckRecord(listOnly);
    FuzzCheck(!list || container);
    FuzzCheck(std::memcmp(&tag, &listOnly, sizeof tag) == 0);
    return 0;
}
