#include "TagReading.h"

#include "MemoryTagFile.h"
#include "TagTestSupport.h"

#include <gtest/gtest.h>

namespace {

const Bytes kAudio = MakeAudio(2000, 21);
const Bytes kV1 = Id3v1Tag("v1 title", "v1 artist", "v1 album", "1990", "v1 note", 9);

Bytes Id3v2Tag(size_t length) {
    Bytes tag{'I',
              'D',
              '3',
              3,
              0,
              0,
              0,
              0,
              static_cast<uint8_t>((length - 10) >> 7),
              static_cast<uint8_t>((length - 10) & 0x7F)};
    tag.resize(length, 0);
    return tag;
}

struct OpenResult {
    TagRecord tag;
    AudioSpan span;
};

OpenResult ReadForOpen(const Bytes& file) {
    MemoryTagFile memory(file);
    OpenResult result{EmptyRecord(), AudioSpan{0, static_cast<int64_t>(file.size())}};
    ReadTagsForOpen(memory, &result.tag, &result.span);
    return result;
}

TEST(TagReadingForOpen, Id3v1Only) {
    OpenResult r = ReadForOpen(kAudio + kV1);
    EXPECT_STREQ(r.tag.title, "v1 title");
    EXPECT_EQ(r.tag.genre, 9);
    EXPECT_EQ(r.span.dataOffset, 0);
    EXPECT_EQ(r.span.audioSize, 2000);
}

TEST(TagReadingForOpen, LyricsBlockReplacesTextsAndLeavesTheRest) {
    OpenResult r = ReadForOpen(kAudio + Lyrics3Block({{"ETT", "L title"}, {"INF", ""}}) + kV1);
    EXPECT_STREQ(r.tag.title, "L title");
    EXPECT_STREQ(r.tag.comment, "");
    EXPECT_STREQ(r.tag.artist, "v1 artist");
    EXPECT_STREQ(r.tag.year, "1990");
    EXPECT_EQ(r.span.audioSize, 2000);
}

TEST(TagReadingForOpen, Id3v2TagMeansNoLyricsBlockIsRead) {
    Bytes file = Id3v2Tag(267) + kAudio + Lyrics3Block({{"ETT", "L title"}}) + kV1;
    OpenResult r = ReadForOpen(file);
    EXPECT_STREQ(r.tag.title, "v1 title");
    EXPECT_EQ(r.span.dataOffset, 267);
    EXPECT_EQ(r.span.audioSize, static_cast<int64_t>(file.size()) - 128 - 267);
}

TEST(TagReadingForOpen, RiffContainerGivesTheDataChunkAndItsList) {
    Bytes iid3 = Chunk("IID3", kV1);
    Bytes file =
        RiffFile({Chunk("data", kAudio),
                  InfoListOf({InfoText("INAM", "R title"), InfoText("IART", "R artist"), iid3})});
    OpenResult r = ReadForOpen(file);
    EXPECT_STREQ(r.tag.title, "R title");
    EXPECT_STREQ(r.tag.artist, "R artist");
    EXPECT_STREQ(r.tag.album, "v1 album");
    EXPECT_EQ(r.span.dataOffset, 20);
    EXPECT_EQ(r.span.audioSize, 2000);
}

} // namespace
