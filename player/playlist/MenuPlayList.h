// The play list as entries of a popup menu: "ウインドウ" (tag -1), a
// separator (tag -2), then one entry per item tagged with its number. The
// main window shows the entries in the submenu of "プレイリスト".
#pragma once

#include "InputItemDB.h"

#include <cstdint>
#include <string>
#include <vector>

struct MenuPlayListEntry {
    std::string caption; // byte text in the ANSI code page
    int32_t tag;
};

// Which texts follow an item's title.
struct MenuPlayListColumns {
    bool artist = true;
    bool album = false;
    bool time = false;
};

class MenuPlayListView {
  public:
    virtual ~MenuPlayListView() = default;
    // Replaces every entry.
    virtual void ShowEntries(const std::vector<MenuPlayListEntry>& entries) = 0;
    // Checks entry `number` (1-based) if there is one.
    virtual void CheckEntry(int32_t number) = 0;
};

class TMenuPlayList {
  public:
    static constexpr int32_t kWindowTag = -1;
    static constexpr int32_t kSeparatorTag = -2;

    TMenuPlayList(const TInputItemDB& list, MenuPlayListView& view) : list_(list), view_(view) {}

    // Rebuilds the entries when the list changed since the last build.
    void RebuildIfChanged(const MenuPlayListColumns& columns);
    // Rebuilds them now (the columns may have changed).
    void Rebuild(const MenuPlayListColumns& columns);
    // Removes every entry; the next RebuildIfChanged builds them again.
    void Remove();
    // The check mark on the entry of item `number`.
    void CheckItem(int32_t number) { view_.CheckEntry(number + 2); }

    // "n : title[ : artist][ : album][ : m:ss]", or "n : file name" when the
    // title is empty or blank.
    static std::string Caption(int32_t number, const ItemRecord& item,
                               const MenuPlayListColumns& columns);
    static std::vector<MenuPlayListEntry> Entries(const TInputItemDB& list,
                                                  const MenuPlayListColumns& columns);

  private:
    const TInputItemDB& list_;
    MenuPlayListView& view_;
    bool built_ = false;
    uint64_t builtAtChange_ = 0;
};
