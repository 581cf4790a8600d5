// The about box of a running Quorel: its lines against what the plug-ins
// answer, its title bar, its closing by OK and by the close image, and sound
// that goes on while it is open.
#include <gtest/gtest.h>

#include "AboutBox.h"
#include "DialogCommands.h"
#include "Harness.h"
#include "PluginManager.h"
#include "TessalyTestSupport.h"
#include "VarnothTestSupport.h"

namespace {

using namespace tessaly_test;

std::wstring Widened(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring LabelText(HWND box, int id) {
    return harness::WindowTextOf(GetDlgItem(box, id));
}

// A window of the test's own to take the activation from the box.
HWND CreateOtherWindow() {
    return CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                           nullptr, nullptr, nullptr);
}

constexpr COLORREF kActiveLeft = 0x730E09;
constexpr COLORREF kInactiveLeft = 0x737373;
// The close image's top-left pixel: light while up, shaded while pressed.
constexpr COLORREF kCloseUpCorner = 0xFCFAFA;
constexpr COLORREF kCloseDownCorner = 0x868080;

TEST(AboutBox, ShowsThePluginVersionsClosesAndLetsPlaybackGoOn) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree({"Keldrin.dll"});
    WriteFile(tree.folder() + "\\quiet.wav", MakeWave(1, 2, 44100, Bytes(176400 * 60, 0)));

    PluginManager plugins;
    InputPlugin* input = plugins.LoadInput((tree.folder() + "\\Plugin\\Tessaly.dll").c_str());
    OutputPlugin* output = plugins.LoadOutput((tree.folder() + "\\Plugin\\Varnoth.dll").c_str());
    ASSERT_NE(input, nullptr);
    ASSERT_NE(output, nullptr);
    char inputVersion[8] = {};
    char outputVersion[8] = {};
    ASSERT_EQ(input->GetVersion(inputVersion), 1);
    ASSERT_EQ(output->OutputGetVersion(outputVersion), 1);

    harness::Process quorel(tree.program(), {tree.folder() + "\\quiet.wav"});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"  :  : Quorel"; }))
        << "the file does not play";

    PostMessageW(main, WM_COMMAND, kShowAboutBoxCommand, 0);
    HWND box = harness::WaitForVisibleWindow(quorel.id(), TForm2::kClassName);
    ASSERT_NE(box, nullptr) << "the about box did not open";

    RECT client, frame;
    ASSERT_TRUE(GetClientRect(box, &client));
    ASSERT_TRUE(GetWindowRect(box, &frame));
    EXPECT_EQ(client.right, 249);
    EXPECT_EQ(client.bottom, 186);
    EXPECT_EQ(frame.right - frame.left, 249) << "the box has a border";
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 249) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 186) / 2);

    EXPECT_EQ(LabelText(box, TForm2::kLabel1), L"Quorel  Version 3.4.6");
    EXPECT_EQ(LabelText(box, TForm2::kLabel4), L"Tessaly.dll  Ver " + Widened(inputVersion));
    EXPECT_EQ(LabelText(box, TForm2::kLabel5), L"Varnoth.dll  Ver " + Widened(outputVersion));
    EXPECT_EQ(LabelText(box, TForm2::kLabel7), L"Keldrin.dll  Ver -.-.-");
    EXPECT_EQ(LabelText(box, TForm2::kLabel6), L"ヘルプを開く");
    EXPECT_FALSE(LabelText(box, TForm2::kLabel2).empty());
    EXPECT_FALSE(LabelText(box, TForm2::kLabel3).empty());
    EXPECT_EQ(LabelText(box, IDOK), L"OK");
    EXPECT_FALSE(IsWindowEnabled(main)) << "the box is not modal";

    // The sound goes on while the box is open.
    const uint64_t heard = capture.Size();
    EXPECT_TRUE(harness::WaitUntil([&] { return capture.Size() > heard + 176400; }))
        << "playback stalled behind the about box";

    // Title bar: active colours, greys while another window is active.
    SetForegroundWindow(box);
    EXPECT_TRUE(
        harness::WaitUntil([&] { return harness::ClientPixel(box, 2, 10) == kActiveLeft; }));
    HWND other = CreateOtherWindow();
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::ClientPixel(box, 2, 10) == kInactiveLeft;
    })) << std::hex
        << harness::ClientPixel(box, 2, 10);
    DestroyWindow(other);
    SetForegroundWindow(box);
    EXPECT_TRUE(
        harness::WaitUntil([&] { return harness::ClientPixel(box, 2, 10) == kActiveLeft; }));

    // Dragging the title bar moves the box by the pointer's distance.
    harness::MouseButton(box, 60, 10, true);
    POINT pointer{90, 30};
    ClientToScreen(box, &pointer);
    SetCursorPos(pointer.x, pointer.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        RECT moved;
        return GetWindowRect(box, &moved) && moved.left == frame.left + 30 &&
               moved.top == frame.top + 20;
    })) << "dragging the title bar did not move the box";
    harness::MouseButton(box, 60, 10, false);

    // OK closes; the main window takes input again.
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowVisible(box); })) << "OK did not close";
    EXPECT_TRUE(harness::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));

    // The close image (x 229-244, y 4-17): a release beside it keeps the box.
    PostMessageW(main, WM_COMMAND, kShowAboutBoxCommand, 0);
    ASSERT_EQ(harness::WaitForVisibleWindow(quorel.id(), TForm2::kClassName), box);
    ASSERT_TRUE(
        harness::WaitUntil([&] { return harness::ClientPixel(box, 229, 4) == kCloseUpCorner; }));
    SetForegroundWindow(box);
    harness::MouseButton(box, 236, 10, true);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::ClientPixel(box, 229, 4) == kCloseDownCorner;
    })) << "the close image does not show pressed";
    harness::MouseButton(box, 245, 10, false);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::ClientPixel(box, 229, 4) == kCloseUpCorner;
    })) << "the close image stays pressed";
    EXPECT_TRUE(IsWindowVisible(box)) << "a release beside the close image closed the box";
    // A release inside closes it.
    harness::MouseButton(box, 236, 10, true);
    harness::MouseButton(box, 240, 12, false);
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowVisible(box); }))
        << "a release on the close image did not close the box";

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
