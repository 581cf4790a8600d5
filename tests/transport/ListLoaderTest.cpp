// Filling the play list from the open dialog, the folder browser, the
// re-open history and dropped files, on a file system held in memory.
#include "ListLoader.h"

#include "../playlist/FakeInput.h"
#include "../playlist/TestItems.h"
#include "MemoryFileAccess.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// The play list's input that also plays: Open and Play are remembered.
class PlayingInput : public FakeInput {
  public:
    int32_t Open(const char* name, InputFileInfo*) override {
        opened.push_back(name);
        return 1;
    }
    int32_t Play() override {
        state = kInputPlaying;
        return 1;
    }
    int32_t Stop() override {
        if (state != kInputStopped) ++stops;
        state = kInputStopped;
        return 1;
    }
    int32_t GetState() override { return state; }

    int32_t state = kInputStopped;
    int stops = 0;
    Names opened;
};

class CountingView : public TransportView {
  public:
    void DrawPlayPause(bool) override {}
    void DrawStop(bool) override {}
    void DrawTextsAndNumbers() override {}
    void DrawRepeatIndicator() override {}
    void DrawShuffleIndicator() override {}
    void RepaintAll() override {}
    void SetApplicationTitle(const std::string&) override {}
    void ShowTrayState(bool, const std::string&) override {}
    void CheckMenu(TransportMenuCheck) override {}
    void PostNotifyEnd() override {}
    void ShowMessage(const char*) override {}
    void ShowPlayListWindow() override {}
    void PopUpOpenMenu() override {}
    void SelectPlayListRow(int) override {}
    void RebuildPlayList() override { ++rebuilds; }
    void CheckMenuPlayListItem(int) override {}
    bool SkinActive() const override { return false; }
    bool SkinHasSeparatePause() const override { return false; }
    void RestartSkinTitleScroll() override {}
    void ResetTitleScroll() override {}

    int rebuilds = 0;
};

class ListLoaderTest : public ::testing::Test {
  protected:
    ListLoaderTest()
        : model(files, log.Sink()), shuffle(random),
          transport({input, model.PlayList(), shuffle, random, settings, view, nullptr, nullptr,
                     nullptr}),
          loader({transport, model, settings, history, view, files, "Idle", "   Sub"}) {
        model.SetInput(&input);
        for (const char* name : {"C:\\m\\b.mp3", "C:\\m\\a.wav", "C:\\m\\x.txt", "C:\\dir\\c.mp3",
                                 "C:\\dir\\A.mp3", "C:\\old\\1.mp3", "C:\\old\\2.mp3"})
            files.AddFile(name);
        files.AddFile("C:\\m\\list.m3u", "z.mp3\r\ny.mp3\r\n");
        files.AddFolder("C:\\empty");
    }

    // The list holds C:\old\1.mp3 and 2.mp3, item 1 plays.
    void PlayOldList() {
        model.AddFiles({"C:\\old\\1.mp3", "C:\\old\\2.mp3"});
        transport.ListLoaded = 1;
        model.PlayList().SetCurrent(1);
        transport.ButtonAction(kButtonPlayPause);
        ASSERT_EQ(input.state, kInputPlaying);
    }
    Names List() const { return PathsOf(const_cast<TOpenAudioFile&>(model).PlayList()); }
    std::string Playing() const {
        return input.state == kInputPlaying ? input.opened.back() : std::string();
    }

    MemoryFileAccess files;
    MessageLog log;
    PlayingInput input;
    TOpenAudioFile model;
    RandomGenerator random;
    TShuffle shuffle;
    SettingsFields settings;
    CountingView view;
    TFileNameList history;
    Transport transport;
    ListLoader loader;
};

TEST_F(ListLoaderTest, DropReplacesWhilePlayingSortsFilesAndFoldersTogetherListsLast) {
    PlayOldList();
    settings.DDtoAdd = false;
    loader.DropFiles(
        {"C:\\m\\b.mp3", "C:\\m\\list.m3u", "C:\\dir", "C:\\m\\a.wav", "C:\\m\\x.txt"});
    EXPECT_EQ(input.stops, 1) << "playback stops before the list is replaced";
    EXPECT_EQ(List(), (Names{"C:\\dir\\A.mp3", "C:\\dir\\c.mp3", "C:\\m\\a.wav", "C:\\m\\b.mp3",
                             "C:\\m\\z.mp3", "C:\\m\\y.mp3"}));
    EXPECT_EQ(transport.ListLoaded, 1);
    EXPECT_EQ(Playing(), "C:\\dir\\A.mp3") << "AutoPlay starts the new list at its top";
    EXPECT_GE(view.rebuilds, 1) << "the play list window shows the new list";
    EXPECT_EQ(loader.LastFolder(), "C:\\m");
    EXPECT_EQ(history.Names(), (Names{"C:\\m\\"}));

    model.SetOptions({false, false, false, false, true, false}); // NotOpenM3U
    loader.DropFiles({"C:\\m\\list.m3u", "C:\\m\\b.mp3"});
    EXPECT_EQ(List(), (Names{"C:\\m\\b.mp3"})) << "lists are not opened";
}

TEST_F(ListLoaderTest, DropAddsUnlessTheListIsEmptyAndRecordsADroppedFolderItself) {
    settings.DDtoAdd = true;
    settings.AddFiletoPlay = true;
    loader.DropFiles({"C:\\dir"}); // onto an empty list: a replacing load
    EXPECT_EQ(List(), (Names{"C:\\dir\\A.mp3", "C:\\dir\\c.mp3"}));
    EXPECT_EQ(Playing(), "C:\\dir\\A.mp3");
    EXPECT_EQ(history.Names(), (Names{"C:\\dir\\"})) << "the folder, not its parent";
    EXPECT_EQ(loader.LastFolder(), "C:\\dir");

    loader.DropFiles({"C:\\m\\b.mp3", "C:\\" + std::string(260, 'x') + ".mp3"});
    EXPECT_EQ(List(), (Names{"C:\\dir\\A.mp3", "C:\\dir\\c.mp3", "C:\\m\\b.mp3"}))
        << "added after the list; an over-long name is refused, not cut";
    EXPECT_EQ(Playing(), "C:\\dir\\A.mp3") << "adding with AddFiletoPlay keeps playing";
    EXPECT_EQ(input.stops, 0);
}

TEST_F(ListLoaderTest, OpenDialogReplacesOrAddsAndAnAddToAnEmptyListPlays) {
    settings.AddFiletoPlay = true;
    loader.OpenFiles({"C:\\m\\b.mp3", "C:\\m\\a.wav"}, true);
    EXPECT_EQ(List(), (Names{"C:\\m\\b.mp3", "C:\\m\\a.wav"})) << "the dialog's order";
    EXPECT_EQ(Playing(), "C:\\m\\b.mp3") << "an add to an empty list makes item 1 current";

    model.SetOptions({false, false, false, false, true, false}); // NotOpenM3U
    loader.OpenFiles({"C:\\m\\list.m3u", "C:\\dir\\c.mp3"}, false);
    EXPECT_EQ(input.stops, 1);
    EXPECT_EQ(List(), (Names{"C:\\dir\\c.mp3"}));
    EXPECT_EQ(Playing(), "C:\\dir\\c.mp3");
    EXPECT_EQ(history.Names(), (Names{"C:\\m\\"})) << "the folder of the first chosen name";

    input.unreadable = {"C:\\m\\b.mp3"};
    loader.OpenFiles({"C:\\m\\b.mp3"}, false);
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(transport.ListLoaded, 0) << "nothing loaded leaves the buttons dead";
    EXPECT_STREQ(transport.TitleText, "Idle");
    EXPECT_STREQ(transport.ArtistText, "   Sub");
}

TEST_F(ListLoaderTest, FolderAndReOpenFindingNothingLeaveAnAddedToListAlone) {
    PlayOldList();
    const int rebuilds = view.rebuilds;
    loader.OpenFolder("C:\\empty\\", true);
    loader.ReOpen("C:\\vanished\\", false);
    EXPECT_EQ(List(), (Names{"C:\\old\\1.mp3", "C:\\old\\2.mp3"}));
    EXPECT_EQ(transport.ListLoaded, 1);
    EXPECT_EQ(Playing(), "C:\\old\\1.mp3");
    EXPECT_EQ(view.rebuilds, rebuilds);
    EXPECT_TRUE(history.Names().empty()) << "nothing opened, nothing remembered";

    loader.ReOpen("C:\\empty\\", true);
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(input.stops, 1);
    EXPECT_EQ(transport.ListLoaded, 0);
    EXPECT_STREQ(transport.TitleText, "Idle") << "the panel shows the empty list";
    EXPECT_GT(view.rebuilds, rebuilds);
}

TEST_F(ListLoaderTest, FolderAndReOpenLoadTheWholeTreeAndARootKeepsItsBackslash) {
    files.AddFile("D:\\r.mp3");
    loader.OpenFolder("D:\\", false);
    EXPECT_EQ(List(), (Names{"D:\\r.mp3"}));
    EXPECT_EQ(loader.LastFolder(), "D:\\");
    EXPECT_EQ(history.Names(), (Names{"D:\\"}));

    loader.ReOpen("C:\\m\\", true);
    EXPECT_EQ(List(), (Names{"C:\\m\\a.wav", "C:\\m\\b.mp3", "C:\\m\\z.mp3", "C:\\m\\y.mp3"}));
    EXPECT_EQ(Playing(), "C:\\m\\a.wav");
    loader.ReOpen("D:\\", false);
    EXPECT_EQ(List().back(), "D:\\r.mp3");
    EXPECT_EQ(history.Names(), (Names{"D:\\", "C:\\m\\"}));

    loader.RememberFolder("r.mp3");
    EXPECT_EQ(history.Names().size(), 2u) << "a name without a folder records nothing";
    EXPECT_EQ(loader.LastFolder(), "D:\\");
}

} // namespace
