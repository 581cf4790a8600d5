#include "SinkSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(SinkSettings, SinkNamesInAnyCaseWithBlanks) {
    SinkKind kind = SinkKind::WaveDevice;
    EXPECT_TRUE(ParseSinkKind(" Disk\t", kind));
    EXPECT_EQ(kind, SinkKind::DiskWriter);
    EXPECT_TRUE(ParseSinkKind("WAVE", kind));
    EXPECT_EQ(kind, SinkKind::WaveDevice);
}

TEST(SinkSettings, UnknownOrEmptySinkLeavesTheChoice) {
    SinkKind kind = SinkKind::DiskWriter;
    EXPECT_FALSE(ParseSinkKind("", kind));
    EXPECT_FALSE(ParseSinkKind("   ", kind));
    EXPECT_FALSE(ParseSinkKind("disks", kind));
    EXPECT_FALSE(ParseSinkKind("d isk", kind));
    EXPECT_FALSE(ParseSinkKind("\x83\x66\x83\x42\x83\x58\x83\x4e", kind)); // Shift-JIS bytes
    EXPECT_EQ(kind, SinkKind::DiskWriter);
}

TEST(SinkSettings, PaceNames) {
    DiskPace pace = DiskPace::RealTime;
    EXPECT_TRUE(ParseDiskPace("fast", pace));
    EXPECT_EQ(pace, DiskPace::Fast);
    EXPECT_TRUE(ParseDiskPace("RealTime", pace));
    EXPECT_EQ(pace, DiskPace::RealTime);
    EXPECT_FALSE(ParseDiskPace("slow", pace));
    EXPECT_EQ(pace, DiskPace::RealTime);
}

TEST(SinkSettings, RelativeFoldersHangBelowTheBase) {
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", "Recordings"),
              "C:\\Quorel\\Plugin\\Recordings");
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", "..\\out"), "C:\\Quorel\\Plugin\\..\\out");
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", "D:\\Saved"), "D:\\Saved");
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", "\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", "\\Saved"), "\\Saved");
    EXPECT_EQ(ResolveFolder("C:\\Quorel\\Plugin\\", ""), "");
}

TEST(SinkSettings, DiskFileNamesAreNumberedFromOne) {
    EXPECT_EQ(DiskFileName(1), "Varnoth-0001.wav");
    EXPECT_EQ(DiskFileName(kMostDiskFiles), "Varnoth-9999.wav");
}

} // namespace
