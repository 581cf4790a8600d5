// What the play list window does, apart from drawing: the grid's columns and
// cells in the current list mode, the current cell, sorting by a column,
// moving, deleting and clearing entries, playing a row. The window (TForm3)
// turns messages into calls on it and shows what it says.
#pragma once

#include "GridColumns.h"
#include "OpenAudioFile.h"
#include "TagEditing.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Commands the window posts to the main window (WM_APP, first parameter).
enum PlayListCommand : int32_t {
    kRequestPlay = 101,
    kRequestStop = 102,
    kRequestDropFiles = 110,
    kRequestRefresh = 120,
    kRequestClearList = 140,
};

// The window's messages (the shell has their texts).
enum class PlayListMessage {
    NoEditRecord,       // an edited row without an edit-list record
    TagSaveFailed,      // a marked file's tags could not be written
    RenameWhilePlaying, // renaming refused while playing or paused
    RenameFailed,       // at least one file kept its name
};

// The play list window's link to the main window.
class PlayListRequests {
  public:
    virtual ~PlayListRequests() = default;
    virtual void Post(int32_t command) = 0;
    // The input plug-in's state (0 stopped, 1 playing, 2 paused).
    virtual int32_t InputState() = 0;
    // Entries were deleted: an order built for the old count is stale.
    virtual void EntryCountChanged() = 0;
    virtual void ShowMessage(PlayListMessage message) = 0;
};

// Each sort key's direction, kept for the whole run; true is ascending.
class SortDirections {
  public:
    // Flips the key's direction and gives the new one. Keys 0 and 1 share
    // one flag, and so does a column without a key (-1).
    bool Toggle(int32_t key);

  private:
    bool ascending_[8] = {};
};

class PlayListGrid {
  public:
    PlayListGrid(TOpenAudioFile& lists, PlayListRequests& requests);

    void SetColumnFlags(const ColumnFlags& flags) { flags_ = flags; }
    // Columns, widths and titles of the mode; the current cell goes to
    // column 1 of the play list's current entry in list mode.
    void SetupListMode(int32_t mode);
    int32_t Mode() const { return mode_; }
    const std::vector<GridColumn>& Columns() const { return columns_; }
    std::vector<int32_t> FitColumnWidths(int32_t gridWidth) const;

    // Rows below the titles: one per entry, one empty row for an empty list.
    int32_t RowCount() const;
    // Row 1 is entry 1; column 0 is the row number and a space for an entry
    // edited and not saved.
    std::string CellText(int32_t row, int32_t column) const;

    int32_t CurrentColumn() const { return column_; }
    int32_t CurrentRow() const { return row_; }
    // False (nothing changes) outside the rows and columns.
    bool SelectCell(int32_t column, int32_t row);
    // The arrow, page and Home/End keys: the current cell moves by a row or
    // by `rowsPerPage`, held at the first and last rows; false when it stays.
    enum class RowStep { Up, Down, PageUp, PageDown, First, Last };
    bool StepRow(RowStep step, int32_t rowsPerPage);

    // A click on a column title; false for column 0 and when nothing moved.
    bool SortByColumn(int32_t column);
    // Ctrl+Up / Ctrl+Down and the buttons: the current row's entry moves by
    // one and stays current.
    bool MoveUp();
    bool MoveDown();
    // Deletes the current row's entry.
    bool DeleteRow();
    // "AC": stop, empty the grid, empty the lists.
    void ClearAll();
    // Double-click or Enter on a cell: the entry becomes current and plays.
    bool PlayRow(int32_t column, int32_t row);

    // The play list's total play time as "h:mm:ss ".
    std::string TotalTimeText() const;

    // Edit mode. "コピー": a title committed in row n copies row n's artist,
    // album, year and genre into row n + 1's cells (held there until that row
    // is edited or the lists change) and selects row n + 1's title.
    void SetTagCopy(bool on) { tagCopy_ = on; }
    // A cell of row `row` now reads `text`: the row is marked and its
    // edit-list record takes the row's texts (FileName is never taken).
    bool SetEditText(int32_t column, int32_t row, const std::string& text);
    // Writes the marked entries' tags to their files; an entry whose ID3v1
    // was written gets the edits in its play-list record and loses its
    // marker. One message when any failed; the panel is asked to refresh.
    void SaveTags(InputPlugin& input);

    // Unite mode.
    void SetUniteNaming(const UniteNaming& naming) { naming_ = naming; }
    const UniteNaming& Naming() const { return naming_; }
    // Renames every entry's file to its proposed name (refused while playing
    // or paused); both records take the new path. False when any failed.
    bool RenameFiles(FileMover& mover);

  private:
    const TInputItemDB& Shown() const;
    bool Move(int32_t from, int32_t to);
    std::string ShownCellText(int32_t row, int32_t column) const;
    bool RenameEntry(FileMover& mover, int32_t number);

    TOpenAudioFile& lists_;
    PlayListRequests& requests_;
    ColumnFlags flags_;
    SortDirections directions_;
    int32_t mode_ = kListMode;
    std::vector<GridColumn> columns_;
    int32_t column_ = 1;
    int32_t row_ = 1;
    bool tagCopy_ = false;
    UniteNaming naming_;
    // Texts copied into a row by "コピー", by (row, column).
    std::map<std::pair<int32_t, int32_t>, std::string> copied_;
};
