// Audio-CD tracks through the input plug-in, against a scripted drive:
// track names, drive choice, the commands and their packed times, and the
// CD loop on a playback thread whose sleeps advance the drive's clock.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AudioCD.h"
#include "CdTrackName.h"
#include "FakeCdDrive.h"
#include "StdPlaybackThread.h"
#include "Tessaly.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;
using Track = FakeCdDrive::Track;

TEST(CdTrackNameTest, NamesGiveRootAndTrackOrAreRefused) {
    struct Case {
        const char* name;
        const char* root; // null: refused
        int32_t track;
    } cases[] = {
        {"D:\\Track03.cda", "d:\\", 3},
        {"E:\\TRACK07.CDA", "e:\\", 7},
        {"d:\\Track7.cda", "d:\\", 7},
        {"D:\\sub\\Track12.cdax", "d:\\", 12}, // three characters of the extension count
        {"x.mp3", nullptr, 0},
        {"D:\\x.mp3", nullptr, 0},
        {"Track01.cda", nullptr, 0},
        {"D:\\Track00.cda", nullptr, 0},
        {"D:\\Track-1.cda", nullptr, 0},
        {"D:\\Track100.cda", nullptr, 0},
        {"D:\\Track99999999999.cda", nullptr, 0},
        {"D:\\Track.cda", nullptr, 0},
    };
    for (const Case& c : cases) {
        CdTrackName parsed;
        EXPECT_EQ(ParseCdTrackName(c.name, &parsed), c.root != nullptr) << c.name;
        if (!c.root) continue;
        EXPECT_EQ(parsed.root, c.root) << c.name;
        EXPECT_EQ(parsed.track, c.track) << c.name;
    }
}

// The loop's 500 ms polls pass on the drive's clock at once.
class ClockedThread : public StdPlaybackThread {
  public:
    explicit ClockedThread(FakeCdDrive& drive) : drive(drive) {}

  private:
    bool WaitFor(PlaybackMessage* message, int32_t milliseconds) override {
        drive.Advance(milliseconds);
        return StdPlaybackThread::WaitFor(message, 1);
    }
    FakeCdDrive& drive;
};

class AudioCDTest : public ::testing::Test {
  protected:
    void Build(std::vector<Track> disc, std::vector<std::string> roots = {"D:\\"}) {
        reports.Clear();
        tessaly.reset();
        drive = std::make_unique<FakeCdDrive>(std::move(disc));
        tessaly = std::make_unique<Tessaly>(
            std::make_unique<ClockedThread>(*drive),
            std::make_unique<TAudioCD>(std::make_unique<LentDrive>(*drive), std::move(roots)));
        ASSERT_EQ(tessaly->SetOutput(&output), 1);
        ASSERT_EQ(tessaly->SetCallback(Report, reinterpret_cast<uintptr_t>(&reports)), 1);
    }
    void TearDown() override {
        if (tessaly) tessaly->Close();
    }

    std::vector<FakeCdDrive::Logged> Commands(uint32_t command) {
        std::vector<FakeCdDrive::Logged> found;
        for (const auto& logged : drive->Log())
            if (logged.command == command) found.push_back(logged);
        return found;
    }
    bool WaitForPosition(int32_t seconds) {
        std::unique_lock<std::mutex> lock(reports.mutex);
        return reports.changed.wait_for(lock, std::chrono::seconds(20), [&] {
            for (const auto& report : reports.list)
                if (report.first == kNotifyPosition && report.second >= seconds) return true;
            return false;
        });
    }

    std::unique_ptr<FakeCdDrive> drive;
    std::unique_ptr<Tessaly> tessaly;
    SinkOutput output;
    Reports reports;
};

TEST_F(AudioCDTest, TrackPlaysFromItsStartToTheNextAndReportsEachSecondOnce) {
    Build({{true, 200}, {true, 3}, {true, 240}});
    InputFileInfo info = {};
    std::strcpy(info.tag.title, "kept");
    ASSERT_EQ(tessaly->Open("D:\\Track02.cda", &info), 1);
    EXPECT_EQ(info.playLength, 3);
    EXPECT_STREQ(info.tag.title, "kept");
    EXPECT_EQ(drive->lastElement, "d:");
    ASSERT_EQ(tessaly->Play(), 1);
    ASSERT_TRUE(reports.WaitForEnd());

    const auto plays = Commands(kMciPlay);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].flags, kMciNotify | kMciFrom | kMciTo);
    EXPECT_EQ(plays[0].from, PackTmsf(2, 0, 0, 0));
    EXPECT_EQ(plays[0].to, PackTmsf(3, 0, 0, 0));
    // 0, 1, 2 once each, then the finish's 0 and the end.
    const auto list = reports.Snapshot();
    const std::vector<std::pair<int32_t, int32_t>> expected = {{kNotifyPosition, 0},
                                                               {kNotifyPosition, 1},
                                                               {kNotifyPosition, 2},
                                                               {kNotifyPosition, 0},
                                                               {kNotifyEnd, 0}};
    EXPECT_EQ(list, expected);
    EXPECT_FALSE(drive->DeviceOpen());
    EXPECT_EQ(tessaly->GetState(), kInputStopped);
    EXPECT_TRUE(output.Calls().empty()) << "the drive plays by itself: no output stream";
}

TEST_F(AudioCDTest, PauseResumeSeekAndStopWhilePausedDriveTheDrive) {
    Build({{true, 200}, {true, 2000}, {true, 240}});
    InputFileInfo info = {};
    ASSERT_EQ(tessaly->Open("D:\\Track02.cda", &info), 1);
    ASSERT_EQ(tessaly->Play(), 1);
    ASSERT_TRUE(WaitForPosition(1));

    // Asked while the track plays: the device is busy, nothing is disturbed.
    InputFileInfo other = {};
    other.playLength = 99;
    EXPECT_EQ(tessaly->GetFileInfo("D:\\Track03.cda", &other), 1);
    EXPECT_EQ(other.playLength, 0);
    EXPECT_EQ(tessaly->GetState(), kInputPlaying);

    tessaly->Seek(75);
    const auto seeks = Commands(kMciSeek);
    ASSERT_EQ(seeks.size(), 1u);
    EXPECT_EQ(seeks[0].to, PackTmsf(2, 1, 15, 0));
    EXPECT_EQ(Commands(kMciPlay).back().flags, kMciNotify | kMciTo) << "plays on from the seek";
    EXPECT_EQ(Commands(kMciPlay).back().to, PackTmsf(3, 0, 0, 0));
    tessaly->Seek(5000); // kept inside the track
    EXPECT_EQ(Commands(kMciSeek).back().to, PackTmsf(2, 33, 19, 0));

    tessaly->Pause();
    EXPECT_EQ(tessaly->GetState(), kInputPaused);
    EXPECT_EQ(Commands(kMciPause).size(), 1u);
    tessaly->Resume();
    EXPECT_EQ(Commands(kMciPlay).back().flags, kMciNotify | kMciTo);
    tessaly->Pause();
    // A seek while paused moves the drive but leaves it paused.
    const size_t plays = Commands(kMciPlay).size();
    tessaly->Seek(30);
    EXPECT_EQ(Commands(kMciSeek).back().to, PackTmsf(2, 0, 30, 0));
    EXPECT_EQ(Commands(kMciPlay).size(), plays) << "the paused drive plays on";
    EXPECT_EQ(tessaly->GetState(), kInputPaused);
    tessaly->Stop();
    EXPECT_EQ(tessaly->GetState(), kInputStopped);
    EXPECT_FALSE(drive->DeviceOpen());
    for (const auto& report : reports.Snapshot())
        EXPECT_NE(report.first, kNotifyEnd);
    EXPECT_EQ(output.Calls(), std::vector<std::string>{"reset"});
}

TEST_F(AudioCDTest, AnEjectOrADriveThatOnlyFailsEndsThePlay) {
    Build({{true, 2000}, {true, 2000}});
    InputFileInfo info = {};
    ASSERT_EQ(tessaly->Open("D:\\Track01.cda", &info), 1);
    ASSERT_EQ(tessaly->Play(), 1);
    ASSERT_TRUE(WaitForPosition(1));
    drive->Eject();
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_FALSE(drive->DeviceOpen());
    tessaly->Close();

    Build({{true, 2000}});
    ASSERT_EQ(tessaly->Open("D:\\Track01.cda", &info), 1);
    ASSERT_EQ(tessaly->Play(), 1);
    ASSERT_TRUE(WaitForPosition(1));
    drive->Fail(0x10000 + kMciStatusMode, 256 + 30);
    ASSERT_TRUE(reports.WaitForEnd());
    EXPECT_FALSE(drive->DeviceOpen());
}

TEST_F(AudioCDTest, DrivesTracksAndCountsAreCheckedBeforeAnythingPlays) {
    // Two drives: the second is chosen by the open's element, in any case.
    Build({{true, 100}, {true, 100}, {true, 100}, {true, 100}}, {"D:\\", "E:\\"});
    InputFileInfo info = {};
    ASSERT_EQ(tessaly->Open("e:\\TRACK04.CDA", &info), 1);
    EXPECT_EQ(drive->lastElement, "e:") << "the second drive";
    ASSERT_EQ(tessaly->Play(), 1);
    tessaly->Stop();
    EXPECT_EQ(Commands(kMciPlay).front().flags, kMciNotify | kMciFrom)
        << "the last track plays to the disc's end";
    tessaly->Close();

    // Not a CD drive, not a CD track name, a track beyond the disc: refused,
    // and the first two without a single command.
    Build({{false, 300},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100},
           {true, 100}});
    EXPECT_EQ(tessaly->GetCDTrackCount("C:\\"), 0);
    EXPECT_EQ(tessaly->GetFileInfo("C:\\Track01.cda", &info), 0);
    EXPECT_TRUE(drive->Log().empty());
    EXPECT_EQ(tessaly->Open("D:\\Track13.cda", &info), 0);
    EXPECT_FALSE(drive->DeviceOpen());
    // A data track first: the negative count, and the device closed again.
    EXPECT_EQ(tessaly->GetCDTrackCount("d:\\"), -12);
    EXPECT_FALSE(drive->DeviceOpen());
    EXPECT_EQ(tessaly->GetCDTrackCount("D:\\"), -12)
        << "a second count still finds the device free";

    // A failing length query fails the open; the device is not left open.
    drive->Fail(0x10000 + kMciStatusLength, 256 + 34);
    EXPECT_EQ(tessaly->Open("D:\\Track02.cda", &info), 0);
    EXPECT_FALSE(drive->DeviceOpen());
    EXPECT_EQ(tessaly->GetFileInfo("D:\\Track02.cda", &info), 0);
}

} // namespace
