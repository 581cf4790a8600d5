// Quorel.exe's sleep timer and tray icon under Wine. The shut-down actions
// are never run here: under Wine they would end every program of the
// prefix, this test included.
#include <gtest/gtest.h>

#include <cstring>

#include "Harness.h"
#include "TimerIds.h"

#include <shellapi.h>

namespace {

// Pixels of the panel's second text line drawn in pure red.
int RedPixelsOfSecondLine(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    int red = 0;
    for (int y = 15; y < 29; ++y) {
        for (int x = 15; x < 200; ++x) {
            const COLORREF pixel = GetPixel(screen, origin.x + x, origin.y + y);
            if (pixel == RGB(255, 0, 0)) ++red;
        }
    }
    ReleaseDC(nullptr, screen);
    return red;
}

// Whether the shell in this prefix takes tray icons at all.
bool ShellTakesTrayIcons() {
    HWND owner =
        CreateWindowExA(0, "STATIC", "probe", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner;
    icon.uID = 1;
    // As Quorel adds its icon: no image and no tip yet.
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    const bool taken = Shell_NotifyIconA(NIM_ADD, &icon) != 0;
    if (taken) Shell_NotifyIconA(NIM_DELETE, &icon);
    DestroyWindow(owner);
    return taken;
}

class SleepTimerTray : public ::testing::Test {
  protected:
    void Start(const std::string& ini, const std::vector<std::string>& arguments) {
        FILE* file = std::fopen(IniPath().c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(ini.data(), 1, ini.size(), file);
        std::fclose(file);
        quorel = std::make_unique<harness::Process>(tree.program(), arguments);
        window = harness::WaitForMainWindow(quorel->id());
        ASSERT_NE(window, nullptr);
    }
    std::string IniPath() const { return tree.folder() + "\\Quorel.ini"; }
    // A minute of quiet 44.1 kHz stereo, untagged.
    std::string LongWave() {
        const std::string path = tree.folder() + "\\long.wav";
        const uint32_t data = 176400 * 60;
        FILE* file = std::fopen(path.c_str(), "wb");
        const uint32_t header[] = {0x46464952, 36 + data, 0x45564157, 0x20746d66, 16,  0x00020001,
                                   44100,      176400,    0x00100004, 0x61746164, data};
        std::fwrite(header, sizeof header, 1, file);
        std::vector<char> quiet(data, 0);
        std::fwrite(quiet.data(), 1, quiet.size(), file);
        std::fclose(file);
        return path;
    }
    // "タイマーＯＮ" of the right-click menu, by keyboard.
    void ChooseTimer() {
        harness::SendClick(window, 100, 10, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::PopupMenuOpen(quorel->id()); }));
        harness::PressMenuKeys(quorel->id(),
                               {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    }
    std::wstring AnnounceAndConfirm() {
        HWND box = harness::WaitForMessageBox(quorel->id());
        if (!box) return L"(no message)";
        const std::wstring text = harness::MessageBoxText(box);
        EXPECT_EQ(harness::WindowTextOf(box), L"Quorel");
        harness::PressOk(box);
        EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindow(box); }));
        return text;
    }

    harness::ScratchTree tree;
    std::unique_ptr<harness::Process> quorel;
    HWND window = nullptr;
};

TEST_F(SleepTimerTray, AnnouncesShowsTheMinutesInRedAndStopsPlaybackAtTheEnd) {
    Start("[OyasumiTimer]\r\nOyasumiMin=1\r\nOyasumiProcess=4\r\n", {LongWave()});
    ASSERT_TRUE(
        harness::WaitUntil([&] { return harness::WindowTextOf(window) == L"  :  : Quorel"; }));
    EXPECT_EQ(RedPixelsOfSecondLine(window), 0);
    ChooseTimer();
    EXPECT_EQ(AnnounceAndConfirm(), L"お休みタイマが作動しました。\n演奏停止まで残り 1 分です。");
    EXPECT_TRUE(harness::WaitUntil([&] { return RedPixelsOfSecondLine(window) > 20; }))
        << "the remaining minutes are not shown in red";

    PostMessageA(window, WM_TIMER, kSleepTimerId, 0);
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(window) == L"Quorel"; }))
        << "playback did not stop";
    std::string ini;
    ASSERT_TRUE(harness::ReadWholeFile(IniPath(), ini));
    EXPECT_NE(ini.find("[MainWindowParameter]"), std::string::npos)
        << "settings not saved: " << ini;
    EXPECT_NE(ini.find("OyasumiProcess=4"), std::string::npos);
    EXPECT_TRUE(harness::WaitUntil([&] { return RedPixelsOfSecondLine(window) == 0; }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel->WaitForExit(), 0);
}

TEST_F(SleepTimerTray, EndingTheProgramExitsCleanly) {
    Start("[OyasumiTimer]\r\nOyasumiMin=1\r\nOyasumiProcess=3\r\n", {});
    ChooseTimer();
    EXPECT_EQ(AnnounceAndConfirm(),
              L"お休みタイマが作動しました。\nQuorelの終了まで残り 1 分です。");
    PostMessageA(window, WM_TIMER, kSleepTimerId, 0);
    EXPECT_EQ(quorel->WaitForExit(), 0);
}

TEST_F(SleepTimerTray, TrayClicksOpenTheMenuAfterTheDoubleClickTimeOnly) {
    const bool trayWorks = ShellTakesTrayIcons();
    Start("[PanelMode]\r\nTrayIcon=1\r\nBarIcon=1\r\n", {});
    // A single click: the menu waits for the double-click time.
    SendMessageA(window, kTrayMessage, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_FALSE(harness::PopupMenuOpen(quorel->id()))
        << "the menu did not wait for a second click";
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::PopupMenuOpen(quorel->id()); }));
    harness::PressMenuKeys(quorel->id(), {VK_ESCAPE});
    ASSERT_TRUE(harness::WaitUntil([&] { return !harness::PopupMenuOpen(quorel->id()); }));
    // A double click opens none.
    SendMessageA(window, kTrayMessage, kTrayIconId, WM_LBUTTONDOWN);
    SendMessageA(window, kTrayMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(harness::WaitUntil([&] { return harness::PopupMenuOpen(quorel->id()); },
                                    3 * GetDoubleClickTime()))
        << "a double click opened the menu";

    // The minimise mark: hidden only while a tray icon can bring it back.
    harness::SendClick(window, 9, 17);
    ASSERT_TRUE(harness::WaitUntil([&] { return IsIconic(window) != 0; }));
    if (trayWorks)
        EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowVisible(window); }))
            << "the shell shows the icon: the window should hide";
    else
        EXPECT_TRUE(IsWindowVisible(window)) << "no icon: the window must stay reachable";
    SendMessageA(window, kTrayMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(harness::WaitUntil([&] { return IsWindowVisible(window) && !IsIconic(window); }))
        << "a double click on the icon did not bring the window back";
    std::printf("tray icons in this prefix: %s\n", trayWorks ? "taken" : "refused");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel->WaitForExit(), 0);
}

} // namespace
