// The play list grid's columns in its three list modes: which fields, how
// wide, under which titles, in which colours, and which sort key each has.
#pragma once

#include <cstdint>
#include <vector>

enum ListMode : int32_t { kListMode = 0, kEditMode = 1, kUniteMode = 2 };

enum class CellField {
    RowNumber,
    Title,
    Artist,
    Album,
    Year,
    Genre,
    Comment,
    FileName,
    Time,
    NameBefore,
    NameAfter,
};

// The settings' column flags TitleOn ... TimeOn, in that order; all shown
// until the settings arrive.
struct ColumnFlags {
    bool title = true, artist = true, album = true, year = true;
    bool genre = true, comment = true, fileName = true, time = true;
};

struct GridColumn {
    CellField field;
    int32_t width;
    const char* title;
};

// Column 0 (the row numbers, titled "<->") and the mode's columns. List mode
// with no flag set shows the title.
std::vector<GridColumn> ColumnsFor(int32_t mode, const ColumnFlags& flags);

// The widths that fill a grid `gridWidth` pixels wide (the corner click).
// Year and Time keep their fixed widths; no width goes below 0.
std::vector<int32_t> FitColumnWidths(int32_t mode, const ColumnFlags& flags, int32_t gridWidth);

// Colours as 0x00BBGGRR values.
struct GridColours {
    uint32_t text;
    uint32_t background;
    uint32_t fixed;         // the row numbers' column and the titles
    bool fixedIsButtonFace; // the system's button face instead of `fixed`
};
GridColours ColoursFor(int32_t mode);

// The sort key (see SortKeys.h) of a column's field; -1 for one that does
// not sort.
int32_t SortKeyOfField(CellField field);
