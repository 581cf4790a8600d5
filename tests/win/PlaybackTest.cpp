// Quorel.exe plays its command line through the real output plug-in and
// Wine's sound device; the ALSA capture must hold exactly the PCM of each
// file, in order.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TessalyTestSupport.h"
#include "VarnothTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

TEST(Playback, CommandLineFilesPlayInOrderAndArriveExactly) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree;
    const Bytes mp3 = ReadFile(Fixture("tone-128k.mp3"));
    ASSERT_FALSE(mp3.empty());
    const std::string mp3Path = tree.folder() + "\\tone.mp3";
    WriteFile(mp3Path, mp3);
    // One second of 44.1 kHz stereo: the same format as the MP3's output. The
    // command line is played sorted by name: tone.mp3, then tone.wav.
    const Bytes wavData = Pattern(176400, 5);
    const std::string wavPath = tree.folder() + "\\tone.wav";
    WriteFile(wavPath, MakeWave(1, 2, 44100, wavData));

    Bytes expected = DecodeWhole(mp3, FirstSync(mp3, 0));
    expected.insert(expected.end(), wavData.begin(), wavData.end());

    const uint64_t start = capture.SettledSize(200);
    harness::Process quorel(tree.program(), {mp3Path, wavPath});
    ASSERT_TRUE(quorel.started());
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    // The list has been played to its end: the player stopped on item 1.
    ASSERT_TRUE(harness::WaitUntil(
        [&] {
            return capture.Size() >= start + expected.size() &&
                   harness::WindowTextOf(window) == L"Quorel";
        },
        60000))
        << "only " << capture.Size() - start << " of " << expected.size() << " bytes played";
    capture.SettledSize();
    const Bytes played = capture.ReadFrom(start);
    size_t inserted = 0;
    EXPECT_TRUE(varnoth_test::ArrivedInOrder(played, expected, 0, &inserted))
        << "the capture is not the files' PCM (" << played.size() << " bytes for "
        << expected.size() << ")";
    if (inserted)
        std::printf("note: %zu bytes of silence inserted by the sound engine\n", inserted);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
