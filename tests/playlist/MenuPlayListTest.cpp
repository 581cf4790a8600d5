// The menu play list: its entries' texts and when it is built again.
#include "MenuPlayList.h"

#include "TestItems.h"

#include <gtest/gtest.h>

namespace {

struct RecordingMenu : MenuPlayListView {
    void ShowEntries(const std::vector<MenuPlayListEntry>& shown) override {
        entries = shown;
        ++builds;
    }
    void CheckEntry(int32_t number) override { checked = number; }
    std::vector<MenuPlayListEntry> entries;
    int builds = 0;
    int32_t checked = 0;
};

TEST(MenuPlayList, CaptionsFollowTheChosenColumns) {
    TInputItemDB list;
    ItemRecord* item = AddTestItem(list, "C:\\m\\song.mp3", "Art", "Title");
    std::snprintf(item->info.tag.album, sizeof item->info.tag.album, "Alb");
    item->info.playLength = 125;
    AddTestItem(list, "C:\\m\\blank.mp3", "Art", "   ");
    AddTestItem(list, "C:\\m\\untitled.mp3", "Art", "");
    struct Case {
        MenuPlayListColumns columns;
        const char* caption;
    };
    for (const Case& c :
         {Case{{false, false, false}, "1 : Title"}, Case{{true, false, false}, "1 : Title : Art"},
          Case{{true, true, true}, "1 : Title : Art : Alb : 2:5"},
          Case{{false, true, true}, "1 : Title : Alb : 2:5"}}) {
        EXPECT_EQ(TMenuPlayList::Caption(1, *list.GetItem(1), c.columns), c.caption);
    }
    const std::vector<MenuPlayListEntry> entries = TMenuPlayList::Entries(list, {true, true, true});
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].caption, "\x83\x45\x83\x43\x83\x93\x83\x68\x83\x45");
    EXPECT_EQ(entries[0].tag, -1);
    EXPECT_EQ(entries[1].caption, "-");
    EXPECT_EQ(entries[1].tag, -2);
    EXPECT_EQ(entries[3].caption, "2 : blank.mp3") << "a blank title shows the file name";
    EXPECT_EQ(entries[4].caption, "3 : untitled.mp3");
    EXPECT_EQ(entries[4].tag, 3);
    EXPECT_TRUE(TMenuPlayList::Entries(TInputItemDB(), {}).empty());
}

TEST(MenuPlayList, RebuildsAfterAChangeOtherReadersAlreadySaw) {
    TInputItemDB list;
    AddTestItem(list, "C:\\1.mp3", "", "One");
    AddTestItem(list, "C:\\2.mp3", "", "Two");
    list.SetCurrent(2);
    RecordingMenu menu;
    TMenuPlayList menuList(list, menu);
    const MenuPlayListColumns titleOnly{false, false, false};
    menuList.RebuildIfChanged(titleOnly);
    EXPECT_EQ(menu.builds, 1);
    EXPECT_EQ(menu.checked, 4) << "item 2 sits below the two fixed entries";
    menuList.RebuildIfChanged(titleOnly);
    EXPECT_EQ(menu.builds, 1) << "nothing changed";

    AddTestItem(list, "C:\\3.mp3", "", "Three");
    list.TakeChanged(); // the play list window looked first
    menuList.RebuildIfChanged(titleOnly);
    EXPECT_EQ(menu.builds, 2);
    EXPECT_EQ(menu.entries.back().caption, "3 : Three");

    menuList.Remove();
    EXPECT_TRUE(menu.entries.empty());
    menuList.RebuildIfChanged(titleOnly);
    EXPECT_EQ(menu.entries.size(), 5u) << "removed entries come back on the next look";
    menuList.CheckItem(1);
    EXPECT_EQ(menu.checked, 3);
}

} // namespace
