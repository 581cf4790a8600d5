// Quorel.exe plays its command line through the real output plug-in and
// Wine's sound device; the ALSA capture must hold exactly the PCM of each
// file, in order.
#include <gtest/gtest.h>

#include <memory>

#include "Harness.h"
#include "StdPlaybackThread.h"
#include "Tessaly.h"
#include "TessalyTestSupport.h"
#include "VarnothTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

// Quorel.exe plays `paths` from its command line to the end of the list (the
// player stopped on item 1); the capture must hold exactly `expected`, in
// order, with nothing between but the silence Wine's engine plays for a
// period it could not feed.
void ExpectQuorelPlays(const harness::ScratchTree& tree, const std::vector<std::string>& paths,
                       const Bytes& expected) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    const uint64_t start = capture.SettledSize(200);
    harness::Process quorel(tree.program(), paths);
    ASSERT_TRUE(quorel.started());
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
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

TEST(Playback, CommandLineFilesPlayInOrderAndArriveExactly) {
    harness::ScratchTree tree;
    // A stream without an information frame plays every frame as decoded.
    const Bytes mp3 = WithoutInformationFrame(ReadFile(Fixture("tone-128k.mp3")));
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
    ExpectQuorelPlays(tree, {mp3Path, wavPath}, expected);
}

// The PCM the input plug-in makes of a file, played in this process.
Bytes PlayedByTessaly(const std::string& path) {
    Tessaly tessaly(std::make_unique<StdPlaybackThread>());
    SinkOutput output;
    Reports reports;
    tessaly.SetOutput(&output);
    tessaly.SetCallback(Report, reinterpret_cast<uintptr_t>(&reports));
    InputFileInfo info = {};
    EXPECT_EQ(tessaly.Open(path.c_str(), &info), 1);
    EXPECT_EQ(tessaly.Play(), 1);
    EXPECT_TRUE(reports.WaitForEnd());
    tessaly.Close();
    return output.Written();
}

// Two tracks cut from one sweep and encoded gapless, played by Quorel.exe:
// without the encoder's delay and padding, the two arrive as the whole
// sweep, not a sample lost or added.
TEST(Playback, GaplessTracksArriveAsTheWholeSweep) {
    harness::ScratchTree tree;
    const std::string first = tree.folder() + "\\1.mp3";
    const std::string second = tree.folder() + "\\2.mp3";
    WriteFile(first, ReadFile(Fixture("gapless-a.mp3")));
    WriteFile(second, ReadFile(Fixture("gapless-b.mp3")));
    const Bytes a = PlayedByTessaly(first);
    const Bytes b = PlayedByTessaly(second);
    ASSERT_EQ(a.size() + b.size(), 176400u * 2) << "the whole sweep, mono";
    Bytes expected = a;
    expected.insert(expected.end(), b.begin(), b.end());
    ExpectQuorelPlays(tree, {first, second}, expected);
}

} // namespace
