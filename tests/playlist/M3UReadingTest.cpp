// Reading M3U lists: comments, relative lines, folders, bad lines.
#include "FakeInput.h"
#include "M3UReading.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

class M3UReadingTest : public ::testing::Test {
  protected:
    MemoryFileAccess files;
    MessageLog log;
    FakeInput input;
    TOpenAudioFile model{files, log.Sink()};

    Names Read(const std::string& path, const std::string& contents) {
        files.AddFile(path, contents);
        Names list;
        model.ReadM3U(path, list);
        return list;
    }
};

TEST_F(M3UReadingTest, RelativeLinesResolveAgainstTheListsFolder) {
    EXPECT_EQ(Read("C:\\m\\list.m3u", "..\\x\\a.mp3\r\n.\\b.mp3\r\n"),
              (Names{"C:\\x\\a.mp3", "C:\\m\\b.mp3"}));
}

TEST_F(M3UReadingTest, DotSegments) {
    EXPECT_EQ(ResolveM3ULine("C:\\a\\b", "sub\\c.mp3"), "C:\\a\\b\\sub\\c.mp3");
    EXPECT_EQ(ResolveM3ULine("C:\\a\\b", ".\\.\\..\\c.mp3"), "C:\\a\\c.mp3");
    // The drive stays when ".." runs out of folders.
    EXPECT_EQ(ResolveM3ULine("C:\\a", "..\\..\\..\\c.mp3"), "C:\\c.mp3");
    // Names that merely begin with dots are names.
    EXPECT_EQ(ResolveM3ULine("C:\\a", ".hidden.mp3"), "C:\\a\\.hidden.mp3");
    EXPECT_EQ(ResolveM3ULine("C:\\a", "..odd.mp3"), "C:\\a\\..odd.mp3");
    EXPECT_EQ(ResolveM3ULine("C:\\a", "x\\..\\c.mp3"), "C:\\a\\x\\..\\c.mp3");
    // Nor does a network list climb out of its share.
    EXPECT_EQ(ResolveM3ULine("\\\\srv\\share\\x", "..\\..\\..\\c.mp3"), "\\\\srv\\share\\c.mp3");
    EXPECT_EQ(ResolveM3ULine("", "a.mp3"), "a.mp3");
    EXPECT_EQ(ResolveM3ULine("", ".\\"), std::nullopt);
}

TEST_F(M3UReadingTest, AbsoluteLinesStayAsTheyAre) {
    EXPECT_EQ(Read("C:\\m\\l.m3u", "D:\\a.mp3\n\\\\server\\share\\b.mp3\n"),
              (Names{"D:\\a.mp3", "\\\\server\\share\\b.mp3"}));
}

TEST_F(M3UReadingTest, CommentsAndBlankLinesAreSkipped) {
    const std::string list = "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\na.mp3\r\n\r\n   \r\n"
                             "#M3U\n#V3M3U\nb.mp3";
    EXPECT_EQ(Read("C:\\m\\l.m3u", list), (Names{"C:\\m\\a.mp3", "C:\\m\\b.mp3"}));
    EXPECT_TRUE(log.shown.empty());
}

TEST_F(M3UReadingTest, TextAfterANulIsIgnored) {
    EXPECT_EQ(Read("C:\\m\\l.m3u", std::string("a.mp3\0junk\nb.mp3\n", 17)),
              (Names{"C:\\m\\a.mp3", "C:\\m\\b.mp3"}));
}

TEST_F(M3UReadingTest, BackslashInsideDoubleByteFolderName) {
    // "C:\ソ\list.m3u": the folder name ends in the byte 0x5C.
    EXPECT_EQ(Read("C:\\\x83\x5c\\list.m3u", "a.mp3\n..\\b.mp3\n"),
              (Names{"C:\\\x83\x5c\\a.mp3", "C:\\b.mp3"}));
}

TEST_F(M3UReadingTest, FolderLinesAreScanned) {
    files.AddFile("C:\\music\\b.mp3");
    files.AddFile("C:\\music\\a.mp3");
    files.AddFile("C:\\m\\sub\\c.mp3");
    EXPECT_EQ(Read("C:\\m\\l.m3u", "z.mp3\nC:\\music\\\nsub\ny.mp3\n"),
              (Names{"C:\\m\\z.mp3", "C:\\music\\a.mp3", "C:\\music\\b.mp3", "C:\\m\\sub\\c.mp3",
                     "C:\\m\\y.mp3"}));
}

TEST_F(M3UReadingTest, DriveRootLineAddsItsCDTracks) {
    input.cdTrackCount = 2;
    model.SetInput(&input);
    files.AddFolder("D:");
    EXPECT_EQ(Read("C:\\m\\l.m3u", "D:\\\n"), (Names{"D:\\Track01.cda", "D:\\Track02.cda"}));
}

TEST_F(M3UReadingTest, OverlongLinesAreDroppedWhole) {
    // 300 characters: neither its first 260 nor its last 40 name the file.
    const std::string longLine = "C:\\" + std::string(293, 'x') + ".mp3";
    const std::string fits = "C:\\" + std::string(252, 'y') + ".mp3";
    ASSERT_EQ(fits.size(), 259u);
    EXPECT_EQ(Read("C:\\m\\l.m3u", longLine + "\r\n" + fits + "\r\nlast.mp3\r\n"),
              (Names{fits, "C:\\m\\last.mp3"}));
}

TEST_F(M3UReadingTest, RelativeLinesThatOutgrowThePathAreDropped) {
    const std::string folder = "C:\\" + std::string(248, 'f');
    EXPECT_EQ(Read(folder + "\\l.m3u", "abcd.mp3\nabc.mp3\n"), (Names{folder + "\\abc.mp3"}));
}

TEST_F(M3UReadingTest, MissingListShowsTheMessage) {
    Names list;
    model.ReadM3U("C:\\none.m3u", list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(log.shown, (Names{kMsgM3UOpenFailed}));
}

TEST_F(M3UReadingTest, EntryLinesAloneSplitOnLineFeeds) {
    const std::vector<std::string_view> lines = M3UEntryLines("a\r\nb\n\rc\r\n#d\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "\rc"); // only the carriage return of a line end goes
}

} // namespace
