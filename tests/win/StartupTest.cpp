#include <gtest/gtest.h>

#include "Harness.h"

using namespace harness;

namespace {

const std::wstring kMissingPlugin = L"必要なプラグインが見つかりません。\n終了します。";

// The missing-plug-in path: the message box, then exit code 0 once it is
// answered, and no main window on the way.
void ExpectMissingPluginExit(const ScratchTree& tree) {
    Process quorel(tree.program(), {});
    ASSERT_TRUE(quorel.started());
    HWND box = WaitForMessageBox(quorel.id());
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(MessageBoxText(box), kMissingPlugin);
    EXPECT_EQ(FindMainWindow(quorel.id()), nullptr);
    // OK is the only button.
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    PressOk(box);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

TEST(Startup, WithoutTheOutputPluginShowsTheMessageAndExitsWithZero) {
    ScratchTree tree({"Varnoth.dll"});
    ExpectMissingPluginExit(tree);
}

TEST(Startup, WithoutTheInputPluginShowsTheMessageAndExitsWithZero) {
    ScratchTree tree({"Tessaly.dll"});
    ExpectMissingPluginExit(tree);
}

TEST(Startup, WithoutTheMixerPluginStartsNormally) {
    ScratchTree tree({"Keldrin.dll"});
    Process quorel(tree.program(), {});
    ASSERT_TRUE(quorel.started());
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindMessageBox(quorel.id()), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

// Without a CD drive, CD roots and track names on the command line list
// nothing and show no message: the window appears only after they were read.
TEST(Startup, CdNamesWithoutADriveAreDroppedSilently) {
    ScratchTree tree;
    Process quorel(tree.program(), {"D:\\", "D:\\Track01.cda"});
    ASSERT_TRUE(quorel.started());
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindMessageBox(quorel.id()), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

TEST(Startup, FindsItsPluginsWhenStartedFromAnotherFolder) {
    ScratchTree tree;
    ScratchFolder elsewhere;
    Process quorel(tree.program(), {}, elsewhere.path());
    ASSERT_TRUE(quorel.started());
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr) << "the plug-ins were not found";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

TEST(Startup, MainWindowIsABorderlessPanelThatClosesCleanly) {
    ScratchTree tree;
    Process quorel(tree.program(), {});
    ASSERT_TRUE(quorel.started());
    HWND window = WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));

    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, 268);
    EXPECT_EQ(client.bottom - client.top, 45);
    RECT frame;
    ASSERT_TRUE(GetWindowRect(window, &frame));
    EXPECT_EQ(frame.right - frame.left, 268) << "the window has a border";
    EXPECT_EQ(frame.bottom - frame.top, 45) << "the window has a caption or border";
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);

    // The idle panel's background is black (the virtual desktop is white).
    EXPECT_TRUE(WaitUntil([&] {
        HDC screen = GetDC(window);
        const COLORREF pixel = GetPixel(screen, 134, 22);
        ReleaseDC(window, screen);
        return (pixel & 0xFFFFFF) == 0;
    }));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
