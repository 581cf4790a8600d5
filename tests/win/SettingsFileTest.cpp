#include <gtest/gtest.h>

#include <vector>

#include "Harness.h"

using namespace harness;

namespace {

// The section names of the file, in order.
std::vector<std::string> Sections(const std::string& ini) {
    std::vector<std::string> names;
    size_t at = 0;
    while ((at = ini.find('[', at)) != std::string::npos) {
        const size_t end = ini.find(']', at);
        names.push_back(ini.substr(at + 1, end - at - 1));
        at = end;
    }
    return names;
}

void CloseAndWait(Process& quorel, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(quorel.WaitForExit(), 0);
}

TEST(SettingsFile, FirstExitWritesEverySectionPointingAtItself) {
    ScratchTree tree;
    const std::string ini = tree.folder() + "\\Quorel.ini";
    {
        Process quorel(tree.program(), {});
        HWND window = WaitForMainWindow(quorel.id());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES)
            << "starting must not write the file";
        CloseAndWait(quorel, window);
    }
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(ini, contents));
    const std::vector<std::string> expected = {
        "FileOpenMode", "PanelMode",    "Titlebar",     "PlayListMode",       "PlayOption",
        "OtherOption",  "VolumeDevice", "OyasumiTimer", "MainWindowParameter"};
    EXPECT_EQ(Sections(contents), expected);
    EXPECT_NE(contents.find("SpecialIniPath=" + ini + "\r\n"), std::string::npos) << contents;
    EXPECT_NE(contents.find("Volume=40\r\n"), std::string::npos);
    EXPECT_NE(contents.find("Repeat=110\r\n"), std::string::npos);
    EXPECT_EQ(contents.find("\n\n"), std::string::npos) << "a bare LF line end";
}

RECT FrameOf(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

TEST(SettingsFile, TheWindowComesBackWhereItWasAndAlwaysOnScreen) {
    ScratchTree tree;
    const std::string ini = tree.folder() + "\\Quorel.ini";
    {
        Process quorel(tree.program(), {});
        HWND window = WaitForMainWindow(quorel.id());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(FrameOf(window).left, 142) << "the first start's place";
        EXPECT_EQ(FrameOf(window).top, 113);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
        // Closed while minimised: the place before minimising is kept.
        ShowWindow(window, SW_MINIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));
        CloseAndWait(quorel, window);
    }
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(ini, contents));
    EXPECT_NE(contents.find("Left=123\r\nTop=77\r\n"), std::string::npos) << contents;
    {
        Process quorel(tree.program(), {});
        HWND window = WaitForMainWindow(quorel.id());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(FrameOf(window).left, 123);
        EXPECT_EQ(FrameOf(window).top, 77);
        // A log-off ends the process without destroying the window: the
        // settings are written when the session ends.
        ASSERT_TRUE(SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
        ASSERT_TRUE(DeleteFileA(ini.c_str()));
        EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
        SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        ASSERT_TRUE(ReadWholeFile(ini, contents)) << "nothing written at the end of the session";
        EXPECT_NE(contents.find("Left=300\r\nTop=200\r\n"), std::string::npos) << contents;
        EXPECT_NE(contents.find("[PlayOption]"), std::string::npos) << "the settings are saved too";
        CloseAndWait(quorel, window);
    }
    // A place no monitor shows comes back onto the work area.
    ASSERT_TRUE(WritePrivateProfileStringA("MainWindowParameter", "Left", "-32000", ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("MainWindowParameter", "Top", "-32000", ini.c_str()));
    Process quorel(tree.program(), {});
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const RECT frame = FrameOf(window);
    EXPECT_GE(frame.left, work.left);
    EXPECT_GE(frame.top, work.top);
    EXPECT_LE(frame.right, work.right);
    EXPECT_LE(frame.bottom, work.bottom);
    CloseAndWait(quorel, window);
}

} // namespace
