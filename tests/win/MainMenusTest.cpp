// The real popup menus, built in this process and read back item by item
// (another process's menu handles can't be read under Wine).
#include <gtest/gtest.h>

#include "MainMenus.h"

namespace {

struct Item {
    std::wstring caption; // empty for a separator
    UINT command;
    intptr_t data;
    bool submenu;
};

Item Read(HMENU menu, UINT position) {
    wchar_t caption[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    info.dwTypeData = caption;
    info.cch = 255;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << position;
    return {(info.fType & MFT_SEPARATOR) ? L"" : caption, info.wID,
            static_cast<intptr_t>(info.dwItemData), info.hSubMenu != nullptr};
}

std::string ByteCaption(HMENU menu, UINT position) {
    char caption[512] = {};
    GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
    return caption;
}

void ExpectItems(HMENU menu, const std::vector<Item>& expected, const char* name) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << name;
    for (UINT position = 0; position < expected.size(); ++position) {
        const Item item = Read(menu, position);
        EXPECT_EQ(item.caption, expected[position].caption) << name << " " << position;
        if (expected[position].caption.empty()) continue;
        EXPECT_EQ(item.submenu, expected[position].submenu) << name << " " << position;
        if (item.submenu) continue;
        EXPECT_EQ(item.command, expected[position].command) << name << " " << position;
        EXPECT_EQ(item.data, expected[position].data) << name << " " << position;
    }
}

const Item kSeparator{L"", 0, 0, false};

std::vector<Item> OpenItems() {
    return {{L"ファイルを開く", kMenuCommandFileOpen, 0, false},
            {L"フォルダで開く", kMenuCommandFolderOpen, 0, false},
            {L"開き直す", 0, 0, true},
            kSeparator,
            {L"追加でファイルを開く", kMenuCommandFileOpen, 1, false},
            {L"追加でフォルダを開く", kMenuCommandFolderOpen, 1, false},
            {L"追加で開き直す", 0, 0, true}};
}

bool Checked(HMENU menu, UINT position) {
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0;
}

TEST(MainMenus, BothMenusCarryTheirItemsInOrder) {
    MainMenus menus;
    ASSERT_TRUE(menus.Built());
    ExpectItems(menus.OpenMenu(), OpenItems(), "Open_PM");
    ExpectItems(menus.ControlMenu(),
                {{L"プレイリスト", kMenuCommandPlayList, 0, false},
                 {L"MPEG INFO", kMenuCommandMpegInfo, 0, false},
                 kSeparator,
                 {L"コントロール", 0, 0, true},
                 kSeparator,
                 {L"設定", kMenuCommandSetup, 0, false},
                 kSeparator,
                 {L"タイマーＯＮ", kMenuCommandTimerStart, 0, false},
                 kSeparator,
                 {L"バージョン情報", kMenuCommandAbout, 0, false},
                 {L"ヘルプ", kMenuCommandHelp, 0, false},
                 kSeparator,
                 {L"終了", kMenuCommandExit, 0, false}},
                "Control_PM");
    HMENU control = GetSubMenu(menus.ControlMenu(), 3);
    ASSERT_EQ(control, menus.ControlSubmenu());
    ExpectItems(control,
                {{L"開く", 0, 0, true},
                 kSeparator,
                 {L"再生", kMenuCommandPlayPause, 0, false},
                 {L"停止", kMenuCommandButton, 1, false},
                 {L"一時停止", kMenuCommandPlayPause, 10, false},
                 kSeparator,
                 {L"次曲", kMenuCommandButton, 3, false},
                 {L"前曲", kMenuCommandButton, 2, false},
                 kSeparator,
                 {L"リピート", kMenuCommandButton, 4, false},
                 {L"シャッフル/ランダム", kMenuCommandButton, 5, false}},
                "コントロール");
    ExpectItems(GetSubMenu(control, 0), OpenItems(), "開く");
    EXPECT_EQ(GetSubMenu(menus.OpenMenu(), 2), menus.ReOpenMenu(0));
    EXPECT_EQ(GetSubMenu(menus.OpenMenu(), 6), menus.ReOpenMenu(1));
    EXPECT_EQ(GetSubMenu(GetSubMenu(control, 0), 2), menus.ReOpenMenu(2));
    EXPECT_EQ(GetSubMenu(GetSubMenu(control, 0), 6), menus.ReOpenMenu(3));

    // One radio mark among play, stop and pause; the timer's own mark.
    menus.CheckTransport(TransportMenuCheck::kStop);
    EXPECT_TRUE(!Checked(control, 2) && Checked(control, 3) && !Checked(control, 4));
    menus.CheckTransport(TransportMenuCheck::kPause);
    EXPECT_TRUE(!Checked(control, 2) && !Checked(control, 3) && Checked(control, 4));
    menus.CheckTimer(true);
    EXPECT_TRUE(Checked(menus.ControlMenu(), 7));
    menus.CheckTimer(false);
    EXPECT_FALSE(Checked(menus.ControlMenu(), 7));
}

TEST(MainMenus, HistoryFillsFourMenusAndAClickTellsNameIndexAndMenu) {
    MainMenus menus;
    ASSERT_TRUE(menus.Built());
    menus.ShowNames({"C:\\R&B\\", "C:\\old\\"});
    for (int index = 0; index < 4; ++index) {
        HMENU menu = menus.ReOpenMenu(index);
        ASSERT_EQ(GetMenuItemCount(menu), 2);
        EXPECT_EQ(ByteCaption(menu, 0), "C:\\R&&B\\") << "'&' shows as itself";
        const MenuChoice choice = menus.Decode(menu, 1);
        EXPECT_EQ(choice.command, kMenuCommandReOpenEntry);
        EXPECT_EQ(choice.data, 1);
        EXPECT_EQ(choice.reOpenMenu, index);
    }
    menus.ShowNames({"C:\\new\\"});
    EXPECT_EQ(GetMenuItemCount(menus.ReOpenMenu(3)), 1);
    EXPECT_EQ(menus.Decode(menus.OpenMenu(), 4).data, 1) << "the add item's tag";
}

TEST(MainMenus, PlayListEntriesBeyondSixteenBitsKeepTheirNumbers) {
    MainMenus menus;
    ASSERT_TRUE(menus.Built());
    EXPECT_EQ(GetSubMenu(menus.ControlMenu(), 0), nullptr) << "no list: an item of its own";
    // Items report by position and carry their number as data, so numbers
    // past 65,535 (a WM_COMMAND id's limit) arrive whole.
    const std::vector<MenuPlayListEntry> entries = {
        {"window", -1}, {"-", -2}, {"1 : A&B", 1}, {"65537 : x", 65537}, {"70000 : y", 70000}};
    menus.ShowEntries(entries);
    HMENU list = GetSubMenu(menus.ControlMenu(), 0);
    ASSERT_EQ(list, menus.PlayListMenu());
    ASSERT_EQ(GetMenuItemCount(list), 5);
    EXPECT_EQ(menus.Decode(list, 0).data, -1);
    EXPECT_EQ(Read(list, 1).caption, L"") << "a separator";
    EXPECT_EQ(ByteCaption(list, 2), "1 : A&&B");
    for (UINT position = 2; position < 5; ++position) {
        const MenuChoice choice = menus.Decode(list, position);
        EXPECT_EQ(choice.command, kMenuCommandPlayListEntry);
        EXPECT_EQ(choice.data, entries[position].tag);
    }
    menus.CheckEntry(4);
    EXPECT_TRUE(Checked(list, 3) && !Checked(list, 2));
    menus.CheckEntry(6); // beyond the entries: nothing
    EXPECT_TRUE(Checked(list, 3));

    menus.ShowEntries({});
    EXPECT_EQ(GetSubMenu(menus.ControlMenu(), 0), nullptr);
    EXPECT_EQ(Read(menus.ControlMenu(), 0).command, kMenuCommandPlayList);
}

} // namespace
