// Quorel.exe plays its command line through the real output plug-in and
// Wine's sound device; the ALSA capture must hold exactly the PCM of each
// file, in order, with no silence inside a track.
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
// player stopped on item 1); the capture must hold `expected`, each stream
// whole and in order, with silence only around them.
void ExpectQuorelPlays(const harness::ScratchTree& tree, const std::vector<std::string>& paths,
                       const std::vector<varnoth_test::Stream>& expected) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    ASSERT_TRUE(tree.StoreVolume(100));
    size_t total = 0;
    for (const varnoth_test::Stream& stream : expected)
        total += stream.pcm.size();

    const uint64_t start = capture.SettledSize(200);
    harness::Process quorel(tree.program(), paths);
    ASSERT_TRUE(quorel.started());
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::WaitUntil(
        [&] {
            return capture.Size() >= start + total && harness::WindowTextOf(window) == L"Quorel";
        },
        60000))
        << "only " << capture.Size() - start << " of " << total << " bytes played";
    capture.SettledSize();
    const std::string wrong = varnoth_test::Misplayed(capture.ReadFrom(start), expected);
    EXPECT_TRUE(wrong.empty()) << wrong;
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

// On the real-time sink (a sound card's pace): three tracks, the second of
// the first's format, which follows it on the same device without a byte of
// silence, the third of another.
TEST(Playback, CommandLineFilesPlayInOrderAndArriveWholeWithoutSilence) {
    harness::ScratchTree tree;
    // A stream without an information frame plays every frame as decoded.
    const Bytes mp3 = WithoutInformationFrame(ReadFile(Fixture("tone-128k.mp3")));
    ASSERT_FALSE(mp3.empty());
    const std::string mp3Path = tree.folder() + "\\tone.mp3";
    WriteFile(mp3Path, mp3);
    // One second of 44.1 kHz stereo, then one of 22.05 kHz mono. The command
    // line is played sorted by name: tone.mp3, tone.wav, tone2.wav.
    const Bytes same = Pattern(176400, 5);
    const std::string samePath = tree.folder() + "\\tone.wav";
    WriteFile(samePath, MakeWave(1, 2, 44100, same));
    const Bytes other = Pattern(44100, 6);
    const std::string otherPath = tree.folder() + "\\tone2.wav";
    WriteFile(otherPath, MakeWave(1, 1, 22050, other));

    ExpectQuorelPlays(tree, {otherPath, mp3Path, samePath},
                      {{DecodeWhole(mp3, FirstSync(mp3, 0)), 0, 176400},
                       {same, 0, 176400, 0, varnoth_test::Gap::kNone},
                       {other, 0, 44100}});
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
// without the encoder's delay and padding, and with the second following the
// first on the same device, the two arrive as the whole sweep: not a sample
// lost, added or silenced at the join.
TEST(Playback, GaplessTracksArriveAsTheWholeSweep) {
    harness::ScratchTree tree;
    const std::string first = tree.folder() + "\\1.mp3";
    const std::string second = tree.folder() + "\\2.mp3";
    WriteFile(first, ReadFile(Fixture("gapless-a.mp3")));
    WriteFile(second, ReadFile(Fixture("gapless-b.mp3")));
    const Bytes a = PlayedByTessaly(first);
    const Bytes b = PlayedByTessaly(second);
    ASSERT_EQ(a.size() + b.size(), 176400u * 2) << "the whole sweep, mono";
    ExpectQuorelPlays(tree, {first, second},
                      {{a, 0, 88200}, {b, 0, 88200, 0, varnoth_test::Gap::kNone}});
}

} // namespace
