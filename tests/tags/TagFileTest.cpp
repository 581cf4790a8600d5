#include "TagFile.h"

#include "TempFile.h"

#include <gtest/gtest.h>

namespace {

TEST(TagFile, ReadsWritesAndResizesAtAbsoluteOffsets) {
    TempFile temp(Bytes{'a', 'b', 'c', 'd'});
    std::unique_ptr<TagFile> file = OpenTagFile(temp.path(), TagFileAccess::ReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 4);
    char buffer[8] = {};
    EXPECT_EQ(file->ReadAt(2, buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "cd");
    EXPECT_EQ(file->ReadAt(9, buffer, 1), 0u);
    ASSERT_TRUE(file->WriteAt(3, "XYZ", 3));
    EXPECT_EQ(file->Size(), 6);
    ASSERT_TRUE(file->Resize(5));
    file.reset();
    EXPECT_EQ(temp.Read(), (Bytes{'a', 'b', 'c', 'X', 'Y'}));
}

TEST(TagFile, ReadOnlyAccessCannotWrite) {
    TempFile temp(Bytes{'a'});
    std::unique_ptr<TagFile> file = OpenTagFile(temp.path(), TagFileAccess::ReadOnly);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->WriteAt(0, "b", 1));
    EXPECT_FALSE(file->Resize(0));
    file.reset();
    EXPECT_EQ(temp.Read(), Bytes{'a'});
}

TEST(TagFile, MissingFilesAndFoldersDoNotOpen) {
    TempFile temp(Bytes{'a'});
    temp.Remove();
    EXPECT_FALSE(OpenTagFile(temp.path(), TagFileAccess::ReadOnly));
    EXPECT_FALSE(OpenTagFile(temp.folder().c_str(), TagFileAccess::ReadOnly));
    EXPECT_FALSE(OpenTagFile(nullptr, TagFileAccess::ReadOnly));
}

TEST(TagFile, ReadExactNeedsEveryByte) {
    TempFile temp(Bytes{'a', 'b'});
    std::unique_ptr<TagFile> file = OpenTagFile(temp.path(), TagFileAccess::ReadOnly);
    ASSERT_TRUE(file);
    char buffer[3];
    EXPECT_TRUE(ReadExactAt(*file, 0, buffer, 2));
    EXPECT_FALSE(ReadExactAt(*file, 0, buffer, 3));
    EXPECT_FALSE(ReadExactAt(*file, -1, buffer, 1));
}

} // namespace
