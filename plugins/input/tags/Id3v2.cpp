#include "Id3v2.h"

#include <cstring>

int64_t Id3v2TagLength(const uint8_t* header) {
    if (std::memcmp(header, "ID3", 3) != 0) return 0;
    int64_t size = 0;
    for (size_t i = 6; i < kId3v2HeaderSize; ++i)
        size = (size << 7) | (header[i] & 0x7F);
    return size + static_cast<int64_t>(kId3v2HeaderSize);
}

bool ReadId3v2Length(TagFile& file, int64_t* length) {
    uint8_t header[kId3v2HeaderSize];
    int64_t fileSize = file.Size();
    if (fileSize < 0 || !ReadExactAt(file, 0, header, sizeof header)) return false;
    int64_t tagLength = Id3v2TagLength(header);
    if (tagLength == 0) return false;
    // A size past the end (a cut-off download) leaves no audio to find.
    *length = tagLength < fileSize ? tagLength : fileSize;
    return true;
}

bool SkipId3v2TagForOpen(TagFile& file, AudioSpan* span) {
    int64_t length = 0;
    if (!ReadId3v2Length(file, &length)) return false;
    span->dataOffset = length;
    span->audioSize = span->audioSize > length ? span->audioSize - length : 0;
    return true;
}
