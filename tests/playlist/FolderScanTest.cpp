// Folder walks: order, settings, lists in folders, links, bad folders and
// large trees.
#include "FakeInput.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

class FolderScanTest : public ::testing::Test {
  protected:
    MemoryFileAccess files;
    MessageLog log;
    FakeInput input;
    TOpenAudioFile model{files, log.Sink()};

    Names Scan(const std::string& folder) {
        Names list;
        model.ScanFolder(list, folder);
        return list;
    }
    void SetOptions(bool noSubfolders, bool noM3U) {
        FileTypeOptions options;
        options.noSubfolders = noSubfolders;
        options.noM3U = noM3U;
        model.SetOptions(options);
    }
};

TEST_F(FolderScanTest, AudioFilesOfTheTreeSortedWithoutRegardToCase) {
    files.AddFile("C:\\m\\b.MP3");
    files.AddFile("C:\\m\\notes.txt");
    files.AddFile("C:\\m\\Track01.cda");
    files.AddFile("C:\\m\\Sub\\c.wav");
    files.AddFile("C:\\m\\A.mp3");
    files.AddFile("C:\\m\\.hidden\\d.mp3");
    files.AddFile("C:\\m\\sub2\\deeper\\e.rmp");
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\A.mp3", "C:\\m\\b.MP3", "C:\\m\\Sub\\c.wav",
                                    "C:\\m\\sub2\\deeper\\e.rmp"}));
}

TEST_F(FolderScanTest, AppendsAfterWhatTheListHeld) {
    files.AddFile("C:\\m\\a.mp3");
    Names list = {"Z:\\first.mp3"};
    model.ScanFolder(list, "C:\\m");
    EXPECT_EQ(list, (Names{"Z:\\first.mp3", "C:\\m\\a.mp3"}));
}

TEST_F(FolderScanTest, NoSubfoldersSetting) {
    files.AddFile("C:\\m\\b.mp3");
    files.AddFile("C:\\m\\sub\\a.mp3");
    SetOptions(true, false);
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\b.mp3"}));
}

TEST_F(FolderScanTest, ListsOfTheFolderFollowItsFilesInTheirOrder) {
    files.AddFile("C:\\m\\b.mp3");
    files.AddFile("C:\\m\\list.m3u", "z.mp3\r\ny.mp3\r\n");
    files.AddFile("C:\\m\\a.mp3");
    files.AddFile("C:\\m\\sub\\inner.m3u", "w.mp3\r\n");
    files.AddFile("C:\\m\\sub\\c.mp3");
    // The subfolder's list entry is sorted in with the files.
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\a.mp3", "C:\\m\\b.mp3", "C:\\m\\sub\\c.mp3",
                                    "C:\\m\\sub\\w.mp3", "C:\\m\\z.mp3", "C:\\m\\y.mp3"}));
    SetOptions(false, true);
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\a.mp3", "C:\\m\\b.mp3", "C:\\m\\sub\\c.mp3"}));
}

TEST_F(FolderScanTest, LinksBackUpTheTreeEnd) {
    files.AddFile("C:\\m\\a.mp3");
    files.AddFile("C:\\m\\sub\\b.mp3");
    ASSERT_TRUE(files.AddLink("C:\\m\\sub\\up", "C:\\m"));
    ASSERT_TRUE(files.AddLink("C:\\m\\self", "C:\\m"));
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\a.mp3", "C:\\m\\sub\\b.mp3"}));
}

TEST_F(FolderScanTest, EveryFolderIsListedOnceHoweverManyLinksLeadThere) {
    // Each level links twice to the next: without the record of walked
    // folders this would be 2^40 paths.
    std::string level = "C:\\d0";
    files.AddFolder(level);
    for (int i = 1; i <= 40; ++i) {
        const std::string next = "C:\\d" + std::to_string(i);
        files.AddFile(next + "\\f.mp3");
        ASSERT_TRUE(files.AddLink(level + "\\x", next));
        ASSERT_TRUE(files.AddLink(level + "\\y", next));
        level = next;
    }
    const Names list = Scan("C:\\d0");
    EXPECT_EQ(list.size(), 40u);
}

TEST_F(FolderScanTest, UnreadableFoldersAddNothing) {
    files.AddFile("C:\\m\\a.mp3");
    files.AddFile("C:\\m\\locked\\b.mp3");
    files.AddFile("C:\\m\\open\\c.mp3");
    ASSERT_TRUE(files.SetUnreadable("C:\\m\\locked"));
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\a.mp3", "C:\\m\\open\\c.mp3"}));
    EXPECT_TRUE(Scan("C:\\missing").empty());
    ASSERT_TRUE(files.SetUnreadable("C:\\m"));
    EXPECT_TRUE(Scan("C:\\m").empty());
    EXPECT_TRUE(log.shown.empty());
}

TEST_F(FolderScanTest, PathsBeyondTheRecordAreSkipped) {
    const std::string folder = "C:\\" + std::string(200, 'f');
    const std::string fits = folder + "\\" + std::string(259 - folder.size() - 5, 'n') + ".mp3";
    const std::string tooLong = folder + "\\" + std::string(260 - folder.size() - 5, 'm') + ".mp3";
    ASSERT_EQ(fits.size(), 259u);
    files.AddFile(fits);
    files.AddFile(tooLong);
    files.AddFile(folder + "\\" + std::string(60, 's') + "\\x.mp3"); // folder fits, file not
    EXPECT_EQ(Scan(folder), (Names{fits}));
}

TEST_F(FolderScanTest, ListNamingItsOwnFolderEnds) {
    files.AddFile("C:\\m\\a.mp3");
    files.AddFile("C:\\m\\self.m3u", ".\\\r\nC:\\m\r\nb.mp3\r\n");
    EXPECT_EQ(Scan("C:\\m"), (Names{"C:\\m\\a.mp3", "C:\\m\\b.mp3"}));
}

TEST_F(FolderScanTest, ListsNamingEachOthersFoldersEnd) {
    files.AddFile("C:\\p\\to-q.m3u", "C:\\q\r\n");
    files.AddFile("C:\\q\\to-p.m3u", "C:\\p\r\n");
    files.AddFile("C:\\q\\q.mp3");
    files.AddFile("C:\\p\\p.mp3");
    EXPECT_EQ(Scan("C:\\p"), (Names{"C:\\p\\p.mp3", "C:\\q\\q.mp3"}));
}

TEST_F(FolderScanTest, ChainsOfListsNamingFurtherFoldersStop) {
    // Each folder's list names the next folder: a folder line read 16 calls
    // deep is no longer scanned, so the chain ends after eight folders.
    for (int i = 0; i < 40; ++i) {
        const std::string folder = "C:\\L" + std::to_string(i);
        files.AddFile(folder + "\\f.mp3");
        files.AddFile(folder + "\\next.m3u", "C:\\L" + std::to_string(i + 1) + "\r\n");
    }
    const Names list = Scan("C:\\L0");
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list.back(), "C:\\L7\\f.mp3");
}

TEST_F(FolderScanTest, DeepestFolderThePathAllows) {
    std::string folder = "C:";
    while (folder.size() + 2 + 6 <= 259)
        folder += "\\a";
    files.AddFile(folder + "\\x.mp3");
    const Names list = Scan("C:\\a");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], folder + "\\x.mp3");
}

TEST_F(FolderScanTest, HundredThousandFiles) {
    for (int folder = 0; folder < 100; ++folder) {
        for (int file = 0; file < 1000; ++file) {
            files.AddFile("C:\\big\\f" + std::to_string(folder) + "\\" + std::to_string(file) +
                          ".mp3");
        }
    }
    const Names list = Scan("C:\\big");
    ASSERT_EQ(list.size(), 100000u);
    EXPECT_EQ(list.front(), "C:\\big\\f0\\0.mp3");
    EXPECT_EQ(list.back(), "C:\\big\\f99\\999.mp3");
}

} // namespace
