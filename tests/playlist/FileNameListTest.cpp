// The re-open history: order, limit, and its section in the settings file.
#include "FileNameList.h"

#include "../settings/TemporaryFolder.h"
#include "IniFile.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct RecordingMenus : FileNameListView {
    void ShowNames(const Names& names) override { shown = names; }
    Names shown;
};

Names Folders(int from, int to) {
    Names names;
    for (int i = to; i >= from; --i)
        names.push_back("C:\\f" + std::to_string(i) + "\\");
    return names;
}

TEST(FileNameList, NewestFirstTenAtMostARepeatMovesUp) {
    RecordingMenus menus;
    TFileNameList history(&menus);
    for (int i = 1; i <= 11; ++i)
        history.AddName("C:\\f" + std::to_string(i) + "\\");
    EXPECT_EQ(history.Names(), Folders(2, 11)) << "the eleventh name drops the oldest";
    history.AddName("C:\\f5\\");
    EXPECT_EQ(history.Names().size(), 10u);
    EXPECT_EQ(history.Names().front(), "C:\\f5\\");
    EXPECT_EQ(history.Names()[6], "C:\\f6\\");
    history.AddName("c:\\F5\\");
    EXPECT_EQ(history.Names()[1], "C:\\f5\\") << "names compare exactly";
    history.RemoveAt(1);
    history.RemoveAt(99);
    EXPECT_EQ(history.Names().size(), 9u);
    EXPECT_EQ(menus.shown, history.Names()) << "the menus follow every change";
    history.ClearMenus();
    EXPECT_TRUE(menus.shown.empty());
    EXPECT_TRUE(TFileNameList::Replaces(0) && TFileNameList::Replaces(2));
    EXPECT_FALSE(TFileNameList::Replaces(1) || TFileNameList::Replaces(3));
}

TEST(FileNameList, SettingsFileKeepsOrderEndsAtAGapAndKeepsOtherKeys) {
    TemporaryFolder folder;
    const std::string ini = folder.Path("Quorel.ini");
    WriteBytes(ini, "[FileList]\r\nName0=C:\\a\\\r\nName2=C:\\c\\\r\nKeep=1\r\n[Other]\r\nX=2\r\n");
    RecordingMenus menus;
    TFileNameList history(&menus);
    history.Load(ini);
    EXPECT_EQ(history.Names(), (Names{"C:\\a\\"})) << "the list ends at the missing Name1";
    EXPECT_EQ(menus.shown, history.Names());

    history.AddName("C:\\b\\");
    ASSERT_TRUE(history.Save(ini));
    const IniDocument saved = ReadIniFile(ini).document;
    EXPECT_EQ(saved.ReadString("FileList", "Name0", "-"), "C:\\a\\") << "Name0 is the oldest";
    EXPECT_EQ(saved.ReadString("FileList", "Name1", "-"), "C:\\b\\");
    EXPECT_EQ(saved.ReadString("FileList", "Keep", "-"), "1");
    EXPECT_EQ(saved.ReadString("Other", "X", "-"), "2");

    // Name2 was left from older days: the list read back ends before it.
    history.RemoveAt(0);
    ASSERT_TRUE(history.Save(ini));
    TFileNameList reloaded;
    reloaded.Load(ini);
    EXPECT_EQ(reloaded.Names(), (Names{"C:\\a\\"}));

    for (int i = 1; i <= 10; ++i)
        history.AddName("C:\\f" + std::to_string(i) + "\\");
    ASSERT_TRUE(history.Save(ini));
    reloaded.Load(ini);
    EXPECT_EQ(reloaded.Names(), history.Names()) << "saved and loaded, the order stays";
}

TEST(FileNameList, AnEmptyHistoryWritesNothing) {
    TemporaryFolder folder;
    const std::string ini = folder.Path("Quorel.ini");
    WriteBytes(ini, "[PanelMode]\r\nUseSkin=0\r\n");
    TFileNameList history;
    history.Load(ini);
    history.Save(ini);
    EXPECT_EQ(ReadBytes(ini), "[PanelMode]\r\nUseSkin=0\r\n");
}

} // namespace
