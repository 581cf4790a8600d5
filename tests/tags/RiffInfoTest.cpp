#include "RiffInfo.h"

#include "Id3v1.h"
#include "MemoryTagFile.h"
#include "TagTestSupport.h"
#include "TagWriters.h"
#include "TempFile.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kDataOffset = 12 + 24 + 8; // RIFF header, "fmt " chunk, "data" header
constexpr size_t kAudioSize = 1001;         // odd: the chunk carries a pad byte
constexpr size_t kListOffset = kDataOffset + kAudioSize + 1;

Bytes Prefix() {
    Bytes file = RiffFile({Chunk("fmt ", Bytes(16, 1)), Chunk("data", MakeAudio(kAudioSize, 3))});
    return file;
}

Bytes RmpWith(const Bytes& tail) {
    Bytes file = Prefix();
    Append(&file, tail);
    Bytes size;
    AppendLe32(&size, static_cast<uint32_t>(file.size() - 8));
    std::copy(size.begin(), size.end(), file.begin() + 4);
    return file;
}

// The file as it must be after a rewrite: what precedes the LIST unchanged
// except the RIFF size, then `tail`.
Bytes Expected(const Bytes& before, const Bytes& tail) {
    Bytes file(before.begin(), before.begin() + kListOffset);
    Append(&file, tail);
    Bytes size;
    AppendLe32(&size, static_cast<uint32_t>(file.size() - 8));
    std::copy(size.begin(), size.end(), file.begin() + 4);
    return file;
}

uint64_t AudioHash(const Bytes& file) {
    return HashOf(file, kDataOffset, kAudioSize);
}

TagRecord Read(const Bytes& file, bool* found) {
    MemoryTagFile memory(file);
    TagRecord tag = EmptyRecord();
    *found = ReadRiffInfoList(memory, &tag);
    return tag;
}

TEST(RiffInfoRead, ListWithTitleArtistAndYear) {
    Bytes file = RmpWith(InfoList({{"INAM", "Rain"}, {"IART", "Someone"}, {"ICRD", "1999"}}));
    MemoryTagFile memory(file);
    TagRecord tag = EmptyRecord();
    AudioSpan span{0, static_cast<int64_t>(file.size())};
    ASSERT_TRUE(ReadRiffContainerForOpen(memory, &tag, &span));
    EXPECT_STREQ(tag.title, "Rain");
    EXPECT_STREQ(tag.artist, "Someone");
    EXPECT_STREQ(tag.year, "1999");
    EXPECT_STREQ(tag.album, "");
    EXPECT_EQ(span.dataOffset, static_cast<int64_t>(kDataOffset));
    EXPECT_EQ(span.audioSize, static_cast<int64_t>(kAudioSize));
}

TEST(RiffInfoRead, AllFourTextsAndTheComment) {
    bool found = false;
    TagRecord tag =
        Read(RmpWith(InfoList({{"IPRD", "Album"}, {"ICMT", "Note"}, {"ISFT", "x"}})), &found);
    ASSERT_TRUE(found);
    EXPECT_STREQ(tag.album, "Album");
    EXPECT_STREQ(tag.comment, "Note");
    EXPECT_STREQ(tag.title, "");
}

TEST(RiffInfoRead, ContainerWithoutListStillGivesTheAudio) {
    Bytes file = RmpWith({});
    MemoryTagFile memory(file);
    TagRecord tag = MakeRecord("from ID3v1");
    AudioSpan span{0, 5};
    ASSERT_TRUE(ReadRiffContainerForOpen(memory, &tag, &span));
    EXPECT_EQ(span.dataOffset, static_cast<int64_t>(kDataOffset));
    EXPECT_EQ(span.audioSize, static_cast<int64_t>(kAudioSize));
    EXPECT_STREQ(tag.title, "from ID3v1");
    bool found = true;
    Read(file, &found);
    EXPECT_FALSE(found);
}

TEST(RiffInfoRead, NoDataChunkOrNoRiffIsNoContainer) {
    Bytes noData = RiffFile({Chunk("fmt ", Bytes(16, 1)), InfoList({{"INAM", "x"}})});
    Bytes notRiff = RmpWith(InfoList({{"INAM", "x"}}));
    notRiff[3] = 'X';
    for (const Bytes& file : {noData, notRiff}) {
        MemoryTagFile memory(file);
        TagRecord tag = EmptyRecord();
        AudioSpan span{0, 99};
        EXPECT_FALSE(ReadRiffContainerForOpen(memory, &tag, &span));
        EXPECT_EQ(span.dataOffset, 0);
        EXPECT_EQ(span.audioSize, 99);
        EXPECT_STREQ(tag.title, "");
    }
}

TEST(RiffInfoRead, OtherListTypesAreSkipped) {
    Bytes adtl;
    Append(&adtl, "adtl");
    Append(&adtl, Chunk("labl", Bytes(6, 'q')));
    bool found = false;
    TagRecord tag = Read(RmpWith(Chunk("LIST", adtl) + InfoList({{"INAM", "Rain"}})), &found);
    EXPECT_TRUE(found);
    EXPECT_STREQ(tag.title, "Rain");
}

TEST(RiffInfoRead, TextsAreCutTo127CharactersAndYearTo4) {
    bool found = false;
    TagRecord tag =
        Read(RmpWith(InfoList({{"INAM", std::string(300, 'n')}, {"ICRD", "2001-05-06"}})), &found);
    EXPECT_EQ(std::string(tag.title), std::string(127, 'n'));
    EXPECT_STREQ(tag.year, "2001");
}

TEST(RiffInfoRead, CutDoesNotSplitADoubleByteCharacter) {
    std::string title = std::string(126, 'n') + "\x82\xA0";
    bool found = false;
    TagRecord tag = Read(RmpWith(InfoList({{"INAM", title}})), &found);
    EXPECT_EQ(std::string(tag.title), std::string(126, 'n'));
}

TEST(RiffInfoRead, TextWithoutNulKeepsItsLastCharacter) {
    bool found = false;
    TagRecord tag = Read(RmpWith(InfoListOf({Chunk("INAM", Bytes{'R', 'a', 'i', 'n'})})), &found);
    EXPECT_STREQ(tag.title, "Rain");
}

TEST(RiffInfoRead, SubchunkPastTheListIsCutToIt) {
    Bytes entry;
    Append(&entry, "INAM");
    AppendLe32(&entry, 0xFFFFFFF0u);
    Append(&entry, "Rain");
    bool found = false;
    TagRecord tag = Read(RmpWith(InfoListOf({InfoText("IART", "A"), entry})), &found);
    EXPECT_TRUE(found);
    EXPECT_STREQ(tag.artist, "A");
    EXPECT_STREQ(tag.title, "Rain");
}

TEST(RiffInfoRead, HostileChunkSizesNeitherWrapNorHang) {
    // A chunk whose size would wrap a 32-bit offset back to the start.
    Bytes wrap = Prefix();
    wrap.resize(kListOffset);
    Append(&wrap, "JUNK");
    AppendLe32(&wrap, static_cast<uint32_t>(0x100000000ull - kListOffset - 8));
    Append(&wrap, InfoList({{"INAM", "hidden"}}));
    bool found = true;
    TagRecord tag = Read(wrap, &found);
    EXPECT_FALSE(found);
    EXPECT_STREQ(tag.title, "");

    // A data chunk claiming 4 GB: the audio is what is there.
    Bytes huge = Prefix();
    huge[kDataOffset - 4] = 0xFF;
    huge[kDataOffset - 3] = 0xFF;
    huge[kDataOffset - 2] = 0xFF;
    huge[kDataOffset - 1] = 0xFF;
    MemoryTagFile memory(huge);
    AudioSpan span;
    TagRecord none = EmptyRecord();
    ASSERT_TRUE(ReadRiffContainerForOpen(memory, &none, &span));
    EXPECT_EQ(span.audioSize, static_cast<int64_t>(huge.size() - kDataOffset));

    // Empty sub-chunks still move the walk on.
    std::vector<Bytes> empties(1000, Chunk("ISFT", {}));
    empties.push_back(InfoText("INAM", "last"));
    tag = Read(RmpWith(InfoListOf(empties)), &found);
    EXPECT_STREQ(tag.title, "last");
}

TEST(RiffInfoRead, EveryTruncationIsReadSafely) {
    Bytes file = RmpWith(InfoList({{"INAM", "Rain"}, {"IART", "Someone"}, {"ICRD", "1999"}}));
    for (size_t cut = 0; cut <= file.size(); ++cut) {
        Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        bool found = false;
        TagRecord tag = Read(part, &found);
        EXPECT_EQ(found, cut >= kListOffset + 12) << cut;
        EXPECT_LT(std::strlen(tag.title), 5u);
    }
}

class RiffInfoWriteTest : public ::testing::Test {
  protected:
    const Bytes original =
        RmpWith(InfoList({{"INAM", "Old title"}, {"IART", "Old artist"}, {"ICRD", "1999"}}));
    const TagRecord record = MakeRecord("New", "Artist", "Album", "2024", "");

    static Bytes Written(const Bytes& file, const TagRecord& tag) {
        MemoryTagFile memory(file);
        EXPECT_TRUE(WriteRiffInfo(memory, tag));
        return memory.bytes;
    }
};

TEST_F(RiffInfoWriteTest, RewritesTheListKeepingTheYearAndEndingWithAnId3Tag) {
    Bytes after = Written(original, record);
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("ICRD", "1999"), BlankId3Entry()});
    EXPECT_EQ(after, Expected(original, list));
    EXPECT_EQ(AudioHash(after), AudioHash(original));
}

TEST_F(RiffInfoWriteTest, FourCharacterTitleGetsNulAndPad) {
    Bytes after = Written(original, MakeRecord("Rain"));
    EXPECT_EQ(TextAt(after, kListOffset + 12, 14), std::string("INAM\x05\0\0\0Rain\0\0", 14));
}

TEST_F(RiffInfoWriteTest, KeptSlotsComeInTableOrderAndUnknownOnesGo) {
    Bytes file = RmpWith(InfoList({{"ISBJ", "subject"},
                                   {"IXYZ", "unknown"},
                                   {"ICOP", "(c)"},
                                   {"IGNR", "Rock"},
                                   {"ISFT", "first"},
                                   {"ISFT", "second"},
                                   {"IENG", ""},
                                   {"ILYC", "la la"}}));
    Bytes after = Written(file, record);
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("IGNR", "Rock"), InfoText("ICOP", "(c)"),
                    InfoText("ISFT", "second"), InfoText("ILYC", "la la"),
                    InfoText("ISBJ", "subject"), BlankId3Entry()});
    EXPECT_EQ(after, Expected(file, list));
}

TEST_F(RiffInfoWriteTest, ShortSlotsKeep127CharactersAndOthersTheirWholeText) {
    std::string longText(300, 'x');
    Bytes file = RmpWith(InfoList({{"ICRD", longText}, {"ICOP", longText}}));
    Bytes after = Written(file, record);
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("ICRD", std::string(127, 'x')),
                    InfoText("ICOP", longText), BlankId3Entry()});
    EXPECT_EQ(after, Expected(file, list));
}

TEST_F(RiffInfoWriteTest, GrowShrinkAndRewriteLeaveTheAudioAlone) {
    const uint64_t audioHash = AudioHash(original);
    const TagRecord longer = MakeRecord(std::string(127, 'T'), std::string(127, 'A'),
                                        std::string(127, 'B'), "2024", std::string(127, 'C'));
    const TagRecord shorter = MakeRecord("a");
    TempFile file(original);
    for (const TagRecord* tag : {&longer, &shorter, &record}) {
        ASSERT_EQ(WriteRiffInfoTag(file.path(), tag), 1);
        Bytes first = file.Read();
        EXPECT_EQ(AudioHash(first), audioHash);
        EXPECT_TRUE(
            std::equal(original.begin() + 8, original.begin() + kListOffset, first.begin() + 8));
        EXPECT_EQ(Le32At(first, 4), first.size() - 8);
        ASSERT_EQ(WriteRiffInfoTag(file.path(), tag), 1);
        EXPECT_EQ(file.Read(), first);
        bool found = false;
        TagRecord back = Read(first, &found);
        EXPECT_STREQ(back.title, tag->title);
        EXPECT_STREQ(back.comment, tag->comment);
        EXPECT_STREQ(back.year, "1999");
    }
}

TEST_F(RiffInfoWriteTest, Id3v1WriterThenFillsTheIid3TagInPlace) {
    MemoryTagFile memory(original);
    ASSERT_TRUE(WriteRiffInfo(memory, record));
    const size_t size = memory.bytes.size();
    ASSERT_TRUE(WriteId3v1(memory, record));
    EXPECT_EQ(memory.bytes.size(), size);
    TagRecord back = EmptyRecord();
    ASSERT_TRUE(ReadId3v1Tag(memory, &back));
    EXPECT_STREQ(back.title, "New");

    // A filled IID3 tag survives the next rewrite.
    const Bytes filled = memory.bytes;
    ASSERT_TRUE(WriteRiffInfo(memory, record));
    EXPECT_EQ(memory.bytes, filled);
}

TEST_F(RiffInfoWriteTest, ChunksAfterTheListAreKeptInFrontOfIt) {
    Bytes after = InfoList({{"INAM", "Old"}});
    Bytes odd = Chunk("odd ", Bytes{1, 2, 3});
    Bytes junk = Chunk("JUNK", Bytes(40, 9));
    Bytes file = RmpWith(after + odd + junk);
    Bytes list = InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"),
                             InfoText("IPRD", "Album"), InfoText("ICMT", ""), BlankId3Entry()});
    EXPECT_EQ(Written(file, record), Expected(file, odd + junk + list));
}

TEST_F(RiffInfoWriteTest, LastChunkWithoutItsPadByteGetsOne) {
    Bytes odd = Chunk("odd ", Bytes{1, 2, 3});
    Bytes file = RmpWith(InfoList({{"INAM", "Old"}}) + odd);
    file.pop_back();
    Bytes list = InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"),
                             InfoText("IPRD", "Album"), InfoText("ICMT", ""), BlankId3Entry()});
    EXPECT_EQ(Written(file, record), Expected(file, odd + list));
}

TEST_F(RiffInfoWriteTest, BytesAfterTheListThatCannotBeKeptAreRefusedUnchanged) {
    Bytes looseTag = RmpWith(InfoList({{"INAM", "Old"}}) + Id3v1Tag("raw"));
    Bytes cutChunk = RmpWith(InfoList({{"INAM", "Old"}}) + Chunk("JUNK", Bytes(40, 9)));
    cutChunk.resize(cutChunk.size() - 10);
    Bytes stray = RmpWith(InfoList({{"INAM", "Old"}}) + Bytes{1, 2, 3});
    Bytes secondList = RmpWith(InfoList({{"INAM", "Old"}}) + InfoList({{"INAM", "Other"}}));
    for (const Bytes& file : {looseTag, cutChunk, stray, secondList}) {
        MemoryTagFile memory(file);
        EXPECT_FALSE(WriteRiffInfo(memory, record));
        EXPECT_EQ(memory.bytes, file);
    }
}

TEST_F(RiffInfoWriteTest, LyricsTailInIlycGoesLastWithoutNulOrId3Tag) {
    std::string tail = "LYRICSBEGININD000020000011LYRICS200TAG" + std::string(125, 'z');
    Bytes file = RmpWith(InfoList({{"ILYC", tail}, {"IMED", "CD"}, {"ICRD", "1999"}}));
    Bytes after = Written(file, record);
    Bytes ilyc;
    Append(&ilyc, "ILYC");
    AppendLe32(&ilyc, static_cast<uint32_t>(tail.size()));
    Append(&ilyc, tail);
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("ICRD", "1999"), InfoText("IMED", "CD"), ilyc});
    list.pop_back(); // no pad: the file ends with the tail
    EXPECT_EQ(after, Expected(file, list));
    EXPECT_EQ(Le32At(after, kListOffset + 4), after.size() - kListOffset - 8);
    EXPECT_EQ(Tail(after, 128), "TAG" + std::string(125, 'z'));
}

Bytes IlycEntry(const std::string& data) {
    Bytes entry;
    Append(&entry, "ILYC");
    AppendLe32(&entry, static_cast<uint32_t>(data.size()));
    Append(&entry, data);
    if (data.size() & 1) entry.push_back(0);
    return entry;
}

TEST_F(RiffInfoWriteTest, LyricsTailKeepsTheNulBytesOfItsTag) {
    // An ID3v1 tag with empty fields and genre 0 ends the tail.
    Bytes id3 = Id3v1Tag("", "", "", "", "", 0);
    std::string tail = "LYRICSBEGININD000020000011LYRICS200" + TextAt(id3, 0, 128);
    Bytes after = Written(RmpWith(InfoListOf({IlycEntry(tail)})), record);
    EXPECT_EQ(Tail(after, tail.size()), tail);
    // Stored with a terminating NUL, the tail still ends the file with its tag.
    Bytes terminated =
        Written(RmpWith(InfoListOf({IlycEntry(tail + std::string(1, '\0'))})), record);
    EXPECT_EQ(Tail(terminated, tail.size()), tail);
}

TEST_F(RiffInfoWriteTest, IlycTextWithoutATagBehindIsAnOrdinaryText) {
    Bytes file = RmpWith(InfoList({{"ILYC", "LYRICS la la"}}));
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("ILYC", "LYRICS la la"), BlankId3Entry()});
    EXPECT_EQ(Written(file, record), Expected(file, list));
}

TEST_F(RiffInfoWriteTest, ListClaimingFourGigabytesIsRewrittenFromTheBytesPresent) {
    Bytes file = RmpWith(InfoList({{"INAM", "Old"}, {"ICRD", "1999"}}));
    for (size_t i = 0; i < 4; ++i)
        file[kListOffset + 4 + i] = 0xFF;
    Bytes list =
        InfoListOf({InfoText("INAM", "New"), InfoText("IART", "Artist"), InfoText("IPRD", "Album"),
                    InfoText("ICMT", ""), InfoText("ICRD", "1999"), BlankId3Entry()});
    EXPECT_EQ(Written(file, record), Expected(file, list));
}

TEST_F(RiffInfoWriteTest, HugeListIsRefusedRatherThanHeldInMemory) {
    Bytes file = RmpWith(InfoList({{"ICOP", std::string(17 << 20, 'c')}}));
    MemoryTagFile memory(file);
    EXPECT_FALSE(WriteRiffInfo(memory, record));
    EXPECT_EQ(memory.writeCalls, 0);
}

TEST_F(RiffInfoWriteTest, FilesWithoutAListAreRefusedUnchanged) {
    Bytes noList = RmpWith({});
    Bytes listBeforeData = RiffFile({InfoList({{"INAM", "x"}}), Chunk("data", MakeAudio(10))});
    Bytes notRiff = MakeAudio(2000);
    for (const Bytes& file : {noList, listBeforeData, notRiff}) {
        MemoryTagFile memory(file);
        EXPECT_FALSE(WriteRiffInfo(memory, record));
        EXPECT_EQ(memory.bytes, file);
    }
}

TEST_F(RiffInfoWriteTest, FullDiskOrFailingWritesLeaveTheFileAsItWas) {
    MemoryTagFile full(original);
    full.capacity = static_cast<int64_t>(original.size()) + 10;
    EXPECT_FALSE(WriteRiffInfo(full, MakeRecord(std::string(127, 'T'))));
    EXPECT_EQ(full.bytes, original);

    MemoryTagFile failing(original);
    failing.failWrites = true;
    EXPECT_FALSE(WriteRiffInfo(failing, record));
    EXPECT_EQ(failing.bytes, original);

    Bytes longer = RmpWith(InfoListOf({InfoText("INAM", std::string(300, 'n')), BlankId3Entry()}));
    MemoryTagFile noCut(longer);
    noCut.failResize = true;
    EXPECT_FALSE(WriteRiffInfo(noCut, MakeRecord("")));
    EXPECT_EQ(noCut.bytes, longer);
}

TEST_F(RiffInfoWriteTest, ShortReadInsideTheListIsRefusedUnchanged) {
    MemoryTagFile memory(original);
    memory.readLimit = static_cast<int64_t>(original.size()) - 3;
    EXPECT_FALSE(WriteRiffInfo(memory, record));
    EXPECT_EQ(memory.bytes, original);
}

} // namespace
