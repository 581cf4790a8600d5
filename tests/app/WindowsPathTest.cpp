#include "WindowsPath.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsPath, JoinAddsExactlyOneBackslash) {
    EXPECT_EQ(JoinWindowsPath("C:\\WINDOWS", "quorel.m3u"), "C:\\WINDOWS\\quorel.m3u");
    EXPECT_EQ(JoinWindowsPath("C:\\", "quorel.m3u"), "C:\\quorel.m3u");
    EXPECT_EQ(JoinWindowsPath("C:", "Quorel.ini"), "C:\\Quorel.ini");
}

TEST(WindowsPath, FolderIsEverythingBeforeTheLastBackslash) {
    EXPECT_EQ(FolderOfPath("C:\\Program Files\\Quorel\\Quorel.exe"), "C:\\Program Files\\Quorel");
    EXPECT_EQ(FolderOfPath("C:\\Quorel.exe"), "C:");
    EXPECT_EQ(FolderOfPath("Quorel.exe"), "");
}

TEST(WindowsPath, ShiftJisFolderWithBackslashTrailByteStaysWhole) {
    // 表 is 0x95 0x5C in code page 932: only the last backslash separates.
    EXPECT_EQ(FolderOfPath("C:\\\x95\x5c\\Quorel.exe"), "C:\\\x95\x5c");
}

} // namespace
