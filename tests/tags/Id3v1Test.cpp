#include "Id3v1.h"

#include "MemoryTagFile.h"
#include "TagTestSupport.h"
#include "TagWriters.h"
#include "TempFile.h"

#include <gtest/gtest.h>

namespace {

TagRecord Decoded(const Bytes& block) {
    TagRecord tag = EmptyRecord();
    EXPECT_TRUE(DecodeId3v1Block(block.data(), &tag));
    return tag;
}

Bytes Encoded(const TagRecord& tag) {
    Bytes block(128, 0xEE);
    EncodeId3v1Block(tag, block.data());
    return block;
}

TEST(Id3v1Read, TrailingSpacesGoButTheFirstCharacterStays) {
    EXPECT_STREQ(Decoded(Id3v1Tag("Rain" + std::string(26, ' '))).title, "Rain");
    EXPECT_STREQ(Decoded(Id3v1Tag(std::string(30, ' '))).title, " ");
    EXPECT_STREQ(Decoded(Id3v1Tag("Rain")).title, "Rain"); // followed by NULs
    EXPECT_STREQ(Decoded(Id3v1Tag("Rain  on me   ")).title, "Rain  on me");
    // Only 0x20 counts as a space.
    EXPECT_STREQ(Decoded(Id3v1Tag("Rain\t")).title, "Rain\t");
}

TEST(Id3v1Read, EveryFieldHasItsWidthAndGenreIsUnsigned) {
    TagRecord tag = Decoded(Id3v1Tag(std::string(30, 't'), std::string(30, 'a'),
                                     std::string(30, 'b'), "1999", std::string(30, 'c'), 255));
    EXPECT_EQ(std::string(tag.title), std::string(30, 't'));
    EXPECT_EQ(std::string(tag.artist), std::string(30, 'a'));
    EXPECT_EQ(std::string(tag.album), std::string(30, 'b'));
    EXPECT_STREQ(tag.year, "1999");
    EXPECT_EQ(std::string(tag.comment), std::string(30, 'c'));
    EXPECT_EQ(tag.genre, 255);
}

TEST(Id3v1Read, CommentEndsAtItsFirstNul) {
    // An ID3v1.1 track number is not interpreted.
    std::string comment = std::string(28, 'c') + std::string(1, '\0') + "\x07";
    EXPECT_EQ(std::string(Decoded(Id3v1Tag("", "", "", "", comment)).comment),
              std::string(28, 'c'));
}

TEST(Id3v1Read, BlockWithoutMarkLeavesTheRecordAlone) {
    Bytes block = Id3v1Tag("Rain");
    block[0] = 'T';
    block[1] = 'A';
    block[2] = 'X';
    TagRecord tag = MakeRecord("kept");
    EXPECT_FALSE(DecodeId3v1Block(block.data(), &tag));
    EXPECT_STREQ(tag.title, "kept");
}

TEST(Id3v1Write, SpaceFillingCopy) {
    Bytes block = Encoded(MakeRecord("Rain", "", std::string(40, 'x'), "2024", "c", 300));
    EXPECT_EQ(TextAt(block, 3, 30), "Rain" + std::string(26, ' '));
    EXPECT_EQ(TextAt(block, 33, 30), std::string(1, '\0') + std::string(29, ' '));
    EXPECT_EQ(TextAt(block, 63, 30), std::string(30, 'x'));
    EXPECT_EQ(TextAt(block, 93, 4), "2024");
    EXPECT_EQ(TextAt(block, 97, 30), "c" + std::string(29, ' '));
    EXPECT_EQ(block[127], 300 & 0xFF);
    EXPECT_EQ(block[0], 0xEE); // the mark is the caller's
}

TEST(Id3v1Write, ShortYearIsSpaceFilled) {
    EXPECT_EQ(TextAt(Encoded(MakeRecord("", "", "", "99")), 93, 4), "99  ");
    EXPECT_EQ(TextAt(Encoded(MakeRecord("")), 93, 4), std::string(1, '\0') + "   ");
}

TEST(Id3v1Write, EmptyTitleReadsBackEmpty) {
    Bytes block = Encoded(MakeRecord(""));
    std::memcpy(block.data(), "TAG", 3);
    EXPECT_STREQ(Decoded(block).title, "");
}

TEST(Id3v1Write, RecordTextWithoutNulStopsAtItsField) {
    TagRecord tag = EmptyRecord();
    std::memset(tag.year, '7', sizeof tag.year); // no NUL in the five bytes
    EXPECT_EQ(TextAt(Encoded(tag), 93, 4), "7777");
}

// Shift-JIS: 0x82 0xA0 is one character (hiragana A).
TEST(Id3v1ShiftJis, LeadByteInTheLastPlaceIsNotWrittenHalf) {
    std::string title = std::string(29, 'a') + "\x82\xA0";
    Bytes block = Encoded(MakeRecord(title));
    EXPECT_EQ(TextAt(block, 3, 30), std::string(29, 'a') + " ");
    std::memcpy(block.data(), "TAG", 3);
    EXPECT_EQ(std::string(Decoded(block).title), std::string(29, 'a'));
}

TEST(Id3v1ShiftJis, WholeCharactersThatFitAreKept) {
    std::string title = std::string(28, 'a') + "\x82\xA0" + "b";
    Bytes block = Encoded(MakeRecord(title));
    EXPECT_EQ(TextAt(block, 3, 30), std::string(28, 'a') + "\x82\xA0");
    // Fifteen double-byte characters fill the field exactly.
    std::string wide;
    for (int i = 0; i < 16; ++i)
        wide += "\x88\x9F";
    EXPECT_EQ(TextAt(Encoded(MakeRecord(wide)), 3, 30), wide.substr(0, 30));
}

TEST(Id3v1ShiftJis, TrailByteEqualToAnAsciiLetterIsNotALead) {
    // 0x83 0x41 ("ア") then 28 letters: the 30th byte is a plain letter.
    std::string title = "\x83\x41" + std::string(28, 'z') + "\x82\xA0";
    EXPECT_EQ(TextAt(Encoded(MakeRecord(title)), 3, 30), "\x83\x41" + std::string(28, 'z'));
}

// Only a cut made when writing ends on a character boundary: text is read as
// stored, and a last byte in a lead-byte range is a letter of another code
// page (Latin-1 0xE9 "é", the second byte of an EUC-KR syllable).
TEST(Id3v1Read, TextIsKeptAsStoredWhateverItsLastByte) {
    EXPECT_STREQ(Decoded(Id3v1Tag("Caf\xE9")).title, "Caf\xE9");
    EXPECT_STREQ(Decoded(Id3v1Tag("R\xE9sum\xE9" + std::string(24, ' '))).title, "R\xE9sum\xE9");
    EXPECT_STREQ(Decoded(Id3v1Tag("", "Beyonc\xE9")).artist, "Beyonc\xE9");
    EXPECT_STREQ(Decoded(Id3v1Tag("\xC7\xD1\xB1\xB9")).title, "\xC7\xD1\xB1\xB9");
    EXPECT_EQ(std::string(Decoded(Id3v1Tag(std::string(29, 'a') + "\x82")).title),
              std::string(29, 'a') + "\x82");
    EXPECT_STREQ(Decoded(Id3v1Tag("\x82\xA0\x82\xA2")).title, "\x82\xA0\x82\xA2");
}

class Id3v1FileTest : public ::testing::Test {
  protected:
    const Bytes audio = MakeAudio(5000, 7);
};

TEST_F(Id3v1FileTest, ReadsTheLastBlock) {
    Bytes file = audio;
    Append(&file, Id3v1Tag("Title", "Artist", "Album", "2001", "Note", 17));
    MemoryTagFile memory(file);
    TagRecord tag = EmptyRecord();
    ASSERT_TRUE(ReadId3v1Tag(memory, &tag));
    EXPECT_STREQ(tag.title, "Title");
    EXPECT_STREQ(tag.artist, "Artist");
    EXPECT_STREQ(tag.album, "Album");
    EXPECT_STREQ(tag.year, "2001");
    EXPECT_STREQ(tag.comment, "Note");
    EXPECT_EQ(tag.genre, 17);
}

TEST_F(Id3v1FileTest, OpenVariantTakesTheTagOffTheAudio) {
    Bytes file = audio;
    Append(&file, Id3v1Tag("Title"));
    MemoryTagFile memory(file);
    TagRecord tag = EmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(file.size())};
    ASSERT_TRUE(ReadId3v1TagForOpen(memory, &tag, &span));
    EXPECT_EQ(span.dataOffset, 0);
    EXPECT_EQ(span.audioSize, 5000);

    MemoryTagFile untagged(audio);
    AudioSpan whole{0, 5000};
    EXPECT_FALSE(ReadId3v1TagForOpen(untagged, &tag, &whole));
    EXPECT_EQ(whole.audioSize, 5000);
}

TEST_F(Id3v1FileTest, TooShortOrUnmarkedFilesHaveNoTag) {
    TagRecord tag = EmptyRecord();
    Bytes cut = Id3v1Tag("x");
    cut.pop_back();
    MemoryTagFile tiny(cut);
    EXPECT_FALSE(ReadId3v1Tag(tiny, &tag));
    MemoryTagFile plain(audio);
    EXPECT_FALSE(ReadId3v1Tag(plain, &tag));
    EXPECT_STREQ(tag.title, "");
}

TEST_F(Id3v1FileTest, AddingGrowsByOneTagAndRewritingReplacesIt) {
    TempFile file(audio);
    const uint64_t audioHash = HashOf(audio, 0, audio.size());

    TagRecord one = MakeRecord("One");
    ASSERT_EQ(WriteId3v1Tag(file.path(), &one), 1);
    Bytes first = file.Read();
    ASSERT_EQ(first.size(), audio.size() + 128);
    EXPECT_EQ(HashOf(first, 0, audio.size()), audioHash);
    EXPECT_EQ(TextAt(first, audio.size(), 3), "TAG");

    TagRecord second = MakeRecord("Two", "Someone", "", "1987", "", 3);
    ASSERT_EQ(WriteId3v1Tag(file.path(), &second), 1);
    Bytes afterSecond = file.Read();
    ASSERT_EQ(afterSecond.size(), audio.size() + 128);
    EXPECT_EQ(HashOf(afterSecond, 0, audio.size()), audioHash);

    ASSERT_EQ(WriteId3v1Tag(file.path(), &second), 1);
    EXPECT_EQ(file.Read(), afterSecond);

    MemoryTagFile memory(afterSecond);
    TagRecord back = EmptyRecord();
    ASSERT_TRUE(ReadId3v1Tag(memory, &back));
    EXPECT_STREQ(back.title, "Two");
    EXPECT_STREQ(back.artist, "Someone");
    EXPECT_STREQ(back.album, "");
    EXPECT_STREQ(back.year, "1987");
    EXPECT_EQ(back.genre, 3);
}

TEST_F(Id3v1FileTest, AudioEndingInTagLettersIsNotMistakenForATag) {
    Bytes file = audio;
    Append(&file, "TA"); // the last 128 bytes do not start with TAG
    MemoryTagFile memory(file);
    ASSERT_TRUE(WriteId3v1(memory, MakeRecord("x")));
    EXPECT_EQ(memory.bytes.size(), file.size() + 128);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), memory.bytes.begin()));
}

TEST_F(Id3v1FileTest, FileShorterThanATagIsRefusedUnchanged) {
    Bytes small = MakeAudio(127);
    TempFile file(small);
    TagRecord tag = MakeRecord("x");
    EXPECT_EQ(WriteId3v1Tag(file.path(), &tag), 0);
    EXPECT_EQ(file.Read(), small);
}

TEST_F(Id3v1FileTest, FullDiskLeavesTheFileAsItWas) {
    MemoryTagFile memory(audio);
    memory.capacity = static_cast<int64_t>(audio.size()) + 100;
    EXPECT_FALSE(WriteId3v1(memory, MakeRecord("x")));
    EXPECT_EQ(memory.bytes, audio);
}

TEST_F(Id3v1FileTest, FailingWritesLeaveTheTagAsItWas) {
    Bytes file = audio;
    Append(&file, Id3v1Tag("Old"));
    MemoryTagFile memory(file);
    memory.failWrites = true;
    EXPECT_FALSE(WriteId3v1(memory, MakeRecord("New")));
    EXPECT_EQ(memory.bytes, file);
}

TEST_F(Id3v1FileTest, ShortReadIsRefused) {
    Bytes file = audio;
    Append(&file, Id3v1Tag("Old"));
    MemoryTagFile memory(file);
    memory.readLimit = static_cast<int64_t>(file.size()) - 1;
    EXPECT_FALSE(WriteId3v1(memory, MakeRecord("New")));
    EXPECT_EQ(memory.bytes, file);
}

TEST_F(Id3v1FileTest, MissingFileOrFolderIsRefused) {
    TagRecord tag = MakeRecord("x");
    TempFile file(audio);
    file.Remove();
    EXPECT_EQ(WriteId3v1Tag(file.path(), &tag), 0);
    EXPECT_EQ(WriteId3v1Tag(nullptr, &tag), 0);
    EXPECT_EQ(WriteId3v1Tag(file.folder().c_str(), &tag), 0);
}

TEST_F(Id3v1FileTest, ReadOnlyFileIsRefusedUnchanged) {
    TagRecord tag = MakeRecord("x");
    TempFile readOnly(audio);
    readOnly.MakeReadOnly();
    if (TempFile::WritesIgnorePermissions()) GTEST_SKIP() << "root writes to read-only files";
    EXPECT_EQ(WriteId3v1Tag(readOnly.path(), &tag), 0);
    EXPECT_EQ(readOnly.Read(), audio);
}

} // namespace
