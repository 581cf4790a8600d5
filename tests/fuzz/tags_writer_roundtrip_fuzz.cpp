// libFuzzer target: a random file and a random record go through a writer
// (or the play list's sequence of two); the audio in front of the tags must
// come out unchanged, a refused write must leave the file untouched, the texts
// must read back, and the same write again must give the same file.
#include "Id3v1.h"
#include "Lyrics3.h"
#include "Lyrics3Block.h"
#include "MemoryTagFile.h"
#include "RiffChunks.h"
#include "RiffInfo.h"
#include "TagText.h"
#include "TagsFuzzChecks.h"

#include <algorithm>

namespace {

enum Writer { kId3v1, kLyrics3, kRiffInfo, kLyrics3ThenId3v1, kRiffInfoThenId3v1, kWriterCount };

using Bytes = std::vector<uint8_t>;

// Up to where the writer may not touch the file (the RIFF size field aside).
// In a sequence the ID3v1 writer may also claim a "TAG" 128 bytes before the
// end when the first writer refused.
int64_t ProtectedLength(const Bytes& bytes, Writer writer) {
    MemoryTagFile file(bytes);
    const int64_t size = static_cast<int64_t>(bytes.size());
    const int64_t beforeTag =
        size >= 128 && Id3v1HasMark(bytes.data() + size - 128) ? size - 128 : size;
    int64_t first = size;
    if (writer == kRiffInfo || writer == kRiffInfoThenId3v1) {
        RiffLayout layout;
        if (LocateRiffChunks(file, &layout) && layout.hasInfoList) first = layout.list.headerOffset;
    } else if (writer == kLyrics3 || writer == kLyrics3ThenId3v1) {
        Lyrics3Block block;
        first = beforeTag;
        if (LocateLyrics3Block(file, Lyrics3Follower::Id3v1Tag, &block) ||
            LocateLyrics3Block(file, Lyrics3Follower::EndOfFile, &block))
            first = block.start;
    }
    switch (writer) {
    case kId3v1:
        return beforeTag;
    case kLyrics3:
    case kRiffInfo:
        return first;
    default:
        return std::min(first, beforeTag);
    }
}

// True when the (last) writer succeeded; `first` tells whether the first of a
// sequence did.
bool Write(MemoryTagFile& file, const TagRecord& tag, Writer writer, bool* first) {
    *first = false;
    switch (writer) {
    case kId3v1:
        return WriteId3v1(file, tag);
    case kLyrics3:
        return WriteLyrics3(file, tag);
    case kRiffInfo:
        return WriteRiffInfo(file, tag);
    case kLyrics3ThenId3v1:
        *first = WriteLyrics3(file, tag);
        return WriteId3v1(file, tag);
    case kRiffInfoThenId3v1:
        *first = WriteRiffInfo(file, tag);
        return WriteId3v1(file, tag);
    default:
        return false;
    }
}

// A record text reads back as itself, or as a prefix when it had to be cut
// (field width, trailing spaces, half a character).
void CheckReadBack(const char* written, size_t writtenSize, const char* read) {
    size_t length = strnlen(written, writtenSize);
    size_t readLength = std::strlen(read);
    FuzzCheck(readLength <= length && std::memcmp(written, read, readLength) == 0);
}

void CheckRecordReadBack(const TagRecord& written, const TagRecord& read, bool withYear) {
    CheckReadBack(written.title, sizeof written.title, read.title);
    CheckReadBack(written.artist, sizeof written.artist, read.artist);
    CheckReadBack(written.album, sizeof written.album, read.album);
    CheckReadBack(written.comment, sizeof written.comment, read.comment);
    if (withYear) CheckReadBack(written.year, sizeof written.year, read.year);
}

// Lyrics3 fields keep short plain texts exactly.
void CheckExact(const char* written, size_t writtenSize, const char* read) {
    size_t length = strnlen(written, writtenSize);
    if (length > 127) return;
    for (size_t i = 0; i < length; ++i)
        if (static_cast<uint8_t>(written[i]) >= 0x80) return;
    FuzzCheck(std::strlen(read) == length && std::memcmp(written, read, length) == 0);
}

Bytes MakeRiff(const uint8_t* data, size_t size) {
    size_t half = size / 2;
    Bytes file{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'P', '3'};
    auto chunk = [&](const char* id, const uint8_t* body, size_t length, const char* type) {
        size_t extra = type ? 4 : 0;
        uint32_t chunkSize = static_cast<uint32_t>(length + extra);
        file.insert(file.end(), id, id + 4);
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<uint8_t>(chunkSize >> shift));
        if (type) file.insert(file.end(), type, type + 4);
        file.insert(file.end(), body, body + length);
        if (chunkSize & 1) file.push_back(0);
    };
    chunk("data", data, half, nullptr);
    chunk("LIST", data + half, size - half, "INFO");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(TagRecord) + 1) return 0;
    TagRecord tag;
    std::memcpy(&tag, data, sizeof tag);
    const uint8_t mode = data[sizeof tag];
    const Writer writer = static_cast<Writer>(mode % kWriterCount);
    const uint8_t* rest = data + sizeof tag + 1;
    const size_t restSize = size - sizeof tag - 1;
    Bytes original = (mode & 0x80) ? MakeRiff(rest, restSize) : Bytes(rest, rest + restSize);

    const int64_t keep = ProtectedLength(original, writer);
    MemoryTagFile file(original);
    bool firstWritten = false;
    bool written = Write(file, tag, writer, &firstWritten);
    if (!written) {
        if (writer != kLyrics3ThenId3v1 && writer != kRiffInfoThenId3v1)
            FuzzCheck(file.bytes == original);
        return 0;
    }
    FuzzCheck(file.bytes.size() >= static_cast<size_t>(keep));
    const bool riff = writer == kRiffInfo || writer == kRiffInfoThenId3v1;
    for (int64_t i = 0; i < keep; ++i)
        FuzzCheck(file.bytes[static_cast<size_t>(i)] == original[static_cast<size_t>(i)] ||
                  (riff && i >= 4 && i < 8));

    TagRecord back = FuzzEmptyRecord();
    switch (writer) {
    case kId3v1:
    case kLyrics3ThenId3v1:
    case kRiffInfoThenId3v1:
        FuzzCheck(ReadId3v1Tag(file, &back));
        CheckRecordReadBack(tag, back, true);
        FuzzCheck(back.genre == (tag.genre & 0xFF));
        break;
    case kLyrics3:
        break;
    case kRiffInfo:
        FuzzCheck(ReadRiffInfoList(file, &back));
        CheckRecordReadBack(tag, back, false);
        break;
    default:
        break;
    }
    if (writer == kLyrics3 || writer == kLyrics3ThenId3v1) {
        TagRecord lyrics = FuzzEmptyRecord();
        // Without an ID3v1 tag behind it a block is not found: the Lyrics3
        // writer alone adds none.
        if (ReadLyrics3Block(file, &lyrics)) {
            CheckExact(tag.title, sizeof tag.title, lyrics.title);
            CheckExact(tag.comment, sizeof tag.comment, lyrics.comment);
        } else {
            FuzzCheck(writer == kLyrics3 || !firstWritten);
        }
    }

    // A refused first writer may be let in by the ID3v1 tag added behind it
    // (it can complete a chunk), so only whole sequences must repeat exactly.
    const bool sequence = writer == kLyrics3ThenId3v1 || writer == kRiffInfoThenId3v1;
    if (sequence && !firstWritten) return 0;
    const Bytes once = file.bytes;
    FuzzCheck(Write(file, tag, writer, &firstWritten));
    FuzzCheck(file.bytes == once);
    return 0;
}
