#include "SettingsFields.h"

#include "IniDocument.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

using namespace std::string_literals;

namespace {

// A file with every key away from its first-run value, in the order a save
// writes them.
const std::string kEveryKeyChanged = "[FileOpenMode]\r\nNotReflexive=1\r\nNotOpenMP3=1\r\n"
                                     "NotOpenWAV=1\r\nNotOpenRMP=1\r\nNotOpenM3U=1\r\n"
                                     "NotOpenCDA=1\r\nDDtoAdd=0\r\nSaveRelativePath=1\r\n"
                                     "[PanelMode]\r\nTrayIcon=1\r\nBarIcon=1\r\nTitleScroll=0\r\n"
                                     "OkDD=1\r\nExchangeButton=0\r\nUseSkin=0\r\n"
                                     "[Titlebar]\r\nLeftColor=255\r\nRightColor=65280\r\n"
                                     "[PlayListMode]\r\nTitleOn=0\r\nArtistOn=0\r\nAlbumOn=0\r\n"
                                     "YearOn=1\r\nGenreOn=1\r\nCommentOn=1\r\nFileNameOn=1\r\n"
                                     "TimeOn=0\r\nMenuPlayListOn=0\r\nmplTitleOn=0\r\n"
                                     "mplArtistOn=0\r\nmplAlbumOn=1\r\nmplTimeOn=1\r\n"
                                     "[PlayOption]\r\nAddFiletoPlay=1\r\nAutoPlay=0\r\n"
                                     "UseDirectSound=1\r\nReduction=2\r\nConvert=1\r\n"
                                     "[OtherOption]\r\nSpecialIniPath=\r\nPerformCPU=1\r\n"
                                     "PerformInterval=250\r\n"
                                     "[VolumeDevice]\r\nWaveOutDevice=3\r\nWaveOutVolume=4\r\n"
                                     "CDOutDevice=5\r\nCDOutVolume=6\r\n"
                                     "[OyasumiTimer]\r\nOyasumiMin=95\r\nOyasumiProcess=3\r\n";

// What a first save writes: every section in order, every key at its default.
std::string FirstRunFile(const std::string& ownPath) {
    return "[FileOpenMode]\r\nNotReflexive=0\r\nNotOpenMP3=0\r\nNotOpenWAV=0\r\nNotOpenRMP=0\r\n"
           "NotOpenM3U=0\r\nNotOpenCDA=0\r\nDDtoAdd=1\r\nSaveRelativePath=0\r\n"
           "[PanelMode]\r\nTrayIcon=0\r\nBarIcon=0\r\nTitleScroll=1\r\nOkDD=0\r\n"
           "ExchangeButton=1\r\nUseSkin=1\r\n"
           "[Titlebar]\r\nLeftColor=7540233\r\nRightColor=16777215\r\n"
           "[PlayListMode]\r\nTitleOn=1\r\nArtistOn=1\r\nAlbumOn=1\r\nYearOn=0\r\nGenreOn=0\r\n"
           "CommentOn=0\r\nFileNameOn=0\r\nTimeOn=1\r\nMenuPlayListOn=1\r\nmplTitleOn=1\r\n"
           "mplArtistOn=1\r\nmplAlbumOn=0\r\nmplTimeOn=0\r\n"
           "[PlayOption]\r\nAddFiletoPlay=0\r\nAutoPlay=1\r\nUseDirectSound=0\r\nReduction=0\r\n"
           "Convert=0\r\n"
           "[OtherOption]\r\nSpecialIniPath=" +
           ownPath +
           "\r\nPerformCPU=0\r\nPerformInterval=500\r\n"
           "[VolumeDevice]\r\nWaveOutDevice=0\r\nWaveOutVolume=1\r\nCDOutDevice=0\r\n"
           "CDOutVolume=2\r\n"
           "[OyasumiTimer]\r\nOyasumiMin=30\r\nOyasumiProcess=0\r\n";
}

std::string EveryKeyChanged(const std::string& pointer) {
    std::string file = kEveryKeyChanged;
    const std::string key = "SpecialIniPath=";
    return file.insert(file.find(key) + key.size(), pointer);
}

std::string WithPointer(const std::string& target) {
    return "[OtherOption]\r\nSpecialIniPath=" + target + "\r\n";
}

class SettingsFieldsTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return folder_.Path(name); }
    std::string DefaultPath() const { return Path("Quorel.ini"); }

    // As at start-up: created with the default path, then read with follow set.
    SettingsFields StartUp() const {
        SettingsFields settings(DefaultPath());
        settings.LoadSettings(DefaultPath(), true);
        return settings;
    }

    // The file a save of these settings writes, with "SpecialIniPath" = Saved().
    std::string SavedForm(SettingsFields settings) const {
        std::filesystem::remove(Saved());
        settings.DefaultIniPath = Saved();
        EXPECT_TRUE(settings.SaveSettings(Saved()));
        return ReadBytes(Saved());
    }
    std::string Saved() const { return Path("saved.ini"); }

  private:
    TemporaryFolder folder_;
};

TEST_F(SettingsFieldsTest, ConstructionSetsBothPathsAndFirstRunValues) {
    const SettingsFields settings(DefaultPath());
    EXPECT_EQ(settings.DefaultIniPath, DefaultPath());
    EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
    EXPECT_FALSE(settings.VolumeChanged);
    EXPECT_FALSE(settings.TimerRunning);
    EXPECT_EQ(SavedForm(settings), FirstRunFile(Saved()));
}

TEST_F(SettingsFieldsTest, NoFileGivesFirstRunValues) {
    const SettingsFields settings = StartUp();
    EXPECT_EQ(SavedForm(settings), FirstRunFile(Saved()));
    EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
    EXPECT_FALSE(Exists(DefaultPath()));
}

TEST_F(SettingsFieldsTest, MissingKeysGiveFirstRunValuesNotThePreviousOnes) {
    WriteBytes(DefaultPath(), kEveryKeyChanged);
    SettingsFields settings = StartUp();
    EXPECT_EQ(SavedForm(settings), EveryKeyChanged(Saved()));
    WriteBytes(Path("empty.ini"), "[PanelMode]\r\n");
    settings.LoadSettings(Path("empty.ini"), false);
    EXPECT_EQ(SavedForm(settings), FirstRunFile(Saved()));
}

TEST_F(SettingsFieldsTest, ReadsEveryKeyByItsName) {
    WriteBytes(DefaultPath(), kEveryKeyChanged);
    const SettingsFields settings = StartUp();
    EXPECT_FALSE(settings.DDtoAdd);
    EXPECT_TRUE(settings.TrayIcon);
    EXPECT_EQ(settings.LeftColor, 0x0000FFu);
    EXPECT_EQ(settings.RightColor, 0x00FF00u);
    EXPECT_TRUE(settings.FileNameOn);
    EXPECT_FALSE(settings.TimeOn);
    EXPECT_TRUE(settings.mplTimeOn);
    EXPECT_FALSE(settings.AutoPlay);
    EXPECT_EQ(settings.Reduction, 2);
    EXPECT_EQ(settings.Convert, 1);
    EXPECT_EQ(settings.PerformInterval, 250u);
    EXPECT_EQ(settings.WaveOutDevice, 3);
    EXPECT_EQ(settings.CDOutVolume, 6);
    EXPECT_EQ(settings.OyasumiMin, 95);
    EXPECT_EQ(settings.OyasumiProcess, 3);
    // Every other key: had one been missed, its first-run value would be written.
    EXPECT_EQ(SavedForm(settings), EveryKeyChanged(Saved()));
}

TEST_F(SettingsFieldsTest, FirstSaveWritesEverySectionInOrder) {
    const SettingsFields settings = StartUp();
    ASSERT_TRUE(settings.SaveSettings(settings.CurrentIniPath));
    EXPECT_EQ(ReadBytes(DefaultPath()), FirstRunFile(DefaultPath()));
}

TEST_F(SettingsFieldsTest, EveryFieldSurvivesSaveAndLoad) {
    WriteBytes(Path("source.ini"), kEveryKeyChanged);
    SettingsFields changed(DefaultPath());
    changed.LoadSettings(Path("source.ini"), false);
    ASSERT_TRUE(changed.SaveSettings(DefaultPath()));
    EXPECT_EQ(ReadBytes(DefaultPath()), EveryKeyChanged(DefaultPath()));
    EXPECT_EQ(SavedForm(StartUp()), EveryKeyChanged(Saved()));
}

TEST_F(SettingsFieldsTest, UnsignedFieldsKeepAll32Bits) {
    SettingsFields settings(DefaultPath());
    settings.PerformInterval = 4000000000u;
    ASSERT_TRUE(settings.SaveSettings(DefaultPath()));
    EXPECT_NE(ReadBytes(DefaultPath()).find("PerformInterval=-294967296\r\n"), std::string::npos);
    EXPECT_EQ(StartUp().PerformInterval, 4000000000u);
}

TEST_F(SettingsFieldsTest, FileNamingItselfIsReadOnce) {
    WriteBytes(DefaultPath(), EveryKeyChanged(DefaultPath()));
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
    EXPECT_EQ(SavedForm(settings), EveryKeyChanged(Saved()));
}

TEST_F(SettingsFieldsTest, SavingElsewhereLeavesOnlyAPointerInTheDefaultFile) {
    const std::string other = Path("other.ini");
    WriteBytes(DefaultPath(), "[PanelMode]\r\nTrayIcon=0\r\n[FileList]\r\nName0=C:\\a.mp3\r\n");
    WriteBytes(Path("source.ini"), kEveryKeyChanged);
    SettingsFields settings = StartUp();
    settings.LoadSettings(Path("source.ini"), false);
    ASSERT_TRUE(settings.SaveSettings(other));

    EXPECT_EQ(ReadBytes(DefaultPath()),
              "[PanelMode]\r\nTrayIcon=0\r\n[FileList]\r\nName0=C:\\a.mp3\r\n"
              "[OtherOption]\r\nSpecialIniPath=" +
                  other + "\r\n");
    const IniDocument written(ReadBytes(other));
    EXPECT_EQ(written.ReadString("OtherOption", "SpecialIniPath", ""), other);
    EXPECT_EQ(written.ReadInteger("OyasumiTimer", "OyasumiMin", 0), 95);

    const SettingsFields next = StartUp();
    EXPECT_EQ(next.CurrentIniPath, other);
    EXPECT_EQ(next.DefaultIniPath, DefaultPath());
    EXPECT_EQ(SavedForm(next), EveryKeyChanged(Saved()));
}

TEST_F(SettingsFieldsTest, PointerFileIsNotReadBeyondThePointer) {
    const std::string other = Path("other.ini");
    WriteBytes(DefaultPath(), "[FileOpenMode]\r\nDDtoAdd=0\r\n" + WithPointer(other) +
                                  "[OyasumiTimer]\r\nOyasumiMin=5\r\n");
    WriteBytes(other, WithPointer(other));
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.CurrentIniPath, other);
    EXPECT_TRUE(settings.DDtoAdd);
    EXPECT_EQ(settings.OyasumiMin, 30);
}

TEST_F(SettingsFieldsTest, LoadingWithoutFollowReadsOnlyTheLoadedFile) {
    const std::string loaded = Path("loaded.ini");
    const std::string third = Path("third.ini");
    WriteBytes(third, "[PanelMode]\r\nTrayIcon=1\r\n");
    WriteBytes(loaded, "[PanelMode]\r\nBarIcon=1\r\n" + WithPointer(third) +
                           "[OyasumiTimer]\r\nOyasumiMin=7\r\n");
    SettingsFields settings = StartUp();
    settings.LoadSettings(loaded, false);
    EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
    EXPECT_TRUE(settings.BarIcon);
    EXPECT_FALSE(settings.TrayIcon);
    EXPECT_EQ(settings.OyasumiMin, 7);
}

TEST_F(SettingsFieldsTest, PointerToAMissingFileGivesDefaultsAndBecomesCurrent) {
    const std::string gone = Path("gone/other.ini");
    WriteBytes(DefaultPath(), EveryKeyChanged(gone));
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.CurrentIniPath, gone);
    EXPECT_EQ(SavedForm(settings), FirstRunFile(Saved()));
    EXPECT_FALSE(settings.SaveSettings(gone));
    EXPECT_EQ(ReadBytes(DefaultPath()), EveryKeyChanged(gone));
}

TEST_F(SettingsFieldsTest, FilesNamingEachOtherAreReadOnceEach) {
    const std::string other = Path("other.ini");
    WriteBytes(DefaultPath(), WithPointer(other));
    WriteBytes(other, "[OyasumiTimer]\r\nOyasumiMin=12\r\n" + WithPointer(DefaultPath()));
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.CurrentIniPath, other);
    EXPECT_EQ(settings.OyasumiMin, 12);
}

TEST_F(SettingsFieldsTest, LongChainOfPointersStopsAfterSixteenFiles) {
    // Quorel.ini -> 1.ini -> 2.ini -> ... -> 20.ini
    WriteBytes(DefaultPath(), WithPointer(Path("1.ini")));
    for (int i = 1; i <= 20; ++i)
        WriteBytes(Path(std::to_string(i) + ".ini"),
                   "[OyasumiTimer]\r\nOyasumiMin=" + std::to_string(i) + "\r\n" +
                       WithPointer(Path(std::to_string(i + 1) + ".ini")));
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.CurrentIniPath, Path("15.ini"));
    EXPECT_EQ(settings.OyasumiMin, 15);
}

TEST_F(SettingsFieldsTest, UnusablePointerIsIgnored) {
    for (const std::string& pointer :
         {std::string(260, 'x'), std::string(1 << 20, 'x'), "C:\\a\0b.ini"s}) {
        WriteBytes(DefaultPath(), "[OyasumiTimer]\r\nOyasumiMin=9\r\n" + WithPointer(pointer));
        const SettingsFields settings = StartUp();
        EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
        EXPECT_EQ(settings.OyasumiMin, 9);
    }
}

TEST_F(SettingsFieldsTest, SaveKeepsFileListAndUnknownEntries) {
    // Shift-JIS names: "曲.mp3" and "表\x.mp3" (0x95 0x5C ends in a backslash byte).
    const std::string fileList = "[FileList]\r\nName0=C:\\\x8B\xC8.mp3\r\n"
                                 "Name1=D:\\\x95\x5C\\x.mp3\r\nName2=E:\\music\r\n";
    WriteBytes(DefaultPath(), "; kept\r\n[PanelMode]\r\nTrayIcon=1\r\nSkinColour=3\r\n\r\n" +
                                  fileList + "[Mine]\r\nanything=at all\r\n");
    const SettingsFields settings = StartUp();
    EXPECT_TRUE(settings.TrayIcon);
    ASSERT_TRUE(settings.SaveSettings(settings.CurrentIniPath));

    const std::string saved = ReadBytes(DefaultPath());
    EXPECT_EQ(saved.rfind("; kept\r\n[PanelMode]\r\nTrayIcon=1\r\nSkinColour=3\r\nBarIcon=0\r\n"
                          "TitleScroll=1\r\nOkDD=0\r\nExchangeButton=1\r\nUseSkin=1\r\n\r\n" +
                              fileList + "[Mine]\r\nanything=at all\r\n[FileOpenMode]\r\n",
                          0),
              0u);
    const IniDocument document(saved);
    EXPECT_EQ(document.ReadString("FileList", "Name1", ""), "D:\\\x95\x5C\\x.mp3");
    EXPECT_EQ(document.ReadString("Mine", "anything", ""), "at all");
}

TEST_F(SettingsFieldsTest, FailedSaveChangesNothing) {
    WriteBytes(DefaultPath(), kEveryKeyChanged);
    SettingsFields settings = StartUp();
    settings.TrayIcon = false;
    EXPECT_FALSE(settings.SaveSettings(Path("gone/other.ini")));
    EXPECT_FALSE(settings.SaveSettings(""));
    EXPECT_FALSE(settings.SaveSettings(Path("line\r\nbreak.ini")));
    EXPECT_FALSE(settings.SaveSettings(Path(std::string(300, 'x'))));
    EXPECT_EQ(ReadBytes(DefaultPath()), kEveryKeyChanged);
}

TEST_F(SettingsFieldsTest, ValuesOutsideTheirRangesArePulledBack) {
    WriteBytes(DefaultPath(), "[PlayOption]\r\nReduction=3\r\nConvert=-1\r\n"
                              "[Titlebar]\r\nLeftColor=-1\r\nRightColor=33554687\r\n"
                              "[VolumeDevice]\r\nWaveOutDevice=-1\r\nWaveOutVolume=-2147483648\r\n"
                              "CDOutDevice=-5\r\nCDOutVolume=2147483647\r\n"
                              "[OyasumiTimer]\r\nOyasumiMin=100000\r\nOyasumiProcess=7\r\n");
    const SettingsFields settings = StartUp();
    EXPECT_EQ(settings.Reduction, 0);
    EXPECT_EQ(settings.Convert, 0);
    EXPECT_EQ(settings.LeftColor, 0xFFFFFFu);
    EXPECT_EQ(settings.RightColor, 0x0000FFu);
    EXPECT_EQ(settings.WaveOutDevice, 0);
    EXPECT_EQ(settings.WaveOutVolume, 0);
    EXPECT_EQ(settings.CDOutDevice, 0);
    EXPECT_EQ(settings.CDOutVolume, 2147483647);
    // At most 100 hours 59 minutes; an unknown action is the last one (stop).
    EXPECT_EQ(settings.OyasumiMin, 6059);
    EXPECT_EQ(settings.OyasumiProcess, 4);
}

std::string Garbage() {
    std::string garbage;
    uint32_t state = 12345;
    for (int i = 0; i < 65536; ++i) {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>(state >> 24);
    }
    return garbage;
}

TEST_F(SettingsFieldsTest, HostileFilesReadAsDefaultsWhereUnreadable) {
    const std::string oneMegabyteLine =
        "[PanelMode]\r\nTrayIcon=" + std::string(1 << 20, '1') + "\r\nBarIcon=1\r\n";
    const std::string noBracket = "[FileOpenMode\r\nDDtoAdd=0\r\n[PanelMode]\r\nBarIcon=1\r\n";
    const std::string nulBytes = "[PanelMode]\r\nTrayIcon=\0\r\nBarIcon=1\r\n\0\0\0"s;
    const std::string bom = "\xEF\xBB\xBF[PanelMode]\r\nBarIcon=1\r\n";
    const std::string garbage = Garbage();
    for (const std::string& hostile : {garbage, oneMegabyteLine, noBracket, nulBytes, bom}) {
        WriteBytes(DefaultPath(), hostile);
        SettingsFields settings = StartUp();
        EXPECT_EQ(settings.CurrentIniPath, DefaultPath());
        EXPECT_FALSE(settings.TrayIcon);
        EXPECT_TRUE(settings.DDtoAdd);
        EXPECT_EQ(settings.BarIcon, hostile != garbage);

        settings.OyasumiMin = 61;
        ASSERT_TRUE(settings.SaveSettings(DefaultPath()));
        EXPECT_EQ(StartUp().OyasumiMin, 61);
    }
}

TEST_F(SettingsFieldsTest, SavingKeepsWhatCannotBeRead) {
    const std::string garbage = Garbage();
    WriteBytes(DefaultPath(), garbage);
    ASSERT_TRUE(StartUp().SaveSettings(DefaultPath()));
    const std::string saved = ReadBytes(DefaultPath());
    // The garbage stays, its line ends made CR LF, and the settings follow it.
    const std::string kept = IniDocument(garbage).ToBytes();
    EXPECT_EQ(saved.compare(0, kept.size(), kept), 0);
    EXPECT_EQ(saved.substr(kept.size()), FirstRunFile(DefaultPath()));
}

} // namespace
