#include "WindowParameter.h"

#include "SettingsFields.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectParameter(const WindowParameter& p, int32_t volume, int32_t repeat, int32_t left,
                     int32_t top) {
    EXPECT_EQ(p.Volume, volume);
    EXPECT_EQ(p.Repeat, repeat);
    EXPECT_EQ(p.Left, left);
    EXPECT_EQ(p.Top, top);
}

std::string MainWindowSection(const std::string& volume, const std::string& repeat,
                              const std::string& left, const std::string& top) {
    return "[MainWindowParameter]\r\nVolume=" + volume + "\r\nRepeat=" + repeat +
           "\r\nLeft=" + left + "\r\nTop=" + top + "\r\n";
}

TEST(WindowParameter, NoFileGivesDefaultsAndTheCurrentPosition) {
    TemporaryFolder folder;
    ExpectParameter(LoadWindowParameter(folder.Path("Quorel.ini"), 142, 113), 40, 110, 142, 113);
}

TEST(WindowParameter, ReadsTheFourKeys) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, "[mainwindowparameter]\r\nvolume=0\r\nREPEAT=112\r\nLeft=-20\r\nTop=700\r\n");
    ExpectParameter(LoadWindowParameter(path, 142, 113), 0, 112, -20, 700);
}

TEST(WindowParameter, UnreadableNumbersGiveDefaults) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, MainWindowSection("loud", "", "1e3", "0x10"));
    ExpectParameter(LoadWindowParameter(path, 5, 6), 40, 110, 5, 6);
}

TEST(WindowParameter, ValuesAreKeptInTheirRanges) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, MainWindowSection("101", "113", "2147483647", "-2147483648"));
    ExpectParameter(LoadWindowParameter(path, 0, 0), 100, 110, 32767, -32768);
    WriteBytes(path, MainWindowSection("-1", "109", "32767", "-32768"));
    ExpectParameter(LoadWindowParameter(path, 0, 0), 0, 110, 32767, -32768);
    WriteBytes(path, MainWindowSection("100", "111", "0", "0"));
    ExpectParameter(LoadWindowParameter(path, 9, 9), 100, 111, 0, 0);
}

// Program end: the settings first, then the window's four values behind them.
TEST(WindowParameter, FirstExitAppendsTheSectionAfterTheSettings) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    SettingsFields settings(path);
    settings.LoadSettings(path, true);
    ASSERT_TRUE(settings.SaveSettings(settings.CurrentIniPath));
    const std::string settingsOnly = ReadBytes(path);
    ASSERT_TRUE(SaveWindowParameter(settings.CurrentIniPath, {55, 111, 142, 113}));
    EXPECT_EQ(ReadBytes(path), settingsOnly + MainWindowSection("55", "111", "142", "113"));
    ExpectParameter(LoadWindowParameter(path, 0, 0), 55, 111, 142, 113);
}

TEST(WindowParameter, SavingKeepsOtherEntriesAndReplacesOldValues) {
    TemporaryFolder folder;
    const std::string path = folder.Path("Quorel.ini");
    WriteBytes(path, MainWindowSection("1", "110", "2", "3") + "[FileList]\r\nName0=x\r\n");
    ASSERT_TRUE(SaveWindowParameter(path, {70, 112, -8, 40}));
    EXPECT_EQ(ReadBytes(path),
              MainWindowSection("70", "112", "-8", "40") + "[FileList]\r\nName0=x\r\n");
}

TEST(WindowParameter, FailedSaveChangesNothing) {
    TemporaryFolder folder;
    EXPECT_FALSE(SaveWindowParameter(folder.Path("gone/Quorel.ini"), {}));
    EXPECT_FALSE(Exists(folder.Path("gone")));
}

TEST(WindowParameter, APositionOffTheWorkAreaIsMovedOntoIt) {
    const ScreenRect work{0, 0, 1024, 738}; // a task bar of 30 pixels below
    struct Case {
        int32_t left, top, wantLeft, wantTop;
    };
    const Case cases[] = {
        {142, 113, 142, 113},         // inside: kept
        {1000, 700, 1000, 700},       // partly inside: kept where the user left it
        {-32000, -32000, 0, 0},       // a minimised window's position
        {2000, 300, 1024 - 274, 300}, // right of the screen: only x moves
        {300, 738, 300, 738 - 51},    // on the task bar's band only
        {-274, 100, 0, 100},          // just touching the left edge
    };
    for (const Case& c : cases) {
        WindowParameter parameter;
        parameter.Left = c.left;
        parameter.Top = c.top;
        KeepOnWorkArea(parameter, 274, 51, work);
        EXPECT_EQ(parameter.Left, c.wantLeft) << c.left << ", " << c.top;
        EXPECT_EQ(parameter.Top, c.wantTop) << c.left << ", " << c.top;
    }
    // Larger than the work area: its top-left corner stays reachable.
    WindowParameter huge;
    huge.Left = 5000;
    huge.Top = -5000;
    KeepOnWorkArea(huge, 2000, 1000, work);
    EXPECT_EQ(huge.Left, 0);
    EXPECT_EQ(huge.Top, 0);
}

} // namespace
