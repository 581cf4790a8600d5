#include "PlayListGrid.h"

#include <algorithm>

#include "CellTexts.h"
#include "SortKeys.h"

#include <utility>

namespace {

// A column's key and its refinements: runs equal in the keys so far are
// sorted by the next one.
std::vector<int32_t> SortChainOf(int32_t key) {
    switch (key) {
    case kKeyGenre:
    case kKeyYear:
        return {key, kKeyArtist, kKeyAlbum, kKeyPath};
    case kKeyArtist:
        return {key, kKeyAlbum, kKeyPath};
    case kKeyAlbum:
        return {key, kKeyPath};
    default:
        return {key};
    }
}

} // namespace

bool SortDirections::Toggle(int32_t key) {
    const int32_t slot = key >= 1 && key < 8 ? key : 1;
    ascending_[slot] = !ascending_[slot];
    return ascending_[slot];
}

PlayListGrid::PlayListGrid(TOpenAudioFile& lists, PlayListRequests& requests)
    : lists_(lists), requests_(requests), columns_(ColumnsFor(kListMode, flags_)) {}

const TInputItemDB& PlayListGrid::Shown() const {
    return mode_ == kEditMode ? lists_.EditList() : lists_.PlayList();
}

void PlayListGrid::SetupListMode(int32_t mode) {
    copied_.clear();
    mode_ = mode == kEditMode || mode == kUniteMode ? mode : kListMode;
    columns_ = ColumnsFor(mode_, flags_);
    if (!SelectCell(column_, row_)) SelectCell(1, 1);
    const int32_t current = lists_.PlayList().GetCurrent();
    if (mode_ == kListMode && current > 0) SelectCell(1, current);
}

std::vector<int32_t> PlayListGrid::FitColumnWidths(int32_t gridWidth) const {
    return ::FitColumnWidths(mode_, flags_, gridWidth);
}

int32_t PlayListGrid::RowCount() const {
    const int32_t count = Shown().GetCount();
    return count > 0 ? count : 1;
}

std::string PlayListGrid::CellText(int32_t row, int32_t column) const {
    const auto copied = copied_.find({row, column});
    if (copied != copied_.end()) return copied->second;
    return ShownCellText(row, column);
}

std::string PlayListGrid::ShownCellText(int32_t row, int32_t column) const {
    if (column < 0 || column >= int32_t(columns_.size())) return std::string();
    const CellField field = columns_[column].field;
    const ItemRecord* item = Shown().GetItem(row);
    if (item == nullptr) return std::string();
    if (field == CellField::RowNumber)
        return std::to_string(row) + (lists_.IsModified(row) ? " " : "");
    if (field == CellField::NameAfter)
        return UnitedName(naming_, row, FieldCellText(*item, CellField::Title),
                          FieldText(item->path));
    return FieldCellText(*item, field);
}

bool PlayListGrid::SelectCell(int32_t column, int32_t row) {
    if (column < 0 || column >= int32_t(columns_.size()) || row < 1 || row > RowCount())
        return false;
    column_ = column;
    row_ = row;
    return true;
}

bool PlayListGrid::StepRow(RowStep step, int32_t rowsPerPage) {
    const int32_t page = std::max<int32_t>(1, rowsPerPage);
    int32_t row = row_;
    switch (step) {
    case RowStep::Up: row -= 1; break;
    case RowStep::Down: row += 1; break;
    case RowStep::PageUp: row -= page; break;
    case RowStep::PageDown: row += page; break;
    case RowStep::First: row = 1; break;
    case RowStep::Last: row = RowCount(); break;
    }
    row = std::clamp<int32_t>(row, 1, std::max<int32_t>(1, RowCount()));
    return row != row_ && SelectCell(column_, row);
}

bool PlayListGrid::SortByColumn(int32_t column) {
    if (column < 1 || column >= int32_t(columns_.size())) return false;
    const int32_t key = SortKeyOfField(columns_[column].field);
    const bool ascending = directions_.Toggle(key);
    if (key < 0) return false;
    copied_.clear();
    // One order for both lists, from the list the grid shows, so that entry
    // n stays the same file in both even while edits are pending.
    return lists_.ReorderEntries(Shown().SortOrder(SortChainOf(key), ascending));
}

bool PlayListGrid::Move(int32_t from, int32_t to) {
    if (!lists_.SwapEntries(from, to)) return false;
    copied_.clear();
    SelectCell(column_, to);
    return true;
}

bool PlayListGrid::MoveUp() {
    return row_ > 1 && Move(row_, row_ - 1);
}

bool PlayListGrid::MoveDown() {
    return Move(row_, row_ + 1);
}

bool PlayListGrid::DeleteRow() {
    if (!lists_.DeleteEntry(row_)) return false;
    copied_.clear();
    requests_.EntryCountChanged();
    if (lists_.PlayList().GetCount() == 0) requests_.Post(kRequestRefresh);
    if (row_ > RowCount()) row_ = RowCount();
    return true;
}

void PlayListGrid::ClearAll() {
    requests_.Post(kRequestStop);
    copied_.clear();
    SelectCell(1, 1);
    requests_.Post(kRequestClearList);
}

bool PlayListGrid::PlayRow(int32_t column, int32_t row) {
    if (column < 0 || row < 1 || !lists_.PlayList().SetCurrent(row)) return false;
    SelectCell(column, row);
    const int32_t state = requests_.InputState();
    if (state == 1 || state == 2) {
        requests_.Post(kRequestStop);
        requests_.Post(kRequestPlay);
    } else if (state == 0) {
        requests_.Post(kRequestPlay);
    }
    return true;
}

std::string PlayListGrid::TotalTimeText() const {
    return ::TotalTimeText(TotalPlayTime(lists_.PlayList()));
}
