#include "Transport.h"
#include "ScriptedMixer.h"
#include "TrayTip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// An input plug-in that keeps its state as the real one does and records
// which files it opened.
class FakeInput : public InputPlugin {
  public:
    int32_t SetOutput(OutputPlugin*) override { return 1; }
    int32_t SetCallback(InputCallback, uintptr_t) override { return 1; }
    int32_t Open(const char* name, InputFileInfo* info) override {
        opened.push_back(name);
        if (failing.count(name)) return 0;
        open = true;
        info->playLength = 100;
        info->bitRate = 128;
        info->sampleRate = 44100;
        return 1;
    }
    int32_t Close() override {
        const bool wasOpen = open;
        Stop();
        open = false;
        return wasOpen;
    }
    int32_t GetState() override { return state; }
    int32_t GetFileInfo(const char*, InputFileInfo*) override { return 0; }
    int32_t Play() override {
        if (!open || refusePlay) return 0;
        state = kInputPlaying;
        return 1;
    }
    int32_t Stop() override {
        if (state != kInputStopped) ++stops;
        state = kInputStopped;
        return 1;
    }
    int32_t Pause() override {
        if (state == kInputPlaying) state = kInputPaused;
        return 1;
    }
    int32_t Resume() override {
        if (state == kInputPaused) {
            state = kInputPlaying;
            ++resumes;
        }
        return 1;
    }
    int32_t Seek(int32_t) override { return state != kInputStopped; }
    int32_t SetVolume(int32_t l, int32_t r) override {
        volume = {l, r};
        return 1;
    }
    int32_t SetDecodeOptions(int32_t, int32_t, int32_t) override { return 1; }
    int32_t GetVersion(char*) override { return 1; }
    int32_t WriteID3v1(const char*, const TagRecord*) override { return 0; }
    int32_t WriteRiffInfo(const char*, const TagRecord*) override { return 0; }
    int32_t WriteLyrics3(const char*, const TagRecord*) override { return 0; }
    int32_t GetCDTrackCount(const char*) override { return 0; }

    int32_t state = kInputStopped;
    bool open = false;
    bool refusePlay = false;
    std::set<std::string> failing;
    std::vector<std::string> opened;
    int stops = 0;
    int resumes = 0;
    std::pair<int32_t, int32_t> volume{-1, -1};
};

class RecordingView : public TransportView {
  public:
    void DrawPlayPause(bool pauseLit) override { pauseImageLit = pauseLit; }
    void DrawStop(bool lit) override { stopLit = lit; }
    void DrawTextsAndNumbers() override {}
    void DrawRepeatIndicator() override {}
    void DrawShuffleIndicator() override {}
    void RepaintAll() override {}
    void SetApplicationTitle(const std::string& title) override { applicationTitle = title; }
    void ShowTrayState(bool playing, const std::string& tip) override {
        const TrayLook look = TrayLookFor(playing, tip);
        tray.push_back(std::to_string(look.state) + (look.withTip ? " " + tip : ""));
    }
    void CheckMenu(TransportMenuCheck) override {}
    void PostNotifyEnd() override { ++endsPosted; }
    void ShowMessage(const char* text) override { messages.push_back(text); }
    void ShowPlayListWindow() override {}
    void PopUpOpenMenu() override { ++openMenus; }
    void SelectPlayListRow(int) override {}
    void RebuildPlayList() override {}
    void CheckMenuPlayListItem(int) override {}
    bool SkinActive() const override { return false; }
    bool SkinHasSeparatePause() const override { return false; }
    void RestartSkinTitleScroll() override {}
    void ResetTitleScroll() override { ++titleResets; }

    bool pauseImageLit = false;
    bool stopLit = false;
    std::string applicationTitle;
    int endsPosted = 0;
    int openMenus = 0;
    int titleResets = 0;
    std::vector<std::string> messages;
    std::vector<std::string> tray; // state code and tip of each tray change
};

class TransportTest : public ::testing::Test {
  protected:
    TransportTest() : shuffle(random), transport(Parts()) {}

    TransportParts Parts() {
        return {input, list, shuffle, random, settings, view, nullptr, nullptr, nullptr};
    }

    // Items "1.mp3" ... "n.mp3" titled "Title n" by "Artist n".
    void Load(int n) {
        for (int i = 1; i <= n; ++i) {
            ItemRecord* item = list.AppendItem();
            std::snprintf(item->path, sizeof item->path, "C:\\music\\%d.mp3", i);
            std::snprintf(item->info.tag.title, sizeof item->info.tag.title, "Title %d", i);
            std::snprintf(item->info.tag.artist, sizeof item->info.tag.artist, "Artist %d", i);
        }
        transport.ListLoaded = 1;
        list.SetCurrent(1);
    }

    std::string LastOpened() const { return input.opened.empty() ? "" : input.opened.back(); }
    static std::string Path(int n) { return "C:\\music\\" + std::to_string(n) + ".mp3"; }

    // The end of a track as the main window sees it: the input went to 0.
    void TrackEnds() {
        input.state = kInputStopped;
        transport.NotifyEnd();
    }

    FakeInput input;
    TInputItemDB list;
    RandomGenerator random;
    TShuffle shuffle;
    SettingsFields settings;
    RecordingView view;
    Transport transport;
};

TEST_F(TransportTest, NothingLoadedLeavesEveryButtonButOpenDead) {
    settings.AutoPlay = false;
    for (int32_t code : {0, 1, 2, 3, 4, 5, 6, 10})
        transport.ButtonAction(code);
    EXPECT_EQ(transport.RepeatMode, kRepeatOff);
    EXPECT_EQ(transport.ShuffleMode, kShuffleOff);
    EXPECT_TRUE(input.opened.empty());
    transport.ButtonAction(kButtonOpenMenu);
    EXPECT_EQ(view.openMenus, 1);
}

TEST_F(TransportTest, PlayOpensTheCurrentItemAndTitlesTheTaskBar) {
    Load(3);
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(transport.PlayState, kPlayPlaying);
    EXPECT_EQ(input.state, kInputPlaying);
    EXPECT_EQ(LastOpened(), Path(1));
    EXPECT_EQ(view.applicationTitle, " Title 1 : Artist 1 : Quorel");
    EXPECT_STREQ(transport.TitleText, "Title 1");
    EXPECT_EQ(transport.Length, 100);
    EXPECT_EQ(transport.BitRate, 128000);
    EXPECT_EQ(transport.SampleRate, 44100);
    EXPECT_TRUE(view.pauseImageLit);
    EXPECT_TRUE(view.stopLit);
    EXPECT_EQ(view.titleResets, 1) << "a new title scrolls from its start";
}

TEST_F(TransportTest, PlayTogglesPauseAndResumesWithoutReopening) {
    Load(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(transport.PlayState, kPlayPaused);
    EXPECT_EQ(input.state, kInputPaused);
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(transport.PlayState, kPlayPlaying);
    EXPECT_EQ(input.state, kInputPlaying);
    EXPECT_EQ(input.opened.size(), 1u);
    EXPECT_EQ(input.resumes, 1);
}

TEST_F(TransportTest, TrayIconFollowsPlayPauseResumeAndStop) {
    Load(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonStop);
    const std::string title = " Title 1 : Artist 1 : Quorel";
    EXPECT_EQ(view.tray,
              (std::vector<std::string>{"100 " + title, "-1 " + title, "100 " + title, "101"}));
    EXPECT_EQ(TrayStateOfInput(kInputPaused), kTrayPaused);
    EXPECT_EQ(TrayStateOfInput(7), 255);
    // 62 single bytes and a double-byte character: the tip ends before it.
    const std::string longTitle = std::string(62, 'a') + "\x83\x41" + "b";
    EXPECT_EQ(TrayTipOf(longTitle), std::string(62, 'a'));
    EXPECT_EQ(TrayTipOf(std::string(61, 'a') + "\x83\x41"), std::string(61, 'a') + "\x83\x41");
    EXPECT_EQ(TrayTipOf(std::string(80, 'x')).size(), 63u);
}

TEST_F(TransportTest, StopClosesTheInputAndRestoresTheIdleTitle) {
    Load(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonStop);
    EXPECT_EQ(transport.PlayState, kPlayStopped);
    EXPECT_EQ(input.state, kInputStopped);
    EXPECT_FALSE(input.open);
    EXPECT_EQ(view.applicationTitle, "Quorel");
    EXPECT_FALSE(view.stopLit);
}

TEST_F(TransportTest, NextWhilePlayingPlaysTheNextItem) {
    Load(3);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonNext);
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(LastOpened(), Path(2));
    EXPECT_EQ(input.state, kInputPlaying);
    EXPECT_STREQ(transport.TitleText, "Title 2");
}

TEST_F(TransportTest, NextWhilePausedAbandonsTheTrackAndWaits) {
    Load(3);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonNext);
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(transport.PlayState, kPlayStopped);
    EXPECT_EQ(input.state, kInputStopped);
    EXPECT_EQ(input.opened.size(), 1u) << "the new item is not played";
}

TEST_F(TransportTest, PreviousWhilePausedStopsTheInputAndPlayStartsTheNewItem) {
    Load(3);
    list.SetCurrent(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPrevious);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(input.state, kInputStopped);
    EXPECT_EQ(transport.PlayState, kPlayPaused);
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(LastOpened(), Path(1));
    EXPECT_EQ(input.state, kInputPlaying);
}

TEST_F(TransportTest, PreviousAtTheFirstItemDoesNothing) {
    Load(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonPrevious);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(input.opened.size(), 1u);
}

TEST_F(TransportTest, RepeatOffAtTheLastItemReturnsToTheFirstAndStops) {
    Load(2);
    list.SetCurrent(2);
    transport.ButtonAction(kButtonPlayPause);
    TrackEnds();
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(transport.PlayState, kPlayStopped);
    EXPECT_EQ(input.state, kInputStopped);

    // Next pressed on the last item while playing does the same.
    list.SetCurrent(2);
    transport.ButtonAction(kButtonPlayPause);
    transport.ButtonAction(kButtonNext);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(transport.PlayState, kPlayStopped);
    EXPECT_EQ(input.state, kInputStopped);
}

TEST_F(TransportTest, TrackEndAdvancesAndPlaysTheNextItem) {
    Load(3);
    transport.ButtonAction(kButtonPlayPause);
    TrackEnds();
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(LastOpened(), Path(2));
    EXPECT_EQ(transport.PlayState, kPlayPlaying);
    EXPECT_EQ(input.state, kInputPlaying);
}

TEST_F(TransportTest, RepeatAllWrapsToTheFirstItem) {
    Load(2);
    transport.RepeatMode = kRepeatAll;
    list.SetCurrent(2);
    transport.ButtonAction(kButtonPlayPause);
    TrackEnds();
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(LastOpened(), Path(1));
    EXPECT_EQ(input.state, kInputPlaying);
}

TEST_F(TransportTest, RepeatOnePlaysTheSameItemAgainButNextMovesOn) {
    Load(3);
    transport.RepeatMode = kRepeatOne;
    transport.ButtonAction(kButtonPlayPause);
    TrackEnds();
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(input.opened, (std::vector<std::string>{Path(1), Path(1)}));
    EXPECT_EQ(input.state, kInputPlaying);
    transport.ButtonAction(kButtonNext);
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(LastOpened(), Path(2));
}

TEST_F(TransportTest, RepeatButtonCycles) {
    Load(1);
    std::vector<int32_t> seen;
    for (int i = 0; i < 4; ++i) {
        transport.ButtonAction(kButtonRepeat);
        seen.push_back(transport.RepeatMode);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{111, 112, 110, 111}));
}

TEST_F(TransportTest, RandomWithOneItemAlwaysPlaysIt) {
    Load(1);
    transport.ShuffleMode = kShuffleRandom;
    transport.ButtonAction(kButtonPlayPause);
    for (int i = 0; i < 20; ++i) {
        TrackEnds();
        EXPECT_EQ(list.GetCurrent(), 1);
        EXPECT_EQ(input.state, kInputPlaying);
    }
}

TEST_F(TransportTest, RandomCanChooseEveryItemTheLastOneIncluded) {
    Load(5);
    transport.ShuffleMode = kShuffleRandom;
    transport.ButtonAction(kButtonPlayPause);
    std::set<int32_t> chosen;
    for (int i = 0; i < 300; ++i) {
        TrackEnds();
        chosen.insert(list.GetCurrent());
    }
    EXPECT_EQ(chosen, (std::set<int32_t>{1, 2, 3, 4, 5}));
}

TEST_F(TransportTest, ShuffleCoversEveryItemAndIsRebuiltOnEachEntry) {
    Load(6);
    transport.ButtonAction(kButtonShuffle);
    ASSERT_EQ(transport.ShuffleMode, kShuffleOn);
    transport.ButtonAction(kButtonPlayPause);
    std::set<int32_t> played;
    for (int i = 0; i < 6; ++i) {
        TrackEnds();
        played.insert(list.GetCurrent());
    }
    EXPECT_EQ(played.size(), 6u) << "one round of the order plays every item";

    transport.ButtonAction(kButtonShuffle); // random: the order is cleared
    EXPECT_EQ(transport.ShuffleMode, kShuffleRandom);
    EXPECT_EQ(shuffle.NextInOrder(), 1) << "no order while not shuffling";
    transport.ButtonAction(kButtonShuffle);
    EXPECT_EQ(transport.ShuffleMode, kShuffleOff);
    transport.ButtonAction(kButtonShuffle);
    std::set<int32_t> order;
    for (int i = 0; i < 6; ++i)
        order.insert(shuffle.NextInOrder());
    EXPECT_EQ(order.size(), 6u) << "re-entering shuffle builds a new order";
}

TEST_F(TransportTest, AnItemThatCannotBeOpenedIsRenamedAndSkipped) {
    Load(2);
    input.failing.insert(Path(1));
    std::strcpy(list.GetItem(1)->info.tag.album, "Album");
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(view.endsPosted, 1);
    EXPECT_STREQ(list.GetItem(1)->info.tag.title, "Wave File");
    EXPECT_STREQ(list.GetItem(1)->info.tag.album, "");
    // The posted notice arrives and the player moves on.
    transport.NotifyEnd();
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(input.state, kInputPlaying);
}

TEST_F(TransportTest, APlayThatIsRefusedPostsTheEndNotice) {
    Load(2);
    input.refusePlay = true;
    transport.ButtonAction(kButtonPlayPause);
    EXPECT_EQ(view.endsPosted, 1);
}

TEST_F(TransportTest, AddingWhilePlayingFollowsAddFiletoPlay) {
    Load(2);
    transport.ButtonAction(kButtonPlayPause);
    settings.AddFiletoPlay = true;
    transport.AfterListLoaded(3, true);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(input.state, kInputPlaying);
    EXPECT_EQ(input.opened.size(), 1u);

    settings.AddFiletoPlay = false;
    settings.AutoPlay = false;
    transport.AfterListLoaded(2, true);
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(transport.PlayState, kPlayStopped);
    EXPECT_EQ(input.state, kInputStopped);

    settings.AutoPlay = true;
    transport.AfterListLoaded(1, true);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(input.state, kInputPlaying);
    EXPECT_EQ(LastOpened(), Path(1));
}

TEST_F(TransportTest, LoadingWithoutAddModeStartsAtItemOne) {
    Load(3);
    list.SetCurrent(3);
    settings.AutoPlay = false;
    transport.AfterListLoaded(1, false);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_STREQ(transport.TitleText, "Title 1");
}

TEST_F(TransportTest, PlayMenuTagsMapToPlayPause) {
    Load(1);
    transport.Play_MClick(1);
    EXPECT_TRUE(input.opened.empty());
    transport.Play_MClick(0);
    EXPECT_EQ(transport.PlayState, kPlayPlaying);
    transport.Play_MClick(10);
    EXPECT_EQ(transport.PlayState, kPlayPaused);
}

TEST_F(TransportTest, TitleFallsBackToTheFileName) {
    Load(1);
    list.GetItem(1)->info.tag.title[0] = '\0';
    EXPECT_TRUE(transport.UpdateTrackInfo());
    EXPECT_STREQ(transport.TitleText, "1.mp3");
    list.Clear();
    EXPECT_FALSE(transport.UpdateTrackInfo());
}

TEST_F(TransportTest, PositionIgnoredWhileTheSeekBarIsDragged) {
    transport.NotifyPosition(5);
    EXPECT_EQ(transport.Position, 5);
    transport.SeekDragging = true;
    transport.NotifyPosition(9);
    EXPECT_EQ(transport.Position, 5);
}

TEST_F(TransportTest, VolumeWithoutMixerGoesToTheInput) {
    transport.ApplyVolume(70);
    EXPECT_EQ(input.volume, std::make_pair(70, 70));
}

class Lines : public VolumeLines {
  public:
    std::string LineText(bool cd, int32_t index) const override {
        return !cd && index == 1 ? "Wave" : "";
    }
};

FaderInfo Fader(uint32_t id, const char* name, uint32_t type = kVolumeFaderType) {
    FaderInfo fader{};
    fader.controlId = id;
    std::strncpy(fader.name, name, sizeof fader.name - 1);
    fader.controlType = type;
    return fader;
}

TEST_F(TransportTest, MixerVolumeGoesToTheLineInUseAndItsNoticeShowsTheSameVolume) {
    ScriptedMixer mixer;
    mixer.controls = {{"Wave", 7}};
    mixer.faders = {{7, Fader(7, "Wave")},
                    {8, Fader(8, "Master")},
                    {9, Fader(9, "Wave", 0x50030002)}}; // not a volume fader
    Lines lines;
    TransportParts parts = Parts();
    parts.mixer = &mixer;
    parts.volumeLines = &lines;
    Transport withMixer(parts);
    withMixer.MixerLine = 1;
    withMixer.Volume = 33;

    EXPECT_EQ(withMixer.SetMixerVolume(40, 100), 0);
    EXPECT_EQ(mixer.set.first, 7u);
    EXPECT_EQ(mixer.set.second, (65535u << 16) | 26214u);
    EXPECT_EQ(input.volume.first, -1) << "the input is not asked when a mixer exists";
    // Every volume the player sets comes back as itself.
    for (int32_t volume = 0; volume <= 100; ++volume) {
        withMixer.ApplyVolume(volume);
        EXPECT_EQ(withMixer.MixerControlChange(7), volume);
    }
    // Only the volume fader of the line in use shows.
    EXPECT_EQ(withMixer.MixerControlChange(8), -1) << "another line";
    EXPECT_EQ(withMixer.MixerControlChange(9), -1) << "another control type";
    EXPECT_EQ(withMixer.MixerControlChange(5), -1) << "no control record";
    withMixer.SeekDragging = true;
    EXPECT_EQ(withMixer.MixerControlChange(7), -1) << "while the seek bar is dragged";
    withMixer.SeekDragging = false;
    withMixer.MixerLine = 2; // no such line
    EXPECT_EQ(withMixer.SetMixerVolume(40, 40), -1);
    EXPECT_EQ(withMixer.MixerControlChange(7), -1);
    EXPECT_EQ(withMixer.Volume, 33) << "a notice never changes the player's volume";
    EXPECT_EQ(transport.MixerControlChange(7), -1) << "without a mixer";
}

} // namespace
