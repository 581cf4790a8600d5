// The input plug-in end to end on real files, with the playback thread on
// std::thread and an output that records everything.
#include "Tessaly.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "G711.h"
#include "StdPlaybackThread.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "/input/" + name;
}

class TessalyPlaybackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(tessaly.SetOutput(&output), 1);
        ASSERT_EQ(tessaly.SetCallback(Report, reinterpret_cast<uintptr_t>(&reports)), 1);
        folder = testing::TempDir() + "tessaly-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::remove(folder.c_str());
    }
    void TearDown() override { tessaly.Close(); }

    std::string Scratch(const std::string& name, const Bytes& bytes) {
        const std::string path = folder + "-" + name;
        WriteFile(path, bytes);
        return path;
    }

    // Opens and plays to the end; returns the PCM delivered.
    Bytes PlayToEnd(const std::string& path) {
        InputFileInfo info = {};
        EXPECT_EQ(tessaly.Open(path.c_str(), &info), 1);
        EXPECT_EQ(tessaly.Play(), 1);
        EXPECT_TRUE(reports.WaitForEnd());
        EXPECT_EQ(tessaly.Close(), 1);
        return output.Written();
    }

    Tessaly tessaly{std::make_unique<StdPlaybackThread>()};
    SinkOutput output;
    Reports reports;
    std::string folder;
};

TEST_F(TessalyPlaybackTest, MpegDeliversExactlyTheDecodersPcm) {
    const Bytes file = WithoutInformationFrame(ReadFile(Fixture("tone-128k.mp3")));
    ASSERT_FALSE(file.empty());
    const Bytes expected = DecodeWhole(file, FirstSync(file, 0));
    ASSERT_GT(expected.size(), 44100u * 4 * 2);
    const Bytes played = PlayToEnd(Scratch("plain.mp3", file));
    EXPECT_EQ(played.size(), expected.size()) << "frames played differ from frames decoded";
    EXPECT_TRUE(played == expected);
    EXPECT_EQ(output.format.channels, 2);
    EXPECT_EQ(output.format.bitsPerSample, 16);
    EXPECT_EQ(output.format.samplesPerSecond, 44100);
    EXPECT_EQ(output.format.bufferBytes, 8 * 1152 * 4);
    EXPECT_EQ(output.Calls().back(), "close");
}

TEST_F(TessalyPlaybackTest, MpegBehindAnId3v2TagOpensWithItsTagsAndPlays) {
    const Bytes file = WithoutInformationFrame(ReadFile(Fixture("tone-22k-tagged.mp3")));
    const std::string path = Scratch("tagged.mp3", file);
    // The ID3v2 size is a 28-bit number in bytes 6-9, behind a 10-byte header.
    const size_t tagEnd = 10 + (file[6] << 21 | file[7] << 14 | file[8] << 7 | file[9]);
    const Bytes expected = DecodeWhole(file, FirstSync(file, tagEnd));

    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(path.c_str(), &info), 1);
    EXPECT_STREQ(info.tag.title, "Tone");
    EXPECT_STREQ(info.tag.artist, "Quorel");
    EXPECT_EQ(info.mpegVersion, 0);
    EXPECT_EQ(info.layer, 1);
    EXPECT_EQ(info.mode, 3);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.bitRate, 64);
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(info.playLength, 3);
    ASSERT_EQ(tessaly.Play(), 1);
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_TRUE(output.Written() == expected);
}

TEST_F(TessalyPlaybackTest, TruncatedMpegPlaysToItsLastWholeFrameAndEnds) {
    Bytes file = WithoutInformationFrame(ReadFile(Fixture("tone-128k.mp3")));
    file.resize(file.size() - 200);
    const Bytes expected = DecodeWhole(file, FirstSync(file, 0));
    EXPECT_TRUE(PlayToEnd(Scratch("cut.mp3", file)) == expected);
}

// The files of make-mpeg-files.py, as people have them. The sample counts are
// mpg123's gapless output of each, except for the VBRI file, whose information
// frame mpg123 plays as audio: its count is the frames its header counts.
struct MadeFile {
    const char* name;
    int32_t sampleRate;
    int64_t samples;
    int32_t bitRate; // 0: variable, shown as the average (the file's size over its time)
    bool sweep;      // the whole 4 s sweep, without the encoder's delay and padding
    bool seekTable;  // seeks go through the information frame's table
    size_t quiet;    // the encoder's delay and padding, played where no LAME tag removes them
};

const MadeFile kMadeFiles[] = {
    {"vbr-v2.mp3", 44100, 176400, 0, true, true, 0},
    {"cbr-info.mp3", 44100, 176400, 64, true, true, 0},
    {"cbr-plain.mp3", 44100, 178560, 64, false, false, 2304},
    {"id3-twice.mp3", 44100, 176400, 64, true, true, 0},          // false syncs in the second tag
    {"id3v24-footer.mp3", 44100, 178560, 64, false, false, 2304}, // footer, padding, second tag
    {"junk-3k.mp3", 44100, 178560, 64, false, false, 2304},
    {"vbri.mp3", 44100, 178560, 0, false, true, 2304},
    {"lowest-8k.mp3", 8000, 33408, 16, false, false,
     256}, // 16 kbit/s quantise the first 19 ms to 0
    {"lowest-11k.mp3", 11025, 44100, 0, false, false, 0},
    {"lowest-12k.mp3", 12000, 49536, 24, false, false, 1152},
    {"short.mp3", 8000, 3456, 8, false, false, 1152}, // 432 bytes of frames, then ID3v1
    {"gapless-a.mp3", 44100, 89703, 0, false, false, 0},
    {"gapless-b.mp3", 44100, 86697, 0, false, false, 0},
};

// The 4 s sweep the files were made from, 200 Hz to 6000 Hz at 44.1 kHz.
double Sweep(size_t n) {
    const double t = static_cast<double>(n) / 44100;
    return 16000 * std::sin(2 * 3.14159265358979323846 * (200 * t + 5800 * t * t / 8));
}

std::vector<int16_t> Samples(const Bytes& pcm) {
    std::vector<int16_t> samples(pcm.size() / 2);
    std::memcpy(samples.data(), pcm.data(), samples.size() * 2);
    return samples;
}

// Signal-to-error ratio in dB of `samples` [from, to) against the sweep from `sweepAt`.
double SweepSnr(const std::vector<int16_t>& samples, size_t from, size_t to, size_t sweepAt) {
    double signal = 0, error = 0;
    for (size_t i = from; i < to; ++i) {
        const double expected = Sweep(sweepAt + i);
        signal += expected * expected;
        error += (samples[i] - expected) * (samples[i] - expected);
    }
    return 10 * std::log10(signal / std::max(error, 1.0));
}

// The longest run of exact zeros in [from, to): a gap in the sound.
size_t LongestSilence(const std::vector<int16_t>& samples, size_t from, size_t to) {
    size_t longest = 0, run = 0;
    for (size_t i = from; i < to; ++i) {
        run = samples[i] == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(TessalyPlaybackTest, FilesAsPeopleHaveThemOpenPlayExactlyAndShowTheirLength) {
    std::vector<int16_t> pair;
    for (const MadeFile& made : kMadeFiles) {
        SCOPED_TRACE(made.name);
        output.Clear();
        reports.Clear();
        InputFileInfo listed = {};
        ASSERT_EQ(tessaly.GetFileInfo(Fixture(made.name).c_str(), &listed), 1);
        InputFileInfo info = {};
        ASSERT_EQ(tessaly.Open(Fixture(made.name).c_str(), &info), 1);
        EXPECT_EQ(info.sampleRate, made.sampleRate);
        EXPECT_EQ(info.channels, 1);
        const double average = static_cast<double>(ReadFile(Fixture(made.name)).size()) * 8 *
                               made.sampleRate / static_cast<double>(made.samples) / 1000;
        if (made.bitRate != 0)
            EXPECT_EQ(info.bitRate, made.bitRate);
        else
            EXPECT_NEAR(info.bitRate, average, 0.05 * average) << "not the first frame's";
        EXPECT_EQ(info.playLength, made.samples / made.sampleRate);
        EXPECT_EQ(listed.playLength, info.playLength) << "the list shows what plays";
        EXPECT_EQ(listed.bitRate, info.bitRate);

        ASSERT_EQ(tessaly.Play(), 1);
        ASSERT_TRUE(reports.WaitForEnd());
        const std::vector<int16_t> played = Samples(output.Written());
        EXPECT_EQ(static_cast<int64_t>(played.size()), made.samples);
        ASSERT_GT(played.size(), 2 * made.quiet);
        EXPECT_LT(LongestSilence(played, made.quiet, played.size() - made.quiet), 32u);
        if (made.sweep) {
            EXPECT_GT(SweepSnr(played, 0, played.size(), 0), 20.0);
        }
        if (std::strncmp(made.name, "gapless", 7) == 0)
            pair.insert(pair.end(), played.begin(), played.end());

        if (made.seekTable) {
            // Half way: what is left to play after the seek tells where it landed.
            output.Clear();
            reports.Clear();
            output.microsecondsPerKilobyte = 2000; // about 0.7 s per 4 s
            ASSERT_EQ(tessaly.Play(), 1);
            ASSERT_EQ(tessaly.Pause(), 1);
            const int32_t half = static_cast<int32_t>(made.samples / made.sampleRate / 2);
            ASSERT_EQ(tessaly.Seek(half), 1);
            output.Clear();
            ASSERT_EQ(tessaly.Resume(), 1);
            ASSERT_TRUE(reports.WaitForEnd());
            const int64_t landed = made.samples - static_cast<int64_t>(output.Written().size() / 2);
            EXPECT_NEAR(static_cast<double>(landed), half * made.sampleRate, 0.01 * made.samples);
            output.microsecondsPerKilobyte = 0;
        }
        EXPECT_EQ(tessaly.Close(), 1);
    }
    // The gapless pair, joined, is the whole sweep: not a sample lost, added or moved.
    ASSERT_EQ(pair.size(), 176400u);
    EXPECT_GT(SweepSnr(pair, 0, pair.size(), 0), 20.0);
    EXPECT_GT(SweepSnr(pair, 89703 - 2048, 89703 + 2048, 0), 20.0) << "at the join";
}

TEST_F(TessalyPlaybackTest, PositionsAreReportedOncePerWholeSecondFromZero) {
    PlayToEnd(Fixture("tone-128k.mp3"));
    std::vector<std::pair<int32_t, int32_t>> expected = {{kNotifyPosition, 0}, {kNotifyPosition, 1},
                                                         {kNotifyPosition, 2}, {kNotifyPosition, 3},
                                                         {kNotifyPosition, 0}, {kNotifyEnd, 0}};
    EXPECT_EQ(reports.Snapshot(), expected);
}

TEST_F(TessalyPlaybackTest, WavePcmDeliversExactlyTheDataChunkAlsoAfterASeek) {
    output.microsecondsPerKilobyte = 2000;            // about 1.5 s per 3 s of CD audio
    const Bytes data = Pattern(4 * 44100 * 3 + 6, 1); // 3 s and a bit
    const Bytes list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    const std::string path = Scratch("list.wav", MakeWave(1, 2, 44100, data, list));
    EXPECT_TRUE(PlayToEnd(path) == data);

    output.Clear();
    reports.Clear();
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(path.c_str(), &info), 1);
    EXPECT_EQ(info.playLength, 3);
    EXPECT_EQ(info.bitRate, 1411);
    EXPECT_EQ(info.mpegVersion, 0);
    ASSERT_EQ(tessaly.Play(), 1);
    ASSERT_EQ(tessaly.Pause(), 1);
    ASSERT_EQ(tessaly.Seek(2), 1);
    output.Clear();
    ASSERT_EQ(tessaly.Resume(), 1);
    ASSERT_TRUE(reports.WaitForEnd());
    const Bytes tail(data.begin() + 2 * 176400, data.end());
    EXPECT_TRUE(output.Written() == tail) << "after seeking to 2 s";
}

TEST_F(TessalyPlaybackTest, MuLawExpandsAndSeeksToTheSecondAsked) {
    output.microsecondsPerKilobyte = 2000;     // about 1.5 s per 3 s of CD audio
    const Bytes codes = Pattern(8000 * 12, 2); // 12 s mono at 8 kHz
    const std::string path = Scratch("mulaw.wav", MakeWave(7, 1, 8000, codes));
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(path.c_str(), &info), 1);
    EXPECT_EQ(info.bitRate, 128);
    ASSERT_EQ(tessaly.Play(), 1);
    ASSERT_EQ(tessaly.Pause(), 1);
    ASSERT_EQ(tessaly.Seek(10), 1);
    output.Clear();
    ASSERT_EQ(tessaly.Resume(), 1);
    ASSERT_TRUE(reports.WaitForEnd());
    const auto list = reports.Snapshot();
    EXPECT_NE(std::find(list.begin(), list.end(), std::make_pair(kNotifyPosition, 10)), list.end());
    const Bytes written = output.Written();
    ASSERT_EQ(written.size(), 2u * 8000 * 2);
    for (size_t i = 0; i < 16000; ++i) {
        const int16_t sample = static_cast<int16_t>(written[2 * i] | written[2 * i + 1] << 8);
        ASSERT_EQ(sample, ExpandMuLaw(codes[80000 + i])) << "sample " << i;
    }
}

TEST_F(TessalyPlaybackTest, StopWhilePausedResetsClosesAndSendsNoEnd) {
    output.microsecondsPerKilobyte = 2000; // about 1.5 s per 3 s of CD audio
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(Fixture("tone-128k.mp3").c_str(), &info), 1);
    ASSERT_EQ(tessaly.Play(), 1);
    ASSERT_EQ(tessaly.Pause(), 1);
    EXPECT_EQ(tessaly.GetState(), kInputPaused);
    EXPECT_EQ(tessaly.Pause(), 1) << "pause while paused does nothing";
    ASSERT_EQ(tessaly.Stop(), 1);
    EXPECT_EQ(tessaly.GetState(), kInputStopped);
    const auto calls = output.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "reset");
    EXPECT_EQ(calls.back(), "close");
    const auto list = reports.Snapshot();
    EXPECT_EQ(list.back(), std::make_pair(kNotifyPosition, 0));
    EXPECT_EQ(std::count(list.begin(), list.end(), std::make_pair(kNotifyEnd, 0)), 0);
    EXPECT_EQ(tessaly.Seek(1), 0) << "seek while stopped";
}

TEST_F(TessalyPlaybackTest, SeekingPastTheEndStopsAtTheLastFrame) {
    output.microsecondsPerKilobyte = 2000; // about 1.5 s per 3 s of CD audio
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(Fixture("tone-128k.mp3").c_str(), &info), 1);
    ASSERT_EQ(tessaly.Play(), 1);
    ASSERT_EQ(tessaly.Pause(), 1);
    ASSERT_EQ(tessaly.Seek(600), 1);
    const auto list = reports.Snapshot();
    // 48900 bytes at 16000 bytes per second.
    EXPECT_EQ(list.back(), std::make_pair(kNotifyPosition, 3));
    ASSERT_EQ(tessaly.Resume(), 1);
    EXPECT_TRUE(reports.WaitForEnd());
}

TEST_F(TessalyPlaybackTest, OpenRefusals) {
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(Fixture("tone-128k.mp3").c_str(), &info), 1);
    EXPECT_EQ(tessaly.Open(Fixture("tone-22k-tagged.mp3").c_str(), &info), 0) << "second Open";
    EXPECT_EQ(info.bitRate, 128) << "the first file stays open";
    EXPECT_EQ(tessaly.Close(), 1);
    EXPECT_EQ(tessaly.Close(), 0);

    // 1023 bytes that are not a WAVE file: too short to search for a frame.
    Bytes shortFile(1023, 0);
    shortFile[100] = 0xFF;
    shortFile[101] = 0xFB;
    shortFile[102] = 0x90;
    EXPECT_EQ(tessaly.Open(Scratch("short.mp3", shortFile).c_str(), &info), 0);
    tessaly.Close();

    // Bit-rate index 0 (free format) is refused with play length 0.
    Bytes freeFormat = ReadFile(Fixture("tone-128k.mp3"));
    for (size_t at = FirstSync(freeFormat, 0); at + 4 <= freeFormat.size();) {
        const int32_t length = FrameLength(freeFormat.data() + at);
        if (length == 0) break;
        freeFormat[at + 2] &= 0x0F;
        at += static_cast<size_t>(length);
    }
    info.playLength = 99;
    EXPECT_EQ(tessaly.Open(Scratch("free.mp3", freeFormat).c_str(), &info), 0);
    tessaly.Close();

    EXPECT_EQ(tessaly.Open((folder + "-missing.mp3").c_str(), &info), 0);
    EXPECT_EQ(tessaly.Open(testing::TempDir().c_str(), &info), 0) << "a folder";
    EXPECT_EQ(tessaly.Play(), 0) << "nothing open";
}

TEST_F(TessalyPlaybackTest, AbsurdWaveFilesAreRefusedOrPlayedSafely) {
    // A RIFF size of 0xFFFFFFFF and a data chunk longer than the file.
    Bytes data = Pattern(1000, 3);
    Bytes wave = MakeWave(1, 2, 44100, data);
    std::memset(wave.data() + 4, 0xFF, 4);
    std::memset(wave.data() + 40, 0xFF, 4);
    EXPECT_TRUE(PlayToEnd(Scratch("huge.wav", wave)) == data);

    InputFileInfo info = {};
    for (const auto& bad :
         {MakeWave(1, 0, 44100, data), MakeWave(1, 2, 0, data), Bytes{'R', 'I', 'F'}}) {
        const std::string path = Scratch("bad.wav", bad);
        EXPECT_EQ(tessaly.Open(path.c_str(), &info), 0);
        tessaly.Close();
    }
}

TEST_F(TessalyPlaybackTest, FileInfoWhilePlayingDoesNotDisturbThePlay) {
    const Bytes file = WithoutInformationFrame(ReadFile(Fixture("tone-128k.mp3")));
    const Bytes expected = DecodeWhole(file, FirstSync(file, 0));
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.Open(Scratch("plain.mp3", file).c_str(), &info), 1);
    ASSERT_EQ(tessaly.Play(), 1);
    for (int i = 0; i < 20; ++i) {
        InputFileInfo other = {};
        ASSERT_EQ(tessaly.GetFileInfo(Fixture("tone-22k-tagged.mp3").c_str(), &other), 1);
        EXPECT_EQ(other.sampleRate, 22050);
        EXPECT_STREQ(other.tag.title, "Tone");
        // The tags do not count: 3 s of frames.
        EXPECT_EQ(other.playLength, 3);
    }
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_TRUE(output.Written() == expected);
}

TEST_F(TessalyPlaybackTest, RandomHostCallsNeverHangAndLeaveAConsistentState) {
    const std::string mp3 = Fixture("tone-128k.mp3");
    const std::string wav = Scratch("soak.wav", MakeWave(6, 2, 22050, Pattern(22050 * 2 * 3, 4)));
    std::mt19937 random(12345);
    InputFileInfo info = {};
    for (int call = 0; call < 2000; ++call) {
        const auto started = std::chrono::steady_clock::now();
        switch (random() % 7) {
        case 0:
            tessaly.Play();
            break;
        case 1:
            tessaly.Pause();
            break;
        case 2:
            tessaly.Resume();
            break;
        case 3:
            tessaly.Seek(static_cast<int32_t>(random() % 5));
            break;
        case 4:
            tessaly.Stop();
            break;
        case 5:
            tessaly.Close();
            break;
        case 6:
            tessaly.Open(random() % 2 ? mp3.c_str() : wav.c_str(), &info);
            break;
        }
        ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2))
            << "call " << call;
        const int32_t state = tessaly.GetState();
        ASSERT_TRUE(state == kInputStopped || state == kInputPlaying || state == kInputPaused);
    }
    tessaly.Close();
    EXPECT_EQ(tessaly.GetState(), kInputStopped);
    EXPECT_EQ(tessaly.Close(), 0);
}

} // namespace
