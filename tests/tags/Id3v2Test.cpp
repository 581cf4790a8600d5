#include "Id3v2.h"

#include "MemoryTagFile.h"
#include "TagTestSupport.h"

#include <gtest/gtest.h>

namespace {

Bytes Id3v2Header(uint8_t s0, uint8_t s1, uint8_t s2, uint8_t s3) {
    return Bytes{'I', 'D', '3', 3, 0, 0, s0, s1, s2, s3};
}

TEST(Id3v2, SizeIsTwentyEightBitsPlusTheHeader) {
    EXPECT_EQ(Id3v2TagLength(Id3v2Header(0, 0, 2, 1).data()), 267);
    EXPECT_EQ(Id3v2TagLength(Id3v2Header(0, 0, 0, 0).data()), 10);
    EXPECT_EQ(Id3v2TagLength(Id3v2Header(0x7F, 0x7F, 0x7F, 0x7F).data()), 0x0FFFFFFF + 10);
    EXPECT_EQ(Id3v2TagLength(Id3v2Header(1, 0, 0, 0).data()), (1 << 21) + 10);
}

TEST(Id3v2, TopBitOfEachSizeByteIsIgnored) {
    EXPECT_EQ(Id3v2TagLength(Id3v2Header(0x80, 0x80, 0x82, 0x81).data()), 267);
}

TEST(Id3v2, VersionAndFlagsAreNotLookedAt) {
    Bytes header = Id3v2Header(0, 0, 2, 1);
    header[3] = 0xFF;
    header[4] = 0xFF;
    header[5] = 0xFF;
    EXPECT_EQ(Id3v2TagLength(header.data()), 267);
}

TEST(Id3v2, OtherStartsAreNoTag) {
    Bytes header = Id3v2Header(0, 0, 2, 1);
    header[2] = '2';
    EXPECT_EQ(Id3v2TagLength(header.data()), 0);
}

TEST(Id3v2, OpenVariantMovesTheAudioBehindTheTag) {
    Bytes file = Id3v2Header(0, 0, 2, 1);
    file.resize(267, 0);
    Append(&file, MakeAudio(1000));
    MemoryTagFile memory(file);
    AudioSpan span{0, static_cast<int64_t>(file.size()) - 128};
    ASSERT_TRUE(SkipId3v2TagForOpen(memory, &span));
    EXPECT_EQ(span.dataOffset, 267);
    EXPECT_EQ(span.audioSize, static_cast<int64_t>(file.size()) - 128 - 267);
}

TEST(Id3v2, FileInfoVariantOnlyReportsTheLength) {
    Bytes file = Id3v2Header(0, 0, 2, 1);
    file.resize(300, 0);
    MemoryTagFile memory(file);
    int64_t length = 0;
    ASSERT_TRUE(ReadId3v2Length(memory, &length));
    EXPECT_EQ(length, 267);
}

TEST(Id3v2, SizePastTheEndIsCutToTheFile) {
    Bytes file = Id3v2Header(0x7F, 0x7F, 0x7F, 0x7F);
    file.resize(100, 0);
    MemoryTagFile memory(file);
    int64_t length = 0;
    ASSERT_TRUE(ReadId3v2Length(memory, &length));
    EXPECT_EQ(length, 100);
    AudioSpan span{0, 100};
    ASSERT_TRUE(SkipId3v2TagForOpen(memory, &span));
    EXPECT_EQ(span.dataOffset, 100);
    EXPECT_EQ(span.audioSize, 0);
}

TEST(Id3v2, FilesWithoutTheHeaderAreLeftAlone) {
    MemoryTagFile plain(MakeAudio(1000));
    MemoryTagFile tiny(Bytes{'I', 'D', '3', 3, 0, 0, 0, 0, 2});
    for (MemoryTagFile* file : {&plain, &tiny}) {
        int64_t length = -5;
        EXPECT_FALSE(ReadId3v2Length(*file, &length));
        EXPECT_EQ(length, -5);
        AudioSpan span{0, 1000};
        EXPECT_FALSE(SkipId3v2TagForOpen(*file, &span));
        EXPECT_EQ(span.dataOffset, 0);
        EXPECT_EQ(span.audioSize, 1000);
    }
}

} // namespace
