#include "Id3v2.h"

#include <cstring>

namespace {

constexpr uint8_t kFooterFlag = 0x10;
// How far zero padding between two tags is looked through, and how many tags
// are skipped at most.
constexpr size_t kPaddingLook = 4096;
constexpr int kMostStackedTags = 64;

// Behind a first tag, only a well-formed header counts as another tag: "ID3",
// version 2 to 4, and size bytes of seven bits.
bool WellFormedHeader(const uint8_t* header) {
    if (std::memcmp(header, "ID3", 3) != 0 || header[3] < 2 || header[3] > 4 || header[4] == 0xFF)
        return false;
    for (size_t i = 6; i < kId3v2HeaderSize; ++i)
        if (header[i] & 0x80) return false;
    return true;
}

} // namespace

int64_t Id3v2TagLength(const uint8_t* header) {
    if (std::memcmp(header, "ID3", 3) != 0) return 0;
    int64_t size = 0;
    for (size_t i = 6; i < kId3v2HeaderSize; ++i)
        size = (size << 7) | (header[i] & 0x7F);
    const bool footer = header[3] == 4 && (header[5] & kFooterFlag) != 0;
    return size + static_cast<int64_t>(kId3v2HeaderSize) * (footer ? 2 : 1);
}

bool Id3v2Tags::Next() {
    if (count == 0) {
        if (!ReadExactAt(file, 0, header, sizeof header) || Id3v2TagLength(header) == 0)
            return false;
    } else {
        if (count > kMostStackedTags) return false;
        uint8_t look[kPaddingLook];
        const size_t got = file.ReadAt(end, look, sizeof look);
        size_t zeros = 0;
        while (zeros < got && look[zeros] == 0)
            ++zeros;
        if (zeros + kId3v2HeaderSize > got || !WellFormedHeader(look + zeros)) return false;
        std::memcpy(header, look + zeros, sizeof header);
        start = end + static_cast<int64_t>(zeros);
    }
    end = start + Id3v2TagLength(header);
    ++count;
    return true;
}

bool ReadId3v2Length(TagFile& file, int64_t* length) {
    const int64_t fileSize = file.Size();
    if (fileSize < 0) return false;
    Id3v2Tags tags(file);
    int64_t tagLength = 0;
    // A size past the end (a cut-off download) leaves no audio to find.
    while (tagLength < fileSize && tags.Next())
        tagLength = tags.End();
    if (tagLength == 0) return false;
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
