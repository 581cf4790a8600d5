// Turning names into items: AddFiles, CD tracks, the start-up order of the
// command line and the hand-over list.
#include "FakeInput.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "TestItems.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Names = std::vector<std::string>;

class OpenAudioFileTest : public ::testing::Test {
  protected:
    MemoryFileAccess files;
    MessageLog log;
    FakeInput input;
    TOpenAudioFile model{files, log.Sink()};

    void SetUp() override { model.SetInput(&input); }
};

TEST_F(OpenAudioFileTest, NothingIsAddedWithoutInputOrNames) {
    TOpenAudioFile unwired(files, log.Sink());
    EXPECT_FALSE(unwired.AddFiles({"C:\\a.mp3"}));
    EXPECT_EQ(unwired.PlayList().GetCount(), 0);
    EXPECT_FALSE(model.AddFiles({}));
}

TEST_F(OpenAudioFileTest, AddsToBothListsWithTheInputsInformation) {
    EXPECT_TRUE(model.AddFiles({"C:\\a.mp3", "C:\\b.wav"}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\a.mp3", "C:\\b.wav"}));
    EXPECT_EQ(PathsOf(model.EditList()), (Names{"C:\\a.mp3", "C:\\b.wav"}));
    EXPECT_STREQ(model.PlayList().GetItem(1)->info.tag.artist, "artist");
    EXPECT_EQ(model.EditList().GetItem(2)->info.playLength, 61);
    EXPECT_TRUE(log.shown.empty());
}

TEST_F(OpenAudioFileTest, SamePathInAnotherCaseIsKeptOnce) {
    EXPECT_TRUE(model.AddFiles({"C:\\Music\\a.mp3", "c:\\music\\A.MP3"}));
    EXPECT_TRUE(model.AddFiles({"C:\\MUSIC\\a.mp3"}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\Music\\a.mp3"}));
    EXPECT_EQ(model.EditList().GetCount(), 1);
}

TEST_F(OpenAudioFileTest, UnreadableFilesAreDroppedSilently) {
    input.unreadable.insert("C:\\bad.mp3");
    EXPECT_TRUE(model.AddFiles({"C:\\bad.mp3", "C:\\good.mp3"}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\good.mp3"}));
    EXPECT_TRUE(log.shown.empty());
    input.unreadable.clear();
    EXPECT_TRUE(model.AddFiles({"C:\\bad.mp3"})); // no trace of the failure stays
    EXPECT_EQ(model.PlayList().GetCount(), 2);
}

TEST_F(OpenAudioFileTest, UnsupportedNamesShowTheMessage) {
    EXPECT_TRUE(model.AddFiles({"C:\\a.txt", "C:\\list.m3u", "C:\\a.mp3"}));
    EXPECT_EQ(log.shown, (Names{kMsgUnsupportedFormat, kMsgUnsupportedFormat}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\a.mp3"}));
}

TEST_F(OpenAudioFileTest, FileTypeSettingsSkipSilently) {
    FileTypeOptions options;
    options.noWav = true;
    options.noMpeg = true;
    model.SetOptions(options);
    const Names all = {"C:\\1.wav", "C:\\2.mp1", "C:\\3.mp2", "C:\\4.mp3",
                       "C:\\5.mpg", "C:\\6.rmp", "C:\\7.cda"};
    EXPECT_TRUE(model.AddFiles(all));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\6.rmp", "C:\\7.cda"}));
    options = {};
    options.noRmp = true;
    model.SetOptions(options);
    model.PlayList().Clear();
    EXPECT_TRUE(model.AddFiles(all));
    EXPECT_EQ(model.PlayList().GetCount(), 6);
    EXPECT_FALSE(model.PlayList().Contains("C:\\6.rmp"));
    EXPECT_TRUE(log.shown.empty());
}

TEST_F(OpenAudioFileTest, PathsThatDoNotFitTheRecordAreDropped) {
    const std::string folder = "C:\\" + std::string(240, 'f') + "\\";
    const std::string fits = folder + std::string(259 - folder.size() - 4, 'n') + ".mp3";
    const std::string tooLong = folder + std::string(260 - folder.size() - 4, 'n') + ".mp3";
    ASSERT_EQ(fits.size(), 259u);
    EXPECT_TRUE(model.AddFiles({tooLong, fits}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{fits}));
    EXPECT_EQ(input.infoCalls, 1);
}

TEST_F(OpenAudioFileTest, CDTrackTitleNamesDriveAndTrack) {
    EXPECT_TRUE(model.AddFiles({"C:\\a.mp3", "D:\\Track03.cda"}));
    EXPECT_STREQ(model.PlayList().GetItem(2)->info.tag.title, "CD Audio-D- Track03");
    EXPECT_STREQ(model.EditList().GetItem(2)->info.tag.title, "CD Audio-D- Track03");
    EXPECT_STREQ(model.PlayList().GetItem(1)->info.tag.title, "tag title");
}

TEST_F(OpenAudioFileTest, DataTrackFirstOnTwelveTrackCD) {
    input.cdTrackCount = -12;
    Names list;
    model.AddCDTracks(list, "D:\\");
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list.front(), "D:\\Track02.cda");
    EXPECT_EQ(list.back(), "D:\\Track12.cda");
    EXPECT_EQ(input.cdQueries, (Names{"D:\\"}));
}

TEST_F(OpenAudioFileTest, CDTrackNamesAndRefusals) {
    input.cdTrackCount = 2;
    Names list;
    model.AddCDTracks(list, "E:"); // the backslash is added
    EXPECT_EQ(list, (Names{"E:\\Track01.cda", "E:\\Track02.cda"}));
    list.clear();
    input.cdTrackCount = 100;
    model.AddCDTracks(list, "E:\\");
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list.front(), "E:\\Track001.cda");
    EXPECT_EQ(list.back(), "E:\\Track100.cda");
    list.clear();
    input.cdQueries.clear();
    model.AddCDTracks(list, "E:\\x"); // longer than a drive root: not asked
    for (int32_t absurd : {0, INT_MIN, INT_MAX, -1000}) {
        input.cdTrackCount = absurd;
        model.AddCDTracks(list, "E:\\");
    }
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(input.cdQueries.size(), 4u);
}

TEST_F(OpenAudioFileTest, NoCDSettingAsksNothing) {
    FileTypeOptions options;
    options.noCD = true;
    model.SetOptions(options);
    input.cdTrackCount = 5;
    Names list;
    model.AddCDTracks(list, "D:\\");
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(input.cdQueries.empty());
}

TEST_F(OpenAudioFileTest, CommandLineSortsFilesAndFoldersThenAppendsLists) {
    files.AddFile("C:\\music\\b.mp3");
    files.AddFile("C:\\music\\A2.mp3");
    files.AddFile("C:\\music\\sub\\c.wav");
    files.AddFile("C:\\lists\\list.m3u", "z.mp3\r\nC:\\y.mp3\r\n");
    const Names gathered =
        model.GatherArguments({"C:\\x\\a.mp3", "C:\\music\\", "C:\\lists\\list.m3u"});
    EXPECT_EQ(gathered, (Names{"C:\\music\\A2.mp3", "C:\\music\\b.mp3", "C:\\music\\sub\\c.wav",
                               "C:\\x\\a.mp3", "C:\\lists\\z.mp3", "C:\\y.mp3"}));
}

TEST_F(OpenAudioFileTest, CommandLineWithoutM3USettingIgnoresLists) {
    files.AddFile("C:\\lists\\list.m3u", "C:\\y.mp3\r\n");
    FileTypeOptions options;
    options.noM3U = true;
    model.SetOptions(options);
    EXPECT_EQ(model.GatherArguments({"C:\\lists\\list.m3u", "C:\\nowhere", "C:\\a.mp3"}),
              (Names{"C:\\a.mp3"}));
    EXPECT_TRUE(log.shown.empty());
}

TEST_F(OpenAudioFileTest, CommandLineExpandsCDRoots) {
    input.cdTrackCount = 2;
    EXPECT_EQ(model.GatherArguments({"D:\\", "C:\\a.mp3"}),
              (Names{"C:\\a.mp3", "D:\\Track01.cda", "D:\\Track02.cda"}));
}

TEST_F(OpenAudioFileTest, OpenArgumentsReplacesBothLists) {
    ASSERT_TRUE(model.AddFiles({"C:\\old.mp3"}));
    EXPECT_FALSE(model.OpenArguments({}));
    EXPECT_EQ(model.PlayList().GetCount(), 1);
    files.AddFile("C:\\f\\2.mp3");
    files.AddFile("C:\\f\\1.mp3");
    EXPECT_TRUE(model.OpenArguments({"C:\\f"}));
    EXPECT_EQ(PathsOf(model.PlayList()), (Names{"C:\\f\\1.mp3", "C:\\f\\2.mp3"}));
    EXPECT_EQ(PathsOf(model.EditList()), (Names{"C:\\f\\1.mp3", "C:\\f\\2.mp3"}));
}

TEST_F(OpenAudioFileTest, HandoverListExpandsListsItNames) {
    files.AddFile("C:\\Windows\\quorel.m3u", "C:\\b.mp3\r\nC:\\l\\list.m3u\r\nC:\\a.mp3\r\n");
    files.AddFile("C:\\l\\list.m3u", "x.mp3\r\n");
    EXPECT_EQ(model.ReadHandoverList("C:\\Windows\\quorel.m3u"),
              (Names{"C:\\b.mp3", "C:\\l\\x.mp3", "C:\\a.mp3"}));
    FileTypeOptions options;
    options.noM3U = true;
    model.SetOptions(options);
    EXPECT_EQ(model.ReadHandoverList("C:\\Windows\\quorel.m3u"), (Names{"C:\\b.mp3", "C:\\a.mp3"}));
}

TEST_F(OpenAudioFileTest, MissingHandoverListShowsTheMessage) {
    EXPECT_TRUE(model.ReadHandoverList("C:\\Windows\\quorel.m3u").empty());
    EXPECT_EQ(log.shown, (Names{kMsgM3UOpenFailed}));
}

} // namespace
