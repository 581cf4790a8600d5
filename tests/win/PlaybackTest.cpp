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

// On the real-time sink (a sound card's pace): three tracks, the second of
// the first's format, the third of another.
TEST(Playback, CommandLineFilesPlayInOrderAndArriveWholeWithoutSilence) {
    varnoth_test::Capture capture;
    ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
    harness::ScratchTree tree;
    ASSERT_TRUE(tree.StoreVolume(100));
    const Bytes mp3 = ReadFile(Fixture("tone-128k.mp3"));
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

    const std::vector<varnoth_test::Stream> expected = {
        {DecodeWhole(mp3, FirstSync(mp3, 0)), 0, 176400}, {same, 0, 176400}, {other, 0, 44100}};
    size_t total = 0;
    for (const varnoth_test::Stream& stream : expected)
        total += stream.pcm.size();

    const uint64_t start = capture.SettledSize(200);
    harness::Process quorel(tree.program(), {otherPath, mp3Path, samePath});
    ASSERT_TRUE(quorel.started());
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    // The list has been played to its end: the player stopped on item 1.
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

} // namespace
