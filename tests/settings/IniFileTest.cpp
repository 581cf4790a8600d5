#include "IniFile.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string kOldContent = "[FileList]\r\nName0=C:\\a.mp3\r\n";

IniDocument OneKey(int32_t value) {
    IniDocument document;
    document.WriteInteger("A", "x", value);
    return document;
}

TEST(IniFile, MissingFileReadsAsEmpty) {
    TemporaryFolder folder;
    const IniFileContent content = ReadIniFile(folder.Path("Quorel.ini"));
    EXPECT_EQ(content.state, IniFileState::Missing);
    EXPECT_EQ(content.document.ToBytes(), "");
    EXPECT_EQ(ReadIniFile(folder.Path("no folder/Quorel.ini")).state, IniFileState::Missing);
}

TEST(IniFile, WritesAndReadsBackWithCrLf) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    ASSERT_TRUE(WriteIniFile(path, OneKey(5)));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=5\r\n");
    const IniFileContent content = ReadIniFile(path);
    EXPECT_EQ(content.state, IniFileState::Read);
    EXPECT_EQ(content.document.ReadInteger("A", "x", 0), 5);
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(IniFile, UpdateKeepsEverythingElse) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, "; mine\nunsectioned\n" + kOldContent + "[A]\nx=1\ny=2\n");
    ASSERT_TRUE(UpdateIniFile(path, [](IniDocument& d) { return d.WriteInteger("A", "x", 3); }));
    EXPECT_EQ(ReadBytes(path), "; mine\r\nunsectioned\r\n" + kOldContent + "[A]\r\nx=3\r\ny=2\r\n");
}

TEST(IniFile, UpdateThatDeclinesWritesNothing) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, "[A]\nx=1\n");
    EXPECT_FALSE(UpdateIniFile(path, [](IniDocument& d) {
        d.WriteInteger("A", "x", 2);
        return false;
    }));
    EXPECT_EQ(ReadBytes(path), "[A]\nx=1\n");
    EXPECT_FALSE(Exists(path + ".tmp"));
}

// A hard link still shows the old bytes only if the file was swapped, not
// rewritten where it lay: a crash during writing could not have touched it.
TEST(IniFile, ReplacesTheFileInsteadOfRewritingIt) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    const std::string link = folder.Path("link.ini");
    WriteBytes(path, kOldContent);
    std::error_code error;
    fs::create_hard_link(path, link, error);
    if (error) GTEST_SKIP() << "no hard links here: " << error.message();
    ASSERT_TRUE(WriteIniFile(path, OneKey(1)));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ReadBytes(link), kOldContent);
}

TEST(IniFile, StaleTemporaryFileFromACrashIsOverwritten) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, kOldContent);
    WriteBytes(path + ".tmp", "[half");
    ASSERT_TRUE(WriteIniFile(path, OneKey(2)));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=2\r\n");
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(IniFile, WriteIntoAMissingFolderFailsCleanly) {
    TemporaryFolder folder;
    const std::string path = folder.Path("gone/Quorel.ini");
    EXPECT_FALSE(WriteIniFile(path, OneKey(1)));
    EXPECT_FALSE(UpdateIniFile(path, [](IniDocument&) { return true; }));
    EXPECT_FALSE(Exists(folder.Path("gone")));
}

TEST(IniFile, ReadOnlyFileIsLeftAlone) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, kOldContent);
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool written = WriteIniFile(path, OneKey(1));
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), kOldContent);
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(IniFile, FolderInPlaceOfTheFileIsLeftAlone) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    fs::create_directory(path);
    EXPECT_EQ(ReadIniFile(path).state, IniFileState::Unreadable);
    EXPECT_FALSE(WriteIniFile(path, OneKey(1)));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(IniFile, BlockedTemporaryNameFailsWithoutTouchingEither) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, kOldContent);
    fs::create_directory(path + ".tmp");
    EXPECT_FALSE(WriteIniFile(path, OneKey(1)));
    EXPECT_EQ(ReadBytes(path), kOldContent);
    EXPECT_TRUE(fs::is_directory(path + ".tmp"));
}

#if defined(__linux__)
// The temporary file lands on a full device: the write fails half-way.
TEST(IniFile, FailedWriteKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, kOldContent);
    fs::create_symlink("/dev/full", path + ".tmp");
    EXPECT_FALSE(WriteIniFile(path, OneKey(1)));
    EXPECT_EQ(ReadBytes(path), kOldContent);
    EXPECT_FALSE(fs::is_symlink(path + ".tmp"));
}
#endif

TEST(IniFile, OversizedFileIsUnreadableAndNeverOverwritten) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    const std::string huge = "[A]\r\nx=1\r\n" + std::string(kMaxIniFileBytes, ';');
    WriteBytes(path, huge);
    const IniFileContent content = ReadIniFile(path);
    EXPECT_EQ(content.state, IniFileState::Unreadable);
    EXPECT_EQ(content.document.ReadInteger("A", "x", 0), 0);
    EXPECT_FALSE(UpdateIniFile(path, [](IniDocument& d) { return d.WriteInteger("A", "x", 2); }));
    EXPECT_EQ(ReadBytes(path).size(), huge.size());
}

// Three megabytes of LF grow to six with CR LF: written, it could not be read.
TEST(IniFile, DocumentThatWouldGrowPastTheLimitIsNotWritten) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    const std::string lines = "[A]\nx=1\n" + std::string(3 * 1024 * 1024, '\n');
    WriteBytes(path, lines);
    EXPECT_FALSE(UpdateIniFile(path, [](IniDocument& d) { return d.WriteInteger("A", "x", 2); }));
    EXPECT_EQ(ReadBytes(path), lines);
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(IniFile, FileAtTheSizeLimitIsRead) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    const std::string head = "[A]\r\nx=1\r\n";
    WriteBytes(path, head + std::string(kMaxIniFileBytes - head.size(), ';'));
    EXPECT_EQ(ReadIniFile(path).document.ReadInteger("A", "x", 0), 1);
}

TEST(IniFile, PathsWithNulOrNothingAreRefused) {
    TemporaryFolder folder;
    const std::string cut = folder.Path("Quorel.ini");
    WriteBytes(cut, kOldContent);
    const std::string withNul = cut + "\0.bak"s;
    EXPECT_EQ(ReadIniFile(withNul).state, IniFileState::Unreadable);
    EXPECT_FALSE(WriteIniFile(withNul, OneKey(1)));
    EXPECT_EQ(ReadBytes(cut), kOldContent);
    EXPECT_EQ(ReadIniFile("").state, IniFileState::Unreadable);
    EXPECT_FALSE(WriteIniFile("", OneKey(1)));
}

} // namespace
