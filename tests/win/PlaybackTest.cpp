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

// Wine's sound engine fills a period it could not feed with silence (10 ms,
// 1764 bytes at 44.1 kHz stereo), which happens when a busy machine starves
// the writer. Matches `played` against `expected` allowing only such
// inserted periods of zeros; returns the offset in `expected` of the first
// byte that differs, or its size when everything arrived in order (bytes
// after that are left to the caller's size check).
size_t MatchAllowingUnderruns(const Bytes& played, const Bytes& expected, size_t period,
                              size_t* insertedPeriods) {
    size_t p = 0, e = 0;
    *insertedPeriods = 0;
    while (e < expected.size()) {
        if (p < played.size() && played[p] == expected[e]) {
            ++p;
            ++e;
            continue;
        }
        // The zeros that match expected zeros at this point are not part of
        // the insertion; back up to where the zero run starts, skip a period.
        size_t back = 0;
        while (back < p && back < e && played[p - back - 1] == 0 && expected[e - back - 1] == 0)
            ++back;
        const size_t runStart = p - back;
        size_t run = 0;
        while (runStart + run < played.size() && played[runStart + run] == 0)
            ++run;
        if (run < period) return e;
        p = runStart + period;
        e -= back;
        ++*insertedPeriods;
    }
    // Periods the engine played after the last byte.
    while (played.size() - p >= period &&
           std::all_of(played.begin() + p, played.begin() + p + period,
                       [](uint8_t b) { return b == 0; })) {
        p += period;
        ++*insertedPeriods;
    }
    return e;
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
    EXPECT_EQ(MatchAllowingUnderruns(played, expected, 1764, &inserted), expected.size());
    EXPECT_EQ(played.size(), expected.size() + inserted * 1764) << "bytes besides the files";
    if (inserted)
        std::printf("note: the sound engine inserted %zu silent periods (a busy machine)\n",
                    inserted);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
