#include "Lyrics3.h"

#include "Id3v1.h"
#include "MemoryTagFile.h"
#include "TagTestSupport.h"
#include "TagWriters.h"
#include "TempFile.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

const Bytes kAudio = MakeAudio(3000, 11);

Bytes MpegWith(const Bytes& block, const Bytes& tag = Id3v1Tag("v1 title")) {
    return kAudio + block + tag;
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TagRecord Read(const Bytes& file, bool* complete) {
    MemoryTagFile memory(file);
    TagRecord tag = MakeRecord("before", "before", "before", "", "before");
    *complete = ReadLyrics3Block(memory, &tag);
    return tag;
}

TEST(Lyrics3Read, TakesTheFourTextsAndIgnoresTheRest) {
    bool complete = false;
    TagRecord tag = Read(MpegWith(Lyrics3Block({{"IND", "00"},
                                                {"LYR", "la la"},
                                                {"INF", "Note"},
                                                {"AUT", "Writer"},
                                                {"EAL", "Album"},
                                                {"EAR", "Artist"},
                                                {"ETT", "Title"},
                                                {"IMG", "x.jpg"}})),
                         &complete);
    EXPECT_TRUE(complete);
    EXPECT_STREQ(tag.title, "Title");
    EXPECT_STREQ(tag.artist, "Artist");
    EXPECT_STREQ(tag.album, "Album");
    EXPECT_STREQ(tag.comment, "Note");
}

TEST(Lyrics3Read, EmptyFieldReadsAsEmpty) {
    bool complete = false;
    TagRecord tag = Read(MpegWith(Lyrics3Block({{"ETT", ""}, {"EAR", "A"}})), &complete);
    EXPECT_TRUE(complete);
    EXPECT_STREQ(tag.title, "");
    EXPECT_STREQ(tag.artist, "A");
}

TEST(Lyrics3Read, ShortLastFieldIsStillRead) {
    bool complete = false;
    TagRecord tag = Read(MpegWith(Lyrics3Block({{"IND", "00"}, {"ETT", "X"}})), &complete);
    EXPECT_TRUE(complete);
    EXPECT_STREQ(tag.title, "X");
}

TEST(Lyrics3Read, TextsAreCutTo127CharactersBetweenCharacters) {
    bool complete = false;
    std::string wide;
    for (int i = 0; i < 100; ++i)
        wide += "\x82\xA0";
    TagRecord tag =
        Read(MpegWith(Lyrics3Block({{"ETT", std::string(500, 't')}, {"EAR", wide}})), &complete);
    EXPECT_EQ(std::string(tag.title), std::string(127, 't'));
    EXPECT_EQ(std::string(tag.artist), wide.substr(0, 126));
}

TEST(Lyrics3Read, OpenVariantEndsTheAudioBeforeTheBlock) {
    Bytes file = MpegWith(Lyrics3Block({{"ETT", "T"}}));
    MemoryTagFile memory(file);
    TagRecord tag = EmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(file.size()) - 128};
    ASSERT_TRUE(ReadLyrics3BlockForOpen(memory, &tag, &span));
    EXPECT_EQ(span.dataOffset, 0);
    EXPECT_EQ(span.audioSize, static_cast<int64_t>(kAudio.size()));
}

TEST(Lyrics3Read, BrokenFieldStopsButKeepsTheFieldsBefore) {
    std::string block =
        "LYRICSBEGIN" + Lyrics3Field("ETT", "Title") + "EAR00x03abc" + Lyrics3Field("EAL", "Album");
    char size[8];
    std::snprintf(size, sizeof size, "%06zu", block.size());
    block += std::string(size) + "LYRICS200";
    bool complete = true;
    TagRecord tag = Read(MpegWith(BytesOf(block)), &complete);
    EXPECT_FALSE(complete);
    EXPECT_STREQ(tag.title, "Title");
    EXPECT_STREQ(tag.artist, "before");
    EXPECT_STREQ(tag.album, "before");
}

TEST(Lyrics3Read, FieldLongerThanTheBlockIsRefused) {
    std::string block = "LYRICSBEGIN" + Lyrics3Field("ETT", "Title") + "EAR99999abc";
    char size[8];
    std::snprintf(size, sizeof size, "%06zu", block.size());
    block += std::string(size) + "LYRICS200";
    bool complete = true;
    TagRecord tag = Read(MpegWith(BytesOf(block)), &complete);
    EXPECT_FALSE(complete);
    EXPECT_STREQ(tag.title, "Title");
    EXPECT_STREQ(tag.artist, "before");
}

TEST(Lyrics3Read, BadSizesAndMarksMeanNoBlock) {
    Bytes good = Lyrics3Block({{"ETT", "Title"}});
    std::vector<Bytes> bad;
    Bytes letters = good;
    letters[letters.size() - 15] = 'x'; // size digits
    bad.push_back(MpegWith(letters));
    Bytes tooBig = good;
    std::memcpy(tooBig.data() + tooBig.size() - 15, "999999", 6);
    bad.push_back(MpegWith(tooBig));
    Bytes tooSmall = good;
    std::memcpy(tooSmall.data() + tooSmall.size() - 15, "000005", 6);
    bad.push_back(MpegWith(tooSmall));
    Bytes shifted = good;
    std::memcpy(shifted.data() + shifted.size() - 15, "000018", 6); // not at LYRICSBEGIN
    bad.push_back(MpegWith(shifted));
    bad.push_back(MpegWith(good, Bytes(128, 'x')));                     // no ID3v1 tag behind
    bad.push_back(Bytes(good.begin() + 5, good.end()) + Id3v1Tag("x")); // starts before the file
    for (const Bytes& file : bad) {
        bool complete = true;
        TagRecord tag = Read(file, &complete);
        EXPECT_FALSE(complete);
        EXPECT_STREQ(tag.title, "before");
    }
}

TEST(Lyrics3Read, EveryTruncationIsReadSafely) {
    Bytes whole = MpegWith(Lyrics3Block({{"ETT", "Title"}, {"EAR", "Artist"}}));
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        bool complete = true;
        Read(part, &complete);
        EXPECT_FALSE(complete) << cut;
    }
}

class Lyrics3WriteTest : public ::testing::Test {
  protected:
    const TagRecord record = MakeRecord("Title", "Artist", "Album", "2024", "Note", 5);

    static Bytes Written(const Bytes& file, const TagRecord& tag) {
        MemoryTagFile memory(file);
        EXPECT_TRUE(WriteLyrics3(memory, tag));
        return memory.bytes;
    }

    // The ID3v1 tag of `record`, space-filled.
    static Bytes RecordTag() {
        return Id3v1Tag("Title" + std::string(25, ' '), "Artist" + std::string(24, ' '),
                        "Album" + std::string(25, ' '), "2024", "Note" + std::string(26, ' '), 5);
    }

    // The block the writer must produce for `record`, from the format's rules.
    Bytes ExpectedBlock(const std::string& lyrics = "", const std::string& author = "",
                        const std::string& images = "") const {
        return Lyrics3Block({{"IND", "00"},
                             {"LYR", lyrics},
                             {"INF", "Note"},
                             {"AUT", author},
                             {"EAL", "Album"},
                             {"EAR", "Artist"},
                             {"ETT", "Title"},
                             {"IMG", images}});
    }
};

TEST_F(Lyrics3WriteTest, BlockTakesThePlaceOfTheId3v1TagWhichStaysBehindIt) {
    Bytes old = Id3v1Tag("v1");
    Bytes after = Written(kAudio + old, record);
    EXPECT_EQ(after, kAudio + ExpectedBlock() + old);
}

TEST_F(Lyrics3WriteTest, ThenTheId3v1WriterLeavesLyrics200BeforeTheNewTag) {
    TempFile file(kAudio + Id3v1Tag("v1"));
    ASSERT_EQ(WriteLyrics3Tag(file.path(), &record), 1);
    ASSERT_EQ(WriteId3v1Tag(file.path(), &record), 1);
    Bytes after = file.Read();
    Bytes block = ExpectedBlock();
    ASSERT_EQ(after.size(), kAudio.size() + block.size() + 128);
    EXPECT_EQ(TextAt(after, after.size() - 128 - 9, 9), "LYRICS200");
    EXPECT_EQ(TextAt(after, after.size() - 128, 8), "TAGTitle");
    EXPECT_EQ(HashOf(after, 0, kAudio.size()), HashOf(kAudio, 0, kAudio.size()));
}

TEST_F(Lyrics3WriteTest, WithoutId3v1TheBlockGoesAtTheEndWithATagBehindIt) {
    EXPECT_EQ(Written(kAudio, record), kAudio + ExpectedBlock() + RecordTag());
}

TEST_F(Lyrics3WriteTest, ShortBlockNeverLetsTheId3v1WriterReachTheAudio) {
    // Audio whose bytes 100 before its end read "TAG": a short block appended
    // alone would leave them in the last 128 bytes of the file.
    Bytes audio = kAudio;
    std::memcpy(audio.data() + audio.size() - 100, "TAG", 3);
    TempFile file(audio);
    TagRecord empty = MakeRecord("");
    ASSERT_EQ(WriteLyrics3Tag(file.path(), &empty), 1);
    ASSERT_EQ(WriteId3v1Tag(file.path(), &empty), 1);
    Bytes after = file.Read();
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), after.begin()));
}

TEST_F(Lyrics3WriteTest, BlockAtTheEndOfAFileWithoutTagIsRewrittenInPlace) {
    Bytes old = Lyrics3Block({{"LYR", "la"}, {"ETT", "Old"}});
    EXPECT_EQ(Written(kAudio + old, record), kAudio + ExpectedBlock("la") + RecordTag());
    Bytes once = Written(kAudio, record);
    EXPECT_EQ(Written(once, record), once);
}

TEST_F(Lyrics3WriteTest, KeepsLyricsAuthorAndImagesAndSetsIndTo00) {
    Bytes old = Lyrics3Block({{"IND", "11"},
                              {"LYR", "[00:01]la la"},
                              {"XYZ", "dropped"},
                              {"ETT", "Old title"},
                              {"AUT", "Writer"},
                              {"IMG", "cover.jpg||"},
                              {"INF", "Old note"}});
    Bytes tag = Id3v1Tag("v1");
    Bytes after = Written(kAudio + old + tag, record);
    EXPECT_EQ(after, kAudio + ExpectedBlock("[00:01]la la", "Writer", "cover.jpg||") + tag);
}

TEST_F(Lyrics3WriteTest, WrittenTextsReadBack) {
    Bytes after = Written(kAudio + Id3v1Tag("v1"), record);
    MemoryTagFile memory(after);
    TagRecord back = EmptyRecord();
    ASSERT_TRUE(ReadLyrics3Block(memory, &back));
    EXPECT_STREQ(back.title, "Title");
    EXPECT_STREQ(back.artist, "Artist");
    EXPECT_STREQ(back.album, "Album");
    EXPECT_STREQ(back.comment, "Note");
}

TEST_F(Lyrics3WriteTest, AddGrowShrinkAndRewriteLeaveTheAudioAlone) {
    const uint64_t audioHash = HashOf(kAudio, 0, kAudio.size());
    const TagRecord longer = MakeRecord(std::string(127, 'T'), std::string(127, 'A'),
                                        std::string(127, 'B'), "", std::string(127, 'C'));
    const TagRecord shorter = MakeRecord("");
    TempFile file(kAudio + Id3v1Tag("v1"));
    for (const TagRecord* tag : {&record, &longer, &shorter, &record}) {
        ASSERT_EQ(WriteLyrics3Tag(file.path(), tag), 1);
        ASSERT_EQ(WriteId3v1Tag(file.path(), tag), 1);
        Bytes first = file.Read();
        EXPECT_EQ(HashOf(first, 0, kAudio.size()), audioHash);
        ASSERT_EQ(WriteLyrics3Tag(file.path(), tag), 1);
        ASSERT_EQ(WriteId3v1Tag(file.path(), tag), 1);
        EXPECT_EQ(file.Read(), first);
    }
    EXPECT_EQ(file.Read(), kAudio + ExpectedBlock() + RecordTag());
}

TEST_F(Lyrics3WriteTest, BrokenBlockIsRefusedUnchanged) {
    std::string block = "LYRICSBEGIN" + Lyrics3Field("ETT", "Title") + "LYR0x003abc";
    char size[8];
    std::snprintf(size, sizeof size, "%06zu", block.size());
    block += std::string(size) + "LYRICS200";
    Bytes file = kAudio + BytesOf(block) + Id3v1Tag("v1");
    MemoryTagFile memory(file);
    EXPECT_FALSE(WriteLyrics3(memory, record));
    EXPECT_EQ(memory.bytes, file);
}

TEST_F(Lyrics3WriteTest, FullDiskOrFailingWritesLeaveTheFileAsItWas) {
    Bytes file = kAudio + Id3v1Tag("v1");
    MemoryTagFile full(file);
    full.capacity = static_cast<int64_t>(file.size()) + 20;
    EXPECT_FALSE(WriteLyrics3(full, record));
    EXPECT_EQ(full.bytes, file);

    MemoryTagFile failing(file);
    failing.failWrites = true;
    EXPECT_FALSE(WriteLyrics3(failing, record));
    EXPECT_EQ(failing.bytes, file);

    Bytes big = kAudio + Lyrics3Block({{"INF", std::string(5000, 'c')}}) + Id3v1Tag("v1");
    MemoryTagFile noCut(big);
    noCut.failResize = true;
    EXPECT_FALSE(WriteLyrics3(noCut, MakeRecord("")));
    EXPECT_EQ(noCut.bytes, big);
}

TEST_F(Lyrics3WriteTest, ShortReadIsRefusedUnchanged) {
    Bytes file = kAudio + Lyrics3Block({{"LYR", "la"}}) + Id3v1Tag("v1");
    MemoryTagFile memory(file);
    memory.readLimit = static_cast<int64_t>(file.size()) - 1;
    EXPECT_FALSE(WriteLyrics3(memory, record));
    EXPECT_EQ(memory.bytes, file);
}

TEST_F(Lyrics3WriteTest, MissingFileIsRefused) {
    TempFile file(kAudio);
    file.Remove();
    EXPECT_EQ(WriteLyrics3Tag(file.path(), &record), 0);
    EXPECT_EQ(WriteLyrics3Tag(file.path(), nullptr), 0);
}

} // namespace
