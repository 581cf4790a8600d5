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
    ASSERT_EQ(input->Pause(), 1);
    EXPECT_EQ(input->GetState(), kInputPaused);
    ASSERT_EQ(input->Resume(), 1);
    EXPECT_EQ(input->GetState(), kInputPlaying);
    ASSERT_EQ(input->Stop(), 1);
    EXPECT_EQ(input->GetState(), kInputStopped);
    EXPECT_EQ(log.Commands(mark),
              (Lines{"status 1 track 3", "seek to " + Tmsf(3, 1, 15), "status 3", PlayLine(0, 4),
                     "pause", "status 8", "status 3", PlayLine(0, 4), "pause", "close"}));
    EXPECT_FALSE(Reported(reports, kNotifyEnd, 0)) << "a stop is no end of the track";
    EXPECT_EQ(input->Close(), 1);
}

} // namespace
