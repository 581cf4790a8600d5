// The panel's buttons under real mouse input (SendInput through Wine's X11
// driver on the virtual display): pause, resume, next and stop.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TessalyTestSupport.h"
#include "VarnothTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

// Centres of the built-in panel's buttons (upper row at y 4, 11 pixels).
constexpr int kButtonY = 9;
constexpr int kStopX = 219;
constexpr int kPlayPauseX = 232;
constexpr int kNextX = 245;

TEST(PanelClick, ButtonsPauseResumeSkipAndStop) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree;
    // Item 1: a minute of quiet 44.1 kHz stereo; item 2: a tagged MP3.
    WriteFile(tree.folder() + "\\1.wav", MakeWave(1, 2, 44100, Bytes(176400 * 60, 0)));
    WriteFile(tree.folder() + "\\2.mp3", ReadFile(Fixture("tone-22k-tagged.mp3")));

    harness::Process quorel(tree.program(), {tree.folder() + "\\1.wav", tree.folder() + "\\2.mp3"});
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L"  :  : Quorel";
    })) << "item 1 does not play";

    // Pause: the sound stops flowing.
    harness::SendClick(window, kPlayPauseX, kButtonY);
    const uint64_t paused = capture.SettledSize(500);
    capture.SettledSize(300);
    EXPECT_EQ(capture.Size(), paused) << "sound still flows while paused";
    // Resume: it flows again.
    harness::SendClick(window, kPlayPauseX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] { return capture.Size() > paused + 176400; }))
        << "resume did not continue the sound";

    harness::SendClick(window, kNextX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L" Tone : Quorel : Quorel";
    })) << "next did not play item 2";

    harness::SendClick(window, kStopX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(window) == L"Quorel"; }))
        << "stop did not stop";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
