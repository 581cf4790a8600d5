// Writing M3U lists, with and without relative paths.
#include "FakeInput.h"
#include "M3UWriting.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "TestItems.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(M3UWritingTest, RelativeSavingFromTheListsFolder) {
    TInputItemDB items;
    AddTestItem(items, "C:\\music\\a.mp3");
    AddTestItem(items, "D:\\b.mp3");
    AddTestItem(items, "C:\\musicbox\\c.mp3");
    EXPECT_EQ(FormatM3U(items, "C:\\music\\lists\\p.m3u", true),
              "#M3U\r\n..\\a.mp3\r\nD:\\b.mp3\r\n..\\..\\musicbox\\c.mp3\r\n");
    EXPECT_EQ(FormatM3U(items, "C:\\music\\lists\\p.m3u", false),
              "#M3U\r\nC:\\music\\a.mp3\r\nD:\\b.mp3\r\nC:\\musicbox\\c.mp3\r\n");
}

TEST(M3UWritingTest, RelativePaths) {
    const char* base = "C:\\music\\lists\\";
    EXPECT_EQ(RelativeM3UPath(base, "c:\\MUSIC\\Lists\\x.mp3"), "x.mp3");
    EXPECT_EQ(RelativeM3UPath(base, "C:\\music\\lists\\sub\\x.mp3"), "sub\\x.mp3");
    EXPECT_EQ(RelativeM3UPath(base, "C:\\x.mp3"), "..\\..\\x.mp3");
    EXPECT_EQ(RelativeM3UPath(base, "relative\\x.mp3"), "relative\\x.mp3");
    EXPECT_EQ(RelativeM3UPath(base, "\\\\server\\share\\x.mp3"), "\\\\server\\share\\x.mp3");
    EXPECT_EQ(RelativeM3UPath("\\\\server\\share\\", "\\\\server\\share\\x.mp3"),
              "\\\\server\\share\\x.mp3");
    // Brackets and braces are different characters, not cases of each other.
    EXPECT_EQ(RelativeM3UPath("C:\\a[1]\\", "C:\\a{1}\\x.mp3"), "..\\a{1}\\x.mp3");
    EXPECT_EQ(RelativeM3UPath("C:\\\x83\x5c\\", "C:\\\x83\x5c\\x.mp3"), "x.mp3");
}

TEST(M3UWritingTest, SaveWritesTheFile) {
    MemoryFileAccess files;
    files.AddFolder("C:\\lists");
    TInputItemDB items;
    AddTestItem(items, "C:\\a.mp3");
    MessageLog log;
    EXPECT_TRUE(SaveM3U(files, "C:\\lists\\p.m3u", items, true, log.Sink()));
    std::string written;
    ASSERT_TRUE(files.ReadFile("C:\\lists\\p.m3u", 1000, written));
    EXPECT_EQ(written, "#M3U\r\n..\\a.mp3\r\n");
    EXPECT_TRUE(log.shown.empty());
}

TEST(M3UWritingTest, FailedSaveShowsTheMessage) {
    MemoryFileAccess files;
    TInputItemDB items;
    MessageLog log;
    EXPECT_FALSE(SaveM3U(files, "C:\\missing\\p.m3u", items, false, log.Sink()));
    EXPECT_EQ(log.shown, (Names{kMsgFileCreateFailed}));
}

TEST(M3UWritingTest, SavedRelativeListReadsBackToTheSamePaths) {
    MemoryFileAccess files;
    files.AddFolder("C:\\music\\lists");
    TInputItemDB items;
    const Names paths = {"C:\\music\\a.mp3", "D:\\b.mp3", "C:\\musicbox\\c.mp3",
                         "C:\\music\\lists\\d.mp3"};
    for (const std::string& path : paths)
        AddTestItem(items, path);
    ASSERT_TRUE(SaveM3U(files, "C:\\music\\lists\\p.m3u", items, true, {}));
    TOpenAudioFile model(files, {});
    Names read;
    model.ReadM3U("C:\\music\\lists\\p.m3u", read);
    EXPECT_EQ(read, paths);
}

} // namespace
