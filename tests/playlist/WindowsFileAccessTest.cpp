// The Windows file access against a real folder tree in the temp folder
// (runs under Windows or wine).
#include "OpenAudioFile.h"
#include "WindowsFileAccess.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class WindowsFileAccessTest : public ::testing::Test {
  protected:
    WindowsFileAccess files;
    std::string root; // with its trailing backslash

    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        root =
            std::string(temp) + "quorel_playlist_" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((root + "sub").c_str(), nullptr));
        ASSERT_TRUE(files.WriteFile(root + "b.mp3", "b"));
        ASSERT_TRUE(files.WriteFile(root + "A.mp3", "a"));
        ASSERT_TRUE(files.WriteFile(root + "sub\\c.wav", "c"));
    }
    void TearDown() override {
        DeleteFileA((root + "sub\\c.wav").c_str());
        DeleteFileA((root + "b.mp3").c_str());
        DeleteFileA((root + "A.mp3").c_str());
        DeleteFileA((root + "list.m3u").c_str());
        RemoveDirectoryA((root + "sub").c_str());
        RemoveDirectoryA(root.c_str());
    }
};

TEST_F(WindowsFileAccessTest, ListsEntriesWithoutDotEntries) {
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(root, entries));
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        names.push_back(entry.name + (entry.isFolder ? "\\" : ""));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"A.mp3", "b.mp3", "sub\\"}));
    EXPECT_FALSE(files.ListFolder(root + "missing\\", entries));
}

TEST_F(WindowsFileAccessTest, FoldersAndIdentities) {
    EXPECT_TRUE(files.IsFolder(root + "sub"));
    EXPECT_TRUE(files.IsFolder(root + "SUB\\"));
    EXPECT_FALSE(files.IsFolder(root + "b.mp3"));
    EXPECT_FALSE(files.IsFolder(root + "missing"));
    std::string sub;
    std::string subAgain;
    std::string top;
    ASSERT_TRUE(files.FolderIdentity(root + "sub\\", sub));
    ASSERT_TRUE(files.FolderIdentity(root + "SUB\\..\\sub\\", subAgain));
    ASSERT_TRUE(files.FolderIdentity(root, top));
    EXPECT_EQ(sub, subAgain);
    EXPECT_NE(sub, top);
    EXPECT_FALSE(files.FolderIdentity(root + "missing\\", top));
}

TEST_F(WindowsFileAccessTest, ReadsAndWritesWholeFiles) {
    std::string bytes;
    ASSERT_TRUE(files.ReadFile(root + "b.mp3", 10, bytes));
    EXPECT_EQ(bytes, "b");
    EXPECT_FALSE(files.ReadFile(root + "missing.mp3", 10, bytes));
    ASSERT_TRUE(files.WriteFile(root + "list.m3u", "#M3U\r\nA.mp3\r\n"));
    ASSERT_TRUE(files.ReadFile(root + "list.m3u", 100, bytes));
    EXPECT_EQ(bytes, "#M3U\r\nA.mp3\r\n");
    EXPECT_FALSE(files.ReadFile(root + "list.m3u", 5, bytes)); // larger than allowed
    EXPECT_FALSE(files.WriteFile(root + "missing\\x.m3u", "x"));
    // A refused replacement leaves the old list whole and no temporary file.
    ASSERT_TRUE(SetFileAttributesA((root + "list.m3u").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.WriteFile(root + "list.m3u", "#M3U\r\nother.mp3\r\n"));
    ASSERT_TRUE(files.ReadFile(root + "list.m3u", 100, bytes));
    EXPECT_EQ(bytes, "#M3U\r\nA.mp3\r\n");
    EXPECT_FALSE(files.ReadFile(root + "list.m3u.tmp", 100, bytes));
    SetFileAttributesA((root + "list.m3u").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsFileAccessTest, FolderWalkThroughTheWindowsFunctions) {
    ASSERT_TRUE(files.WriteFile(root + "list.m3u", "sub\\c.wav\r\n"));
    TOpenAudioFile model(files, {});
    std::vector<std::string> list;
    model.ScanFolder(list, root.substr(0, root.size() - 1));
    EXPECT_EQ(list, (std::vector<std::string>{root + "A.mp3", root + "b.mp3", root + "sub\\c.wav",
                                              root + "sub\\c.wav"}));
}

} // namespace
