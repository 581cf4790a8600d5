#include "MenuPlayList.h"

#include "PathNames.h"

std::string TMenuPlayList::Caption(int32_t number, const ItemRecord& item,
                                   const MenuPlayListColumns& columns) {
    std::string caption = std::to_string(number) + " : ";
    const std::string_view title = FieldText(item.info.tag.title);
    if (title.find_first_not_of(' ') == std::string_view::npos)
        return caption + FileNameOf(FieldText(item.path));
    caption += title;
    if (columns.artist) caption.append(" : ").append(FieldText(item.info.tag.artist));
    if (columns.album) caption.append(" : ").append(FieldText(item.info.tag.album));
    if (columns.time) {
        const int32_t length = item.info.playLength > 0 ? item.info.playLength : 0;
        caption += " : " + std::to_string(length / 60) + ":" + std::to_string(length % 60);
    }
    return caption;
}

std::vector<MenuPlayListEntry> TMenuPlayList::Entries(const TInputItemDB& list,
                                                      const MenuPlayListColumns& columns) {
    std::vector<MenuPlayListEntry> entries;
    const int32_t count = list.GetCount();
    if (count == 0) return entries;
    entries.reserve(static_cast<size_t>(count) + 2);
    entries.push_back({"\x83\x45\x83\x43\x83\x93\x83\x68\x83\x45", kWindowTag}); // "ウインドウ"
    entries.push_back({"-", kSeparatorTag});
    for (int32_t number = 1; number <= count; ++number)
        entries.push_back({Caption(number, *list.GetItem(number), columns), number});
    return entries;
}

void TMenuPlayList::Rebuild(const MenuPlayListColumns& columns) {
    view_.ShowEntries(Entries(list_, columns));
    built_ = true;
    builtAtChange_ = list_.ChangeCount();
    if (list_.GetCurrent() > 0) CheckItem(list_.GetCurrent());
}

void TMenuPlayList::RebuildIfChanged(const MenuPlayListColumns& columns) {
    if (!built_ || builtAtChange_ != list_.ChangeCount()) Rebuild(columns);
}

void TMenuPlayList::Remove() {
    view_.ShowEntries({});
    built_ = false;
}
