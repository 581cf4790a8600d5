// The shipped Tessaly.dll under Wine: its Win32 playback thread, the
// thread-message protocol and real files, with a recording output.
#include <gtest/gtest.h>

#include <windows.h>

#include "Harness.h"
#include "PluginManager.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

class TessalyDllTest : public ::testing::Test {
  protected:
    void SetUp() override {
        input = plugins.LoadInput((harness::BuiltTreeFolder() + "\\Plugin\\Tessaly.dll").c_str());
        ASSERT_NE(input, nullptr);
        ASSERT_EQ(input->SetOutput(&output), 1);
        ASSERT_EQ(input->SetCallback(Report, reinterpret_cast<uintptr_t>(&reports)), 1);
        ASSERT_EQ(input->SetDecodeOptions(0, 0, 24000), 1);
    }
    void TearDown() override {
        if (input) input->Close();
    }

    std::string Scratch(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch / name;
        WriteFile(path, bytes);
        return path;
    }

    PluginManager plugins;
    InputPlugin* input = nullptr; // owned by Tessaly.dll
    SinkOutput output;
    Reports reports;
    harness::ScratchFolder scratch;
};

TEST_F(TessalyDllTest, MpegPlaysExactlyTheDecodersPcmToTheEnd) {
    const Bytes file = ReadFile(Fixture("tone-128k.mp3"));
    ASSERT_FALSE(file.empty());
    const Bytes expected = DecodeWhole(file, FirstSync(file, 0));
    InputFileInfo info = {};
    ASSERT_EQ(input->Open(Fixture("tone-128k.mp3").c_str(), &info), 1);
    EXPECT_EQ(info.playLength, 3);
    ASSERT_EQ(input->Play(), 1);
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_EQ(output.Written().size(), expected.size());
    EXPECT_TRUE(output.Written() == expected);
    EXPECT_EQ(input->Close(), 1);
}

TEST_F(TessalyDllTest, WaveWithAListBehindItsDataPlaysExactlyTheData) {
    const Bytes data = Pattern(4 * 22050, 7);
    const Bytes list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    InputFileInfo info = {};
    ASSERT_EQ(input->Open(Scratch("list.wav", MakeWave(1, 2, 22050, data, list)).c_str(), &info),
              1);
    ASSERT_EQ(input->Play(), 1);
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_TRUE(output.Written() == data);
}

// The conversion of ID3v2 Unicode texts is Windows' own here: code page 932
// without best fit, '?' for what it lacks.
TEST_F(TessalyDllTest, Id3v2UnicodeTextsArriveInCodePage932) {
    InputFileInfo info = {};
    ASSERT_EQ(input->GetFileInfo(Fixture("id3v23-utf16.mp3").c_str(), &info), 1);
    // "日本語のタイトル", "歌手", "コメント"
    EXPECT_STREQ(info.tag.title,
                 "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x5E\x83\x43\x83\x67\x83\x8B");
    EXPECT_STREQ(info.tag.artist, "\x89\xCC\x8E\xE8");
    EXPECT_STREQ(info.tag.comment, "\x83\x52\x83\x81\x83\x93\x83\x67");
    EXPECT_EQ(info.tag.textFrom, 1);
    ASSERT_EQ(input->GetFileInfo(Fixture("id3v24-utf8.mp3").c_str(), &info), 1);
    // "Café 日本" and "Beyoncé": no "e" for "é"
    EXPECT_STREQ(info.tag.title, "Caf? \x93\xFA\x96\x7B");
    EXPECT_STREQ(info.tag.artist, "Beyonc?");
}

TEST_F(TessalyDllTest, PauseSeekAndStopGoThroughThreadMessages) {
    output.microsecondsPerKilobyte = 2000;
    InputFileInfo info = {};
    ASSERT_EQ(input->Open(Fixture("tone-128k.mp3").c_str(), &info), 1);
    ASSERT_EQ(input->Play(), 1);
    ASSERT_EQ(input->Pause(), 1);
    EXPECT_EQ(input->GetState(), kInputPaused);
    ASSERT_EQ(input->Seek(2), 1);
    EXPECT_EQ(reports.Snapshot().back(), std::make_pair(kNotifyPosition, 2));
    ASSERT_EQ(input->Stop(), 1);
    EXPECT_EQ(input->GetState(), kInputStopped);
    const auto calls = output.Calls();
    EXPECT_EQ(calls.back(), "close");
    EXPECT_EQ(calls[calls.size() - 2], "reset");
    const auto list = reports.Snapshot();
    EXPECT_EQ(std::count(list.begin(), list.end(), std::make_pair(kNotifyEnd, 0)), 0);
}

// This machine has no CD drive: CD names send no MCI command and wait for
// nothing, and a file that merely looks like a CD track is no audio file.
TEST_F(TessalyDllTest, WithoutACdDriveCdNamesAreRefusedAtOnce) {
    InputFileInfo info = {};
    EXPECT_EQ(input->GetCDTrackCount("D:\\"), 0);
    EXPECT_EQ(input->Open("D:\\Track01.cda", &info), 0);
    EXPECT_EQ(input->GetFileInfo("D:\\Track01.cda", &info), 0);
    Bytes cdda = {'R', 'I', 'F', 'F', 36,  0,   0,  0, 'C', 'D',
                  'D', 'A', 'f', 'm', 't', ' ', 24, 0, 0,   0};
    cdda.resize(44, 0);
    const std::string track = Scratch("Track01.cda", cdda);
    EXPECT_EQ(input->Open(track.c_str(), &info), 0);
    EXPECT_EQ(input->Close(), 1) << "the refused file is released";
    EXPECT_EQ(input->GetFileInfo(track.c_str(), &info), 0);
}

TEST_F(TessalyDllTest, RandomHostCallsEachReturnWithinTwoSeconds) {
    output.microsecondsPerKilobyte = 200;
    const std::string mp3 = Fixture("tone-128k.mp3");
    const std::string wav = Scratch("soak.wav", MakeWave(7, 1, 8000, Pattern(8000 * 3, 8)));
    std::mt19937 random(777);
    InputFileInfo info = {};
    for (int call = 0; call < 2000; ++call) {
        const DWORD started = GetTickCount();
        switch (random() % 7) {
        case 0:
            input->Play();
            break;
        case 1:
            input->Pause();
            break;
        case 2:
            input->Resume();
            break;
        case 3:
            input->Seek(static_cast<int32_t>(random() % 5));
            break;
        case 4:
            input->Stop();
            break;
        case 5:
            input->Close();
            break;
        case 6:
            input->Open(random() % 2 ? mp3.c_str() : wav.c_str(), &info);
            break;
        }
        ASSERT_LT(GetTickCount() - started, 2000u) << "call " << call;
    }
    input->Close();
    EXPECT_EQ(input->GetState(), kInputStopped);
}

} // namespace
