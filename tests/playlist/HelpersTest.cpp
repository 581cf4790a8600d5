// Genre table, path pieces, text comparisons and the message texts.
#include "Cp932.h"
#include "FileAccess.h"
#include "Genres.h"
#include "MemoryFileAccess.h"
#include "Messages.h"
#include "PathNames.h"
#include "TextCompare.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// "C:\ソフト\表.mp3": both double-byte characters end in the byte 0x5C.
const std::string kSoftFolder = "C:\\\x83\x5c\x83\x74\x83\x67\\";
const std::string kDbcsPath = kSoftFolder + "\x95\x5c.mp3";

TEST(GenresTest, TableHasTheListedNamesAndNoMore) {
    EXPECT_EQ(kGenreCount, 148);
    EXPECT_STREQ(GenreNameOf(0), "Blues");
    EXPECT_STREQ(GenreNameOf(12), "Other");
    EXPECT_STREQ(GenreNameOf(13), "Pop");
    EXPECT_STREQ(GenreNameOf(101), "SpeechChanson");
    EXPECT_STREQ(GenreNameOf(147), "Synthpop");
    EXPECT_STREQ(GenreNameOf(148), "");
    EXPECT_STREQ(GenreNameOf(255), "");
    EXPECT_STREQ(GenreNameOf(-1), "");
}

TEST(GenresTest, KeepsTheTraditionalSpellings) {
    EXPECT_STREQ(GenreNameOf(25), "Euro-tecno");
    EXPECT_STREQ(GenreNameOf(29), "Juzz+Funk");
    EXPECT_STREQ(GenreNameOf(37), "Sound Cip");
    EXPECT_STREQ(GenreNameOf(67), "Psychadelic");
    EXPECT_STREQ(GenreNameOf(85), "Bedob");
    EXPECT_STREQ(GenreNameOf(90), "Avantagarde");
    EXPECT_STREQ(GenreNameOf(118), "Rhytmic Soul");
    EXPECT_STREQ(GenreNameOf(119), "Freeyle");
    EXPECT_STREQ(GenreNameOf(133), "Negerpunk");
    EXPECT_STREQ(GenreNameOf(138), "Black Metal");
}

TEST(PathNamesTest, SplitsPaths) {
    EXPECT_EQ(FileNameOf("C:\\a\\b.mp3"), "b.mp3");
    EXPECT_EQ(FileNameOf("b.mp3"), "b.mp3");
    EXPECT_EQ(FolderOf("C:\\a\\b.mp3"), "C:\\a\\");
    EXPECT_EQ(FolderOf("b.mp3"), "c:\\");
    EXPECT_EQ(ExtensionOf("A.B.MP3"), "mp3");
    EXPECT_EQ(ExtensionOf("C:\\x.y\\noext"), "");
}

TEST(PathNamesTest, BackslashInsideDoubleByteCharacterIsNoSeparator) {
    EXPECT_EQ(FileNameOf(kDbcsPath), "\x95\x5c.mp3");
    EXPECT_EQ(FolderOf(kDbcsPath), kSoftFolder);
    EXPECT_EQ(FileNameOf("C:\\\x95\x5c"), "\x95\x5c");
}

TEST(PathNamesTest, TrailingNumber) {
    EXPECT_EQ(TrailingNumberOf("C:\\x\\Track07.cda"), 7);
    EXPECT_EQ(TrailingNumberOf("song.mp3"), -1);
    EXPECT_EQ(TrailingNumberOf("C:\\x\\01 intro 12.b.mp3"), 12);
    EXPECT_EQ(TrailingNumberOf("C:\\x\\take-5.mp3"), -5);
    EXPECT_EQ(TrailingNumberOf("C:\\x\\42"), 42);
    EXPECT_EQ(TrailingNumberOf("C:\\x\\.mp3"), -1);
    // Eleven nines no longer fit 32 bits: the longest suffix that does wins.
    EXPECT_EQ(TrailingNumberOf("C:\\x\\a99999999999.mp3"), 999999999);
}

TEST(PathNamesTest, KindsByExtension) {
    EXPECT_EQ(FileKindOf("a.rmp"), kKindRmp);
    EXPECT_EQ(FileKindOf("C:\\A.MP3"), kKindMp3);
    EXPECT_EQ(FileKindOf("a.Mp2"), kKindMp2);
    EXPECT_EQ(FileKindOf("a.mp1"), kKindMp1);
    EXPECT_EQ(FileKindOf("a.mpg"), kKindMp1);
    EXPECT_EQ(FileKindOf("a.wav"), kKindWav);
    EXPECT_EQ(FileKindOf("list.M3U"), kKindM3U);
    EXPECT_EQ(FileKindOf("D:\\Track01.cda"), kKindCDTrack);
    EXPECT_EQ(FileKindOf("a.ogg"), kKindOther);
    EXPECT_EQ(FileKindOf("a.mp3.txt"), kKindOther);
    EXPECT_EQ(FileKindOf("mp3"), kKindMp3); // no "." means the whole name
    EXPECT_TRUE(IsAudioKind(kKindRmp) && IsAudioKind(kKindWav));
    EXPECT_FALSE(IsAudioKind(kKindCDTrack) || IsAudioKind(kKindM3U));
    EXPECT_TRUE(IsMpegKind(kKindMp1) && IsMpegKind(kKindMp3));
    EXPECT_FALSE(IsMpegKind(kKindWav) || IsMpegKind(kKindRmp));
}

TEST(PathNamesTest, AbsolutePaths) {
    EXPECT_TRUE(IsAbsolutePath("C:\\a.mp3"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\a.mp3"));
    EXPECT_FALSE(IsAbsolutePath("C:a.mp3"));
    EXPECT_FALSE(IsAbsolutePath("\\a.mp3"));
    EXPECT_FALSE(IsAbsolutePath("a.mp3"));
}

TEST(PathNamesTest, ExistingFolder) {
    MemoryFileAccess files;
    ASSERT_TRUE(files.AddFile("C:\\music\\a.mp3"));
    EXPECT_EQ(ExistingFolder(files, "C:\\music\\"), "C:\\music");
    EXPECT_EQ(ExistingFolder(files, "c:\\MUSIC"), "c:\\MUSIC");
    EXPECT_EQ(ExistingFolder(files, "C:\\"), "C:");
    EXPECT_EQ(ExistingFolder(files, "C:\\music\\a.mp3"), "");
    EXPECT_EQ(ExistingFolder(files, "C:\\nothing"), "");
    EXPECT_EQ(ExistingFolder(files, ""), "");
}

TEST(Cp932Test, FoldsOnlySingleByteLetters) {
    EXPECT_EQ(ToLowerAnsi("C:\\ABC.MP3"), "c:\\abc.mp3");
    // 0x83 0x41 is one character; its 'A' byte must stay.
    EXPECT_EQ(ToLowerAnsi("\x83\x41Z"), "\x83\x41z");
    EXPECT_EQ(CompareNoCase("abc", "ABC"), 0);
    EXPECT_LT(CompareNoCase("a", "B"), 0);
    EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
    EXPECT_NE(CompareNoCase("\x83\x41", "\x83\x61"), 0);
    EXPECT_LT(CompareNoCase("z", "\x83\x41"), 0);   // double-byte after ASCII
    EXPECT_LT(CompareNoCase("f1\\x", "f10\\x"), 0); // the separator first
    EXPECT_LT(CompareNoCase("a\\z", "a!"), 0);
}

TEST(TextCompareTest, Blank) {
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" a "));
    EXPECT_FALSE(IsBlank("\t"));
}

TEST(TextCompareTest, KeysComparePrefixesEqualAndBytesSigned) {
    EXPECT_EQ(CompareKeys("abc", "abcd"), 0);
    EXPECT_EQ(CompareKeys("", "x"), 0);
    EXPECT_LT(CompareKeys("abc", "abd"), 0);
    EXPECT_GT(CompareKeys("b", "a"), 0);
    EXPECT_LT(CompareKeys("\x82\xa0", "A"), 0); // lead bytes are negative
}

TEST(TextCompareTest, FoldedComparison) {
    EXPECT_EQ(CompareFolded("C:\\MUSIC\\", "c:\\music\\", 9), 0);
    EXPECT_EQ(CompareFolded("abc", "abd", 2), 0);
    EXPECT_EQ(CompareFolded("ab", "ab", 10), 0);
    EXPECT_EQ(CompareFolded("ab", "abc", 10), -1);
    EXPECT_EQ(CompareFolded("abd", "abc", 3), 1);
    // Only letters fold: brackets and braces are different names.
    EXPECT_NE(CompareFolded("[1]", "{1}", 3), 0);
    EXPECT_NE(CompareFolded("@", "`", 1), 0);
    EXPECT_NE(CompareFolded("\x83\x41", "\x83\x61", 2), 0);
}

TEST(TextCompareTest, StripLineFeeds) {
    char text[] = "a\nb\n";
    EXPECT_TRUE(StripLineFeeds(text));
    EXPECT_EQ(std::string(text, sizeof text), std::string("a\0b\0\0", 5));
    char plain[] = "abc";
    EXPECT_FALSE(StripLineFeeds(plain));
    EXPECT_STREQ(plain, "abc");
}

std::string ToCp932(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return "";
    std::string in = utf8;
    std::string out(in.size() * 2, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) return "";
    out.resize(out.size() - outLeft);
    return out;
}

TEST(MessagesTest, TextsAreTheCodePage932Bytes) {
    EXPECT_EQ(kMsgUnsupportedFormat, ToCp932("サポートされていない形式です。"));
    EXPECT_EQ(kMsgM3UOpenFailed, ToCp932("m3uファイルが開けません"));
    EXPECT_EQ(kMsgFileCreateFailed, ToCp932("ファイルが開けませんでした"));
    EXPECT_EQ(kMsgOutOfMemory, ToCp932("領域が確保できません"));
}

} // namespace
