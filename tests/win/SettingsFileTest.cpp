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

TEST(SettingsFile, SecondRunStartsWhereTheFirstWasLeft) {
    ScratchTree tree;
    {
        Process quorel(tree.program(), {});
        HWND window = WaitForMainWindow(quorel.id());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
        CloseAndWait(quorel, window);
    }
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(tree.folder() + "\\Quorel.ini", contents));
    EXPECT_NE(contents.find("Left=123\r\nTop=77\r\n"), std::string::npos) << contents;

    Process quorel(tree.program(), {});
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    RECT frame;
    ASSERT_TRUE(GetWindowRect(window, &frame));
    EXPECT_EQ(frame.left, 123);
    EXPECT_EQ(frame.top, 77);
    CloseAndWait(quorel, window);
}

} // namespace
