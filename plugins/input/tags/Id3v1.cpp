#include "Id3v1.h"

#include "FileTail.h"
#include "TagText.h"

#include <cstring>

namespace {

constexpr size_t kTitleAt = 3;
constexpr size_t kArtistAt = 33;
constexpr size_t kAlbumAt = 63;
constexpr size_t kYearAt = 93;
constexpr size_t kCommentAt = 97;
constexpr size_t kGenreAt = 127;
constexpr size_t kTextWidth = 30;
constexpr size_t kYearWidth = 4;

// A field is read as stored up to its first NUL; trailing spaces go, but the
// first character stays.
void id3v1ReadField(const uint8_t* field, size_t width, char* dest, size_t destSize) {
    const char* text = reinterpret_cast<const char*>(field);
    size_t length = RecordTextLength(text, width);
    while (length > 1 && text[length - 1] == ' ')
        --length;
    CopyTagText(dest, destSize, text, length);
}

} // namespace

bool Id3v1HasMark(const uint8_t* block) {
    return std::memcmp(block, "TAG", 3) == 0;
}

bool DecodeId3v1Block(const uint8_t* block, TagRecord* tag) {
    if (!Id3v1HasMark(block)) return false;
    id3v1ReadField(block + kTitleAt, kTextWidth, tag->title, sizeof tag->title);
    id3v1ReadField(block + kArtistAt, kTextWidth, tag->artist, sizeof tag->artist);
    id3v1ReadField(block + kAlbumAt, kTextWidth, tag->album, sizeof tag->album);
    id3v1ReadField(block + kYearAt, kYearWidth, tag->year, sizeof tag->year);
    id3v1ReadField(block + kCommentAt, kTextWidth, tag->comment, sizeof tag->comment);
    tag->genre = block[kGenreAt];
    return true;
}

void SpaceFillCopy(uint8_t* field, size_t width, const char* text, size_t textFieldSize) {
    size_t length = RecordTextLength(text, textFieldSize);
    size_t copied = ShiftJisPrefixLength(text, length, width);
    if (copied == 0) copied = 1; // the first byte always, even the NUL of an empty text
    std::memcpy(field, text, copied);
    std::memset(field + copied, ' ', width - copied);
}

void EncodeId3v1Block(const TagRecord& tag, uint8_t* block) {
    SpaceFillCopy(block + kTitleAt, kTextWidth, tag.title, sizeof tag.title);
    SpaceFillCopy(block + kArtistAt, kTextWidth, tag.artist, sizeof tag.artist);
    SpaceFillCopy(block + kAlbumAt, kTextWidth, tag.album, sizeof tag.album);
    SpaceFillCopy(block + kYearAt, kYearWidth, tag.year, sizeof tag.year);
    SpaceFillCopy(block + kCommentAt, kTextWidth, tag.comment, sizeof tag.comment);
    block[kGenreAt] = static_cast<uint8_t>(tag.genre & 0xFF);
}

bool ReadId3v1Tag(TagFile& file, TagRecord* tag) {
    int64_t size = file.Size();
    uint8_t block[kId3v1Size];
    if (size < static_cast<int64_t>(kId3v1Size) ||
        !ReadExactAt(file, size - static_cast<int64_t>(kId3v1Size), block, sizeof block))
        return false;
    return DecodeId3v1Block(block, tag);
}

bool ReadId3v1TagForOpen(TagFile& file, TagRecord* tag, AudioSpan* span) {
    if (!ReadId3v1Tag(file, tag)) return false;
    span->audioSize -= static_cast<int64_t>(kId3v1Size);
    if (span->audioSize < 0) span->audioSize = 0;
    return true;
}

bool WriteId3v1(TagFile& file, const TagRecord& tag) {
    int64_t size = file.Size();
    uint8_t block[kId3v1Size];
    const int64_t tagStart = size - static_cast<int64_t>(kId3v1Size);
    if (size < static_cast<int64_t>(kId3v1Size) ||
        !ReadExactAt(file, tagStart, block, sizeof block))
        return false;
    const bool replacing = Id3v1HasMark(block);
    EncodeId3v1Block(tag, block);
    std::memcpy(block, "TAG", 3);
    return ReplaceFileTail(file, replacing ? tagStart : size, block, sizeof block);
}
