// PlayListGrid in edit and unite mode: recording edits, saving tags,
// renaming files.
#include "PlayListGrid.h"

#include "PathNames.h"

#include <cstring>

namespace {

// Edit-mode columns.
constexpr int32_t kTitleColumn = 1;
constexpr int32_t kGenreColumn = 5;
constexpr int32_t kCommentColumn = 6;
// Unite mode's proposed name.
constexpr int32_t kNameAfterColumn = 4;

} // namespace

bool PlayListGrid::SetEditText(int32_t column, int32_t row, const std::string& text) {
    if (mode_ != kEditMode || column < 1 || column > kCommentColumn) return false;
    std::vector<std::string> cells(kCommentColumn + 1);
    for (int32_t cell = 1; cell <= kCommentColumn; ++cell)
        cells[cell] = cell == column ? text : CellText(row, cell);
    for (int32_t cell = 1; cell <= kCommentColumn; ++cell)
        copied_.erase({row, cell});

    const int32_t count = lists_.EditList().GetCount();
    if (column == kTitleColumn && tagCopy_ && row < count) {
        for (int32_t cell = kTitleColumn + 1; cell <= kGenreColumn; ++cell)
            copied_[{row + 1, cell}] = cells[cell];
        SelectCell(kTitleColumn, row + 1);
    }
    if (count > 0) lists_.SetModified(row, true);
    const ItemRecord* stored = lists_.EditList().GetItem(row);
    if (stored == nullptr) {
        requests_.ShowMessage(PlayListMessage::NoEditRecord);
        return false;
    }
    ItemRecord edited = *stored;
    ApplyEditedTexts(edited, {cells[1], cells[2], cells[3], cells[4], cells[5], cells[6]});
    return lists_.EditList().SetItem(edited, row);
}

void PlayListGrid::SaveTags(InputPlugin& input) {
    bool failed = false;
    for (int32_t n = 1; n <= lists_.EditList().GetCount(); ++n) {
        if (!lists_.IsModified(n)) continue;
        ItemRecord* shown = lists_.PlayList().GetItem(n);
        const ItemRecord* edited = lists_.EditList().GetItem(n);
        if (shown == nullptr || edited == nullptr) continue;
        if (!HasWritableTags(*edited)) {
            lists_.SetModified(n, false); // nothing to write into
            continue;
        }
        if (!WriteTagsOf(input, *edited)) {
            failed = true; // the edits wait in the edit list, still marked
            continue;
        }
        shown->info = edited->info;
        lists_.SetModified(n, false);
    }
    requests_.Post(kRequestRefresh);
    if (failed) requests_.ShowMessage(PlayListMessage::TagSaveFailed);
}

bool PlayListGrid::RenameEntry(FileMover& mover, int32_t number) {
    ItemRecord* shown = lists_.PlayList().GetItem(number);
    ItemRecord* edited = lists_.EditList().GetItem(number);
    if (shown == nullptr || edited == nullptr) return true;
    const std::string path(FieldText(shown->path));
    if (FileKindOf(path) == kKindCDTrack) return true; // a disc's tracks have no names to change
    const std::string name = CellText(number, kNameAfterColumn);
    const std::string target = FolderOf(path) + name;
    if (!IsAcceptableNewPath(name, target)) return false;
    if (target == path) return true; // already so named
    if (!mover.Move(path, target)) return false;
    for (ItemRecord* record : {shown, edited}) {
        std::memset(record->path, 0, sizeof record->path);
        std::memcpy(record->path, target.data(), target.size());
    }
    return true;
}

bool PlayListGrid::RenameFiles(FileMover& mover) {
    const int32_t state = requests_.InputState();
    if (state == 1 || state == 2) {
        requests_.ShowMessage(PlayListMessage::RenameWhilePlaying);
        return false;
    }
    if (mode_ != kUniteMode) return false;
    bool failed = false;
    for (int32_t n = 1; n <= lists_.PlayList().GetCount(); ++n)
        failed = !RenameEntry(mover, n) || failed;
    if (failed) requests_.ShowMessage(PlayListMessage::RenameFailed);
    return !failed;
}
