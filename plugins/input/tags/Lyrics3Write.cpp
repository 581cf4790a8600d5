#include "FileTail.h"
#include "Id3v1.h"
#include "Lyrics3.h"
#include "Lyrics3Block.h"
#include "TagText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Fields of a present block that the record does not hold.
struct KeptFields {
    std::string lyrics;
    std::string author;
    std::string images;
};

std::string* lyricsKeptFieldFor(const Lyrics3Field& field, KeptFields* kept) {
    if (Lyrics3FieldIs(field, "LYR")) return &kept->lyrics;
    if (Lyrics3FieldIs(field, "AUT")) return &kept->author;
    if (Lyrics3FieldIs(field, "IMG")) return &kept->images;
    return nullptr;
}

bool lyricsKeepFields(TagFile& file, const Lyrics3Block& block, KeptFields* kept) {
    return ForEachLyrics3Field(file, block, [&](const Lyrics3Field& field) {
        std::string* dest = lyricsKeptFieldFor(field, kept);
        if (dest == nullptr || field.length == 0) return true;
        std::string data(field.length, '\0');
        if (!ReadExactAt(file, field.dataOffset, &data[0], data.size())) return false;
        *dest = std::move(data);
        return true;
    });
}

void lyricsPutDigits(std::vector<uint8_t>* out, int width, int64_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*lld", width, static_cast<long long>(value));
    out->insert(out->end(), digits, digits + width);
}

void lyricsPutField(std::vector<uint8_t>* out, const char* id, const char* data, size_t length) {
    out->insert(out->end(), id, id + 3);
    lyricsPutDigits(out, 5, static_cast<int64_t>(length));
    out->insert(out->end(), data, data + length);
}

void lyricsPutRecordText(std::vector<uint8_t>* out, const char* id, const char* field,
                         size_t fieldSize) {
    lyricsPutField(out, id, field, RecordTextLength(field, fieldSize));
}

// The block; every field fits its 5 digits (kept fields came from such
// digits, record texts are at most 128 bytes), so the whole fits 6.
void lyricsComposeBlock(const TagRecord& tag, const KeptFields& kept, std::vector<uint8_t>* out) {
    const size_t blockAt = out->size();
    static const char kBegin[] = "LYRICSBEGIN";
    out->insert(out->end(), kBegin, kBegin + kLyrics3BeginSize);
    lyricsPutField(out, "IND", "00", 2);
    lyricsPutField(out, "LYR", kept.lyrics.data(), kept.lyrics.size());
    lyricsPutRecordText(out, "INF", tag.comment, sizeof tag.comment);
    lyricsPutField(out, "AUT", kept.author.data(), kept.author.size());
    lyricsPutRecordText(out, "EAL", tag.album, sizeof tag.album);
    lyricsPutRecordText(out, "EAR", tag.artist, sizeof tag.artist);
    lyricsPutRecordText(out, "ETT", tag.title, sizeof tag.title);
    lyricsPutField(out, "IMG", kept.images.data(), kept.images.size());
    lyricsPutDigits(out, 6, static_cast<int64_t>(out->size() - blockAt));
    static const char kEnd[] = "LYRICS200";
    out->insert(out->end(), kEnd, kEnd + 9);
}

} // namespace

bool WriteLyrics3(TagFile& file, const TagRecord& tag) {
    const int64_t size = file.Size();
    if (size < 0) return false;
    // The block goes from `start`; an ID3v1 tag at `tagAt` stays behind it.
    KeptFields kept;
    Lyrics3Block block;
    int64_t start = size;
    int64_t tagAt = size;
    if (LocateLyrics3Block(file, Lyrics3Follower::Id3v1Tag, &block) ||
        LocateLyrics3Block(file, Lyrics3Follower::EndOfFile, &block)) {
        if (!lyricsKeepFields(file, block, &kept)) return false;
        start = block.start;
        tagAt = block.end;
    } else if (size >= static_cast<int64_t>(kId3v1Size)) {
        uint8_t mark[3];
        if (!ReadExactAt(file, size - static_cast<int64_t>(kId3v1Size), mark, sizeof mark))
            return false;
        if (Id3v1HasMark(mark)) start = tagAt = size - static_cast<int64_t>(kId3v1Size);
    }

    std::vector<uint8_t> image;
    lyricsComposeBlock(tag, kept, &image);
    const size_t blockSize = image.size();
    image.resize(blockSize + kId3v1Size);
    if (tagAt < size) {
        if (!ReadExactAt(file, tagAt, image.data() + blockSize, kId3v1Size)) return false;
    } else {
        // A block needs an ID3v1 tag behind it to be found; without one the
        // last 128 bytes could even reach back into the audio.
        uint8_t* newTag = image.data() + blockSize;
        std::memcpy(newTag, "TAG", 3);
        EncodeId3v1Block(tag, newTag);
    }
    return ReplaceFileTail(file, start, image.data(), image.size());
}
