#include "FileTail.h"

#include "MemoryTagFile.h"
#include "TagTestSupport.h"

#include <gtest/gtest.h>

namespace {

const Bytes kOld = MakeAudio(100, 5);

Bytes Replaced(size_t start, const Bytes& data) {
    Bytes result(kOld.begin(), kOld.begin() + static_cast<std::ptrdiff_t>(start));
    Append(&result, data);
    return result;
}

TEST(FileTail, GrowsShrinksOrKeepsTheLength) {
    for (size_t size : {0u, 10u, 30u, 200u}) {
        MemoryTagFile file(kOld);
        Bytes data = MakeAudio(size, 9);
        ASSERT_TRUE(ReplaceFileTail(file, 70, data.data(), data.size()));
        EXPECT_EQ(file.bytes, Replaced(70, data));
    }
}

TEST(FileTail, AppendsAtTheEnd) {
    MemoryTagFile file(kOld);
    Bytes data = MakeAudio(8, 9);
    ASSERT_TRUE(ReplaceFileTail(file, 100, data.data(), data.size()));
    EXPECT_EQ(file.bytes, kOld + data);
}

TEST(FileTail, StartPastTheEndIsRefused) {
    MemoryTagFile file(kOld);
    uint8_t byte = 1;
    EXPECT_FALSE(ReplaceFileTail(file, 101, &byte, 1));
    EXPECT_FALSE(ReplaceFileTail(file, -1, &byte, 1));
    EXPECT_EQ(file.bytes, kOld);
}

TEST(FileTail, FullDiskCutsTheFileBackBeforeAnythingElseChanges) {
    MemoryTagFile file(kOld);
    file.capacity = 120;
    Bytes data = MakeAudio(60, 9);
    EXPECT_FALSE(ReplaceFileTail(file, 70, data.data(), data.size()));
    EXPECT_EQ(file.bytes, kOld);
}

TEST(FileTail, FailedOverwritePutsTheOldBytesBack) {
    MemoryTagFile file(kOld);
    file.failingWrite = 2; // the first writes the part beyond the old end
    Bytes data = MakeAudio(60, 9);
    EXPECT_FALSE(ReplaceFileTail(file, 70, data.data(), data.size()));
    EXPECT_EQ(file.bytes, kOld);
}

TEST(FileTail, FailedCutPutsTheOldBytesBack) {
    MemoryTagFile file(kOld);
    file.failResize = true;
    Bytes data = MakeAudio(5, 9);
    EXPECT_FALSE(ReplaceFileTail(file, 70, data.data(), data.size()));
    EXPECT_EQ(file.bytes, kOld);
}

TEST(FileTail, ShortReadOfTheOldBytesChangesNothing) {
    MemoryTagFile file(kOld);
    file.readLimit = 90;
    Bytes data = MakeAudio(5, 9);
    EXPECT_FALSE(ReplaceFileTail(file, 70, data.data(), data.size()));
    EXPECT_EQ(file.bytes, kOld);
    EXPECT_EQ(file.writeCalls, 0);
}

} // namespace
