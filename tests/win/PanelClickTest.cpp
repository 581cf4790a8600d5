// The panel's buttons under real mouse input (SendInput through Wine's X11
// driver on the virtual display): pause, resume, next and stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "Harness.h"
#include "TessalyTestSupport.h"
#include "VarnothTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

// The pixels of the play/pause place (11 x 11 at 227, 4) as the screen
// shows them: the panel's own record of the play state.
std::vector<COLORREF> PlayPausePlace(HWND window) {
    POINT origin{227, 4};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Returns once the main thread has handled everything that came before:
// a sent message waits for the handler that runs now.
bool MainThreadDone(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, harness::kDefaultTimeoutMs,
                               &result) != 0;
}

// The loudest 16-bit sample among `bytes`.
int Loudest(const std::vector<uint8_t>& bytes) {
    int loudest = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        loudest = std::max(loudest, std::abs(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8)));
    return loudest;
}

// Centres of the built-in panel's buttons (upper row at y 4, 11 pixels).
constexpr int kButtonY = 9;
constexpr int kStopX = 219;
constexpr int kPlayPauseX = 232;
constexpr int kNextX = 245;
// The volume bar: a drag up or down moves the volume a step per pixel
// while it stays on the bar (y 4 to 29).
constexpr int kVolumeBarX = 260;
constexpr int kVolumeBarTop = 6;

TEST(PanelClick, ButtonsPauseResumeSkipAndStop) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree;
    ASSERT_TRUE(tree.StoreVolume(100));
    // Item 1: a minute of 44.1 kHz stereo; item 2: a tagged 22.05 kHz mono MP3.
    const Bytes wave = Pattern(176400 * 60, 3);
    WriteFile(tree.folder() + "\\1.wav", MakeWave(1, 2, 44100, wave));
    const Bytes mp3 = ReadFile(Fixture("tone-22k-tagged.mp3"));
    WriteFile(tree.folder() + "\\2.mp3", mp3);
    const uint64_t start = capture.SettledSize(200);

    harness::Process quorel(tree.program(), {tree.folder() + "\\1.wav", tree.folder() + "\\2.mp3"});
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L"  :  : Quorel";
    })) << "item 1 does not play";

    // Pause, decided by the panel: the play image replaces the pause image
    // before the player pauses the input, and the click's handler returns
    // only when the playback thread has paused the device.
    const std::vector<COLORREF> playing = PlayPausePlace(window);
    ASSERT_NE(playing.front(), CLR_INVALID) << "the screen can't be read";
    harness::SendClick(window, kPlayPauseX, kButtonY);
    ASSERT_TRUE(harness::WaitUntil([&] { return PlayPausePlace(window) != playing; }))
        << "the panel does not show the pause";
    ASSERT_TRUE(MainThreadDone(window));
    // What the device took before its pause is on its way to the capture;
    // after that nothing may arrive for a second.
    const uint64_t paused = capture.SettledSize(300);
    Sleep(1000);
    EXPECT_EQ(capture.Size(), paused) << "sound still flows while paused";
    // Resume: it flows again.
    harness::SendClick(window, kPlayPauseX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] { return capture.Size() > paused + 176400; }))
        << "resume did not continue the sound";

    harness::SendClick(window, kNextX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L" Tone : Quorel : Quorel";
    })) << "next did not play item 2";
    const uint64_t atNext = capture.Size();
    EXPECT_TRUE(harness::WaitUntil([&] { return capture.Size() > atNext + 44100; }))
        << "item 2 is not heard";

    harness::SendClick(window, kStopX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(window) == L"Quorel"; }))
        << "stop did not stop";
    // Item 1 up to the pause: no silence inside it. What Wine's engine plays
    // at a pause and a resume (a part of a period) is the user's gap, not ours.
    capture.SettledSize();
    const Bytes played = capture.ReadFrom(start);
    const Bytes beforePause(played.begin(), played.begin() + static_cast<long>(paused - start));
    const std::string wrong =
        varnoth_test::Misplayed(beforePause, {{wave, 0, 176400, beforePause.size() / 2}});
    EXPECT_TRUE(wrong.empty()) << wrong;

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

// Wine's mixer scales what the device plays by the mixer's master line, so
// the volume the user drags is heard.
TEST(PanelClick, AVolumeDragReachesTheSound) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree;
    ASSERT_TRUE(tree.StoreVolume(100));
    // A minute of 44.1 kHz mono square wave at amplitude 16000.
    Bytes square(88200 * 60);
    for (size_t i = 0; i < square.size() / 2; ++i) {
        const int16_t sample = (i / 50) % 2 ? 16000 : -16000;
        square[2 * i] = static_cast<uint8_t>(sample & 0xFF);
        square[2 * i + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
    }
    WriteFile(tree.folder() + "\\square.wav", MakeWave(1, 1, 44100, square));
    const uint64_t start = capture.SettledSize(200);
    harness::Process quorel(tree.program(), {tree.folder() + "\\square.wav"});
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() > start + 88200; }));
    const uint64_t beforeDrag = capture.Size();
    EXPECT_EQ(Loudest(capture.ReadFrom(beforeDrag - 8820, beforeDrag)), 16000);

    // A drag down the volume bar by 20 pixels: 100 becomes 80.
    harness::Drag(window, kVolumeBarX, kVolumeBarTop, kVolumeBarX, kVolumeBarTop + 20);
    ASSERT_TRUE(MainThreadDone(window));
    // What the device had queued plays out at the old level first.
    const uint64_t afterDrag = capture.Size();
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() > afterDrag + 2 * 88200; }));
    const uint64_t now = capture.Size() & ~uint64_t{1};
    const int loudest = Loudest(capture.ReadFrom(now - 8820, now));
    EXPECT_GT(loudest, 16000 * 70 / 100) << "the volume went below 80";
    EXPECT_LT(loudest, 16000 * 90 / 100) << "the dragged volume is not heard";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
