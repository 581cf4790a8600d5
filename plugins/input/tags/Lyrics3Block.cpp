#include "Lyrics3Block.h"

#include "Id3v1.h"

bool ParseLyrics3Digits(const uint8_t* digits, size_t count, int64_t* value) {
    int64_t result = 0;
    for (size_t i = 0; i < count; ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
        result = result * 10 + (digits[i] - '0');
    }
    *value = result;
    return true;
}

bool LocateLyrics3Block(TagFile& file, Lyrics3Follower follower, Lyrics3Block* block) {
    const int64_t size = file.Size();
    const int64_t tagAt =
        follower == Lyrics3Follower::Id3v1Tag ? size - static_cast<int64_t>(kId3v1Size) : size;
    const int64_t trailerAt = tagAt - static_cast<int64_t>(kLyrics3TrailerSize);
    uint8_t trailer[kLyrics3TrailerSize];
    uint8_t tagMark[3];
    int64_t blockSize = 0;
    if (trailerAt < static_cast<int64_t>(kLyrics3BeginSize) ||
        !ReadExactAt(file, trailerAt, trailer, sizeof trailer) ||
        std::memcmp(trailer + 6, "LYRICS200", 9) != 0 ||
        !ParseLyrics3Digits(trailer, 6, &blockSize) ||
        blockSize < static_cast<int64_t>(kLyrics3BeginSize) || blockSize > trailerAt ||
        (follower == Lyrics3Follower::Id3v1Tag &&
         (!ReadExactAt(file, tagAt, tagMark, sizeof tagMark) || !Id3v1HasMark(tagMark))))
        return false;

    const int64_t start = trailerAt - blockSize;
    char begin[kLyrics3BeginSize];
    if (!ReadExactAt(file, start, begin, sizeof begin) ||
        std::memcmp(begin, "LYRICSBEGIN", kLyrics3BeginSize) != 0)
        return false;
    block->start = start;
    block->fieldsOffset = start + static_cast<int64_t>(kLyrics3BeginSize);
    block->fieldsSize = blockSize - static_cast<int64_t>(kLyrics3BeginSize);
    block->end = tagAt;
    return true;
}

bool ReadLyrics3FieldHeader(TagFile& file, int64_t offset, int64_t end, Lyrics3Field* field) {
    uint8_t header[kLyrics3FieldHeaderSize];
    int64_t length = 0;
    if (end - offset < static_cast<int64_t>(kLyrics3FieldHeaderSize) ||
        !ReadExactAt(file, offset, header, sizeof header) ||
        !ParseLyrics3Digits(header + 3, 5, &length))
        return false;
    std::memcpy(field->id, header, 3);
    field->dataOffset = offset + static_cast<int64_t>(kLyrics3FieldHeaderSize);
    field->length = static_cast<size_t>(length);
    return length <= end - field->dataOffset;
}
