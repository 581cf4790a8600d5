// Audio CD end to end under Wine: a prefix of its own (scripts/wine-run-cd-drive)
// has a CD-ROM drive E: whose MCI "cdaudio" device is the simulated drive of
// cddrive/, which logs every command it receives. The shipped Tessaly.dll and
// Quorel.exe talk to it through winmm as they would to a real drive.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>

#include "Harness.h"
#include "MciChannel.h"
#include "PluginManager.h"
#include "SimulatedDisc.h"
#include "TessalyTestSupport.h"

#include <commctrl.h>

namespace {

using namespace tessaly_test;
using Lines = std::vector<std::string>;

// The drive's command log, in a scratch folder, named to the driver through
// the environment (Quorel.exe inherits it).
class CommandLog {
  public:
    CommandLog() : path(folder / "commands.log") {
        SetEnvironmentVariableA(simulated_disc::kLogVariable, path.c_str());
    }
    ~CommandLog() { SetEnvironmentVariableA(simulated_disc::kLogVariable, nullptr); }

    Lines Read() const {
        std::string text;
        harness::ReadWholeFile(path, text);
        Lines lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // Lines from `from` on, the polling of position and mode left out.
    Lines Commands(size_t from = 0) const {
        Lines all = Read();
        Lines commands;
        for (size_t i = from; i < all.size(); ++i)
            if (!IsPoll(all[i])) commands.push_back(all[i]);
        return commands;
    }
    // Waits until `line` is logged at or after `from`; its index, or npos.
    size_t WaitFor(const std::string& line, size_t from = 0) const {
        size_t found = std::string::npos;
        harness::WaitUntil([&] {
            const Lines all = Read();
            for (size_t i = from; i < all.size(); ++i)
                if (all[i] == line) {
                    found = i;
                    return true;
                }
            return false;
        });
        return found;
    }

  private:
    static bool IsPoll(const std::string& line) {
        return line == "set time format 10" || line == "status 2" || line == "status 4";
    }
    harness::ScratchFolder folder;
    std::string path;
};

// The packed track-minute-second-frame time as the log writes it.
std::string Tmsf(uint32_t track, uint32_t minutes, uint32_t seconds) {
    char text[12];
    std::snprintf(text, sizeof text, "%08x", PackTmsf(track, minutes, seconds, 0));
    return text;
}

std::string PlayLine(uint32_t fromTrack, uint32_t toTrack) {
    return "play from " + (fromTrack ? Tmsf(fromTrack, 0, 0) : "-") + " to " +
           (toTrack ? Tmsf(toTrack, 0, 0) : "-");
}

bool Reported(Reports& reports, int32_t code, int32_t value) {
    const auto list = reports.Snapshot();
    return std::find(list.begin(), list.end(), std::make_pair(code, value)) != list.end();
}

// Tessaly.dll in this process: the listing, the length of a track asked
// without playing it, and a play of track 3 with seek, pause, resume and
// stop, each answered by the drive.
TEST(CdDrive, TessalyListsMeasuresAndPlaysTracksThroughTheDriver) {
    CommandLog log;
    PluginManager plugins;
    InputPlugin* input =
        plugins.LoadInput((harness::BuiltTreeFolder() + "\\Plugin\\Tessaly.dll").c_str());
    ASSERT_NE(input, nullptr);
    SinkOutput output;
    Reports reports;
    ASSERT_EQ(input->SetOutput(&output), 1);
    ASSERT_EQ(input->SetCallback(Report, reinterpret_cast<uintptr_t>(&reports)), 1);

    // Five tracks, the first of them data; the device is closed again.
    EXPECT_EQ(input->GetCDTrackCount("E:\\"), -5);
    EXPECT_EQ(log.Commands(), (Lines{"open e:", "status 3", "status 16385 track 1", "close"}));

    // A track's length in whole seconds (3:25), asked in minutes-seconds-
    // frames; a track beyond the disc is refused before any length query.
    size_t mark = log.Read().size();
    InputFileInfo info = {};
    ASSERT_EQ(input->GetFileInfo("e:\\TRACK03.CDA", &info), 1);
    EXPECT_EQ(info.playLength, 205);
    EXPECT_EQ(input->GetFileInfo("E:\\Track06.cda", &info), 0);
    EXPECT_EQ(log.Commands(mark),
              (Lines{"open e:", "status 3", "set time format 2", "status 1 track 3", "close",
                     "open e:", "status 3", "close"}));

    // Track 3 plays from its start to track 4's start.
    mark = log.Read().size();
    info = {};
    ASSERT_EQ(input->Open("E:\\Track03.cda", &info), 1);
    EXPECT_EQ(info.playLength, 205);
    ASSERT_EQ(input->Play(), 1);
    ASSERT_NE(log.WaitFor(PlayLine(3, 4), mark), std::string::npos)
        << "the play never reached the drive";
    EXPECT_EQ(output.Calls(), Lines{}) << "the drive plays by itself: no output stream";
    // The drive's clock runs: its positions come back as the elapsed time.
    EXPECT_TRUE(harness::WaitUntil([&] { return Reported(reports, kNotifyPosition, 1); }))
        << "no position came back from the drive";

    // A seek to 1:15 moves within track 3 and plays on to track 4.
    mark = log.Read().size();
    ASSERT_EQ(input->Seek(75), 1);
    EXPECT_TRUE(harness::WaitUntil([&] { return Reported(reports, kNotifyPosition, 76); }))
        << "the seek is not where the drive plays";
    // Paused, a seek to 1:40 moves the drive and leaves it waiting there;
    // the resume plays on from it.
    ASSERT_EQ(input->Pause(), 1);
    EXPECT_EQ(input->GetState(), kInputPaused);
    ASSERT_EQ(input->Seek(100), 1);
    EXPECT_EQ(input->GetState(), kInputPaused);
    ASSERT_EQ(input->Resume(), 1);
    EXPECT_EQ(input->GetState(), kInputPlaying);
    EXPECT_TRUE(harness::WaitUntil([&] { return Reported(reports, kNotifyPosition, 101); }))
        << "the resume does not play from the place sought";
    ASSERT_EQ(input->Stop(), 1);
    EXPECT_EQ(input->GetState(), kInputStopped);
    EXPECT_EQ(log.Commands(mark),
              (Lines{"status 1 track 3", "seek to " + Tmsf(3, 1, 15), "status 3", PlayLine(0, 4),
                     "pause", "status 1 track 3", "seek to " + Tmsf(3, 1, 40), "status 8",
                     "status 3", PlayLine(0, 4), "pause", "close"}));
    EXPECT_FALSE(Reported(reports, kNotifyEnd, 0)) << "a stop is no end of the track";
    EXPECT_EQ(input->Close(), 1);
}

// The built-in panel: buttons of the upper row at y 4 (11 pixels), the list
// button below play/pause, the seek bar from x 201 to 249 at y 30 to 40,
// where a drag moves the position a second a pixel.
constexpr int kButtonY = 9;
constexpr int kStopX = 219;
constexpr int kPlayPauseX = 232;
constexpr int kListButtonY = 22;
constexpr int kSeekBarY = 35;

// The play/pause place (11 x 11 at 227, 4) as the screen shows it.
std::vector<COLORREF> PlayPauseImage(HWND window) {
    std::vector<COLORREF> pixels;
    for (int y = 4; y < 15; ++y)
        for (int x = 227; x < 238; ++x)
            pixels.push_back(harness::ClientPixel(window, x, y));
    return pixels;
}

std::wstring Playing(const wchar_t* title) {
    return std::wstring(L" ") + title + L" :  : Quorel";
}

// Quorel.exe E:\ as a user starts it: the audio tracks listed with their
// lengths, track 2 played until the drive ends it, then track 3; the panel's
// pause, resume, a drag on the seek bar and stop reach the drive, and the
// panel shows each state.
TEST(CdDrive, QuorelListsAndPlaysTheDiscAndThePanelControlsTheDrive) {
    CommandLog log;
    harness::ScratchTree tree;
    harness::Process quorel(tree.program(), {"E:\\"});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == Playing(L"CD Audio-E- Track02");
    })) << "track 2 does not play; the log: "
        << ::testing::PrintToString(log.Read())
        << " title: " << ::testing::PrintToString(harness::WindowTextOf(main));
    const size_t playsTwo = log.WaitFor(PlayLine(2, 3));
    ASSERT_NE(playsTwo, std::string::npos);
    // The listing: the track count and type, one length query per track;
    // then track 2 opened and played.
    Lines expected = {"open e:", "status 3", "status 16385 track 1", "close"};
    for (const char* track : {"2", "3", "4", "5"}) {
        const Lines measure = {"open e:", "status 3", "set time format 2",
                               std::string("status 1 track ") + track, "close"};
        expected.insert(expected.end(), measure.begin(), measure.end());
    }
    const Lines play = {"open e:",          "status 3",          "set time format 2",
                        "status 1 track 2", "set time format 2", "status 1 track 2",
                        "status 3",         PlayLine(2, 3)};
    expected.insert(expected.end(), play.begin(), play.end());
    EXPECT_EQ(log.Commands(), expected);

    harness::Click(main, kPlayPauseX, kListButtonY);
    HWND list = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        return (list = harness::FindVisibleWindow(quorel.id(), L"QuorelPlayList"));
    })) << "the list button shows no play list window";
    HWND view = FindWindowExW(list, nullptr, WC_LISTVIEWW, nullptr);
    harness::ListViewContents contents;
    ASSERT_TRUE(harness::ReadListView(view, contents));
    EXPECT_EQ(contents.rows, (std::vector<std::vector<std::wstring>>{
                                 {L"1", L"CD Audio-E- Track02", L"", L"", L"00:06"},
                                 {L"2", L"CD Audio-E- Track03", L"", L"", L"03:25"},
                                 {L"3", L"CD Audio-E- Track04", L"", L"", L"02:10"},
                                 {L"4", L"CD Audio-E- Track05", L"", L"", L"04:45"},
                             }));

    // The drive ends track 2 by itself; the device is closed and track 3
    // plays to track 4's start.
    ASSERT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == Playing(L"CD Audio-E- Track03");
    })) << "the end of track 2 was not seen";
    const size_t playsThree = log.WaitFor(PlayLine(3, 4), playsTwo);
    ASSERT_NE(playsThree, std::string::npos);
    const Lines ending = log.Commands(playsTwo + 1);
    ASSERT_GE(ending.size(), 2u);
    EXPECT_EQ(Lines(ending.begin(), ending.begin() + 2), (Lines{"pause", "close"}));

    // Pause and resume: the drive pauses and plays on from where it stands.
    const std::vector<COLORREF> playing = PlayPauseImage(main);
    harness::SendClick(main, kPlayPauseX, kButtonY);
    const size_t paused = log.WaitFor("pause", playsThree);
    ASSERT_NE(paused, std::string::npos) << "the pause did not reach the drive";
    EXPECT_TRUE(harness::WaitUntil([&] { return PlayPauseImage(main) != playing; }))
        << "the panel does not show the pause";
    harness::SendClick(main, kPlayPauseX, kButtonY);
    const size_t resumed = log.WaitFor(PlayLine(0, 4), paused);
    ASSERT_NE(resumed, std::string::npos) << "the resume did not reach the drive";
    EXPECT_TRUE(harness::WaitUntil([&] { return PlayPauseImage(main) == playing; }))
        << "the panel does not show the play again";

    // A drag of 30 pixels to the right on the seek bar: 30 seconds on, in
    // track 3, and the drive plays on to track 4.
    harness::Drag(main, 205, kSeekBarY, 235, kSeekBarY);
    std::string seek;
    ASSERT_TRUE(harness::WaitUntil([&] {
        for (const std::string& line : log.Commands(resumed + 1))
            if (line.rfind("seek to ", 0) == 0) seek = line;
        return !seek.empty();
    })) << "the seek did not reach the drive";
    const uint32_t sought = std::stoul(seek.substr(8), nullptr, 16);
    EXPECT_EQ(sought & 0xFFFF, 3u) << seek << ": not at minute 0 of track 3";
    EXPECT_GE(sought >> 16 & 0xFF, 30u) << seek;
    const size_t seekLine = log.WaitFor(seek, resumed);
    EXPECT_NE(log.WaitFor(PlayLine(0, 4), seekLine), std::string::npos);

    // Stop: the drive stops and the device is closed; the title is the
    // program's own again.
    const size_t beforeStop = log.Read().size();
    harness::SendClick(main, kStopX, kButtonY);
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; }))
        << "stop did not stop";
    EXPECT_NE(log.WaitFor("close", beforeStop), std::string::npos);
    EXPECT_EQ(log.Commands(beforeStop), (Lines{"pause", "close"}));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
