#include "GridColumns.h"

#include "SortKeys.h"

#include <algorithm>

namespace {

constexpr int32_t kNumberColumnWidth = 21;
constexpr int32_t kListWidthBudget = 340;
constexpr int32_t kYearWidth = 30;
constexpr int32_t kTimeWidth = 40;

struct ListField {
    bool ColumnFlags::*flag;
    CellField field;
    const char* title;
};

constexpr ListField kListFields[] = {
    {&ColumnFlags::title, CellField::Title, "Title"},
    {&ColumnFlags::artist, CellField::Artist, "Artist"},
    {&ColumnFlags::album, CellField::Album, "Album"},
    {&ColumnFlags::year, CellField::Year, "Year"},
    {&ColumnFlags::genre, CellField::Genre, "Genre"},
    {&ColumnFlags::comment, CellField::Comment, "Comment"},
    {&ColumnFlags::fileName, CellField::FileName, "FileName"},
    {&ColumnFlags::time, CellField::Time, "Time"},
};

// Year and Time are as wide as their texts; the others share the rest.
int32_t FixedWidthOf(CellField field) {
    if (field == CellField::Year) return kYearWidth;
    if (field == CellField::Time) return kTimeWidth;
    return 0;
}

ColumnFlags ShownFlags(ColumnFlags flags) {
    bool any = false;
    for (const ListField& field : kListFields)
        any = any || flags.*field.flag;
    if (!any) flags.title = true;
    return flags;
}

// The list mode's columns with their fixed widths (0 for the sharing ones),
// the sum of the fixed widths and the number of sharing columns.
struct ListPlan {
    std::vector<GridColumn> columns;
    int32_t fixedWidth = 0;
    int32_t sharing = 0;
};

ListPlan PlanListColumns(const ColumnFlags& flags) {
    ListPlan plan;
    plan.columns.push_back({CellField::RowNumber, kNumberColumnWidth, "<->"});
    const ColumnFlags shown = ShownFlags(flags);
    for (const ListField& field : kListFields) {
        if (!(shown.*field.flag)) continue;
        const int32_t fixed = FixedWidthOf(field.field);
        plan.columns.push_back({field.field, fixed, field.title});
        plan.fixedWidth += fixed;
        if (fixed == 0) ++plan.sharing;
    }
    return plan;
}

void ShareWidth(ListPlan& plan, int32_t rest) {
    const int32_t share = std::max(0, rest / std::max(1, plan.sharing));
    for (size_t i = 1; i < plan.columns.size(); ++i) {
        if (plan.columns[i].width == 0) plan.columns[i].width = share;
    }
}

const std::vector<GridColumn>& EditColumns() {
    static const std::vector<GridColumn> columns = {
        {CellField::RowNumber, kNumberColumnWidth, "<->"},
        {CellField::Title, 70, "Title"},
        {CellField::Artist, 60, "Artist"},
        {CellField::Album, 45, "Album"},
        {CellField::Year, 30, "Year"},
        {CellField::Genre, 42, "Genre"},
        {CellField::Comment, 30, "Comment"},
        {CellField::FileName, 60, "FileName"},
    };
    return columns;
}

const std::vector<GridColumn>& UniteColumns() {
    static const std::vector<GridColumn> columns = {
        {CellField::RowNumber, kNumberColumnWidth, "<->"},
        {CellField::Title, 80, "Title"},
        {CellField::Album, 80, "Album"},
        {CellField::NameBefore, 90, "FName Before"},
        {CellField::NameAfter, 90, "FName After"},
    };
    return columns;
}

} // namespace

std::vector<GridColumn> ColumnsFor(int32_t mode, const ColumnFlags& flags) {
    if (mode == kEditMode) return EditColumns();
    if (mode == kUniteMode) return UniteColumns();
    ListPlan plan = PlanListColumns(flags);
    ShareWidth(plan, kListWidthBudget - plan.fixedWidth);
    return plan.columns;
}

std::vector<int32_t> FitColumnWidths(int32_t mode, const ColumnFlags& flags, int32_t gridWidth) {
    std::vector<int32_t> widths;
    if (mode == kEditMode) {
        static constexpr double kShares[] = {0.23, 0.2, 0.1, 0, 0.1, 0.15, 0.2};
        const int32_t rest = gridWidth - 77;
        widths.push_back(kNumberColumnWidth);
        for (double share : kShares)
            widths.push_back(share == 0 ? kYearWidth : std::max(0, int32_t(rest * share)));
        return widths;
    }
    if (mode == kUniteMode) {
        widths.assign(5, std::max(0, (gridWidth - 47) / 4));
        widths[0] = kNumberColumnWidth;
        return widths;
    }
    ListPlan plan = PlanListColumns(flags);
    ShareWidth(plan, gridWidth - 26 - plan.fixedWidth - kNumberColumnWidth);
    for (const GridColumn& column : plan.columns)
        widths.push_back(column.width);
    return widths;
}

GridColours ColoursFor(int32_t mode) {
    if (mode == kEditMode) return {0x000000, 0xE1FFE1, 0, true};
    if (mode == kUniteMode) return {0x000000, 0xE1E1FF, 0, true};
    return {0xFFFFFF, 0x000000, 0x808080, false};
}

int32_t SortKeyOfField(CellField field) {
    switch (field) {
    case CellField::Title:
        return kKeyTitle;
    case CellField::Artist:
        return kKeyArtist;
    case CellField::Album:
        return kKeyAlbum;
    case CellField::Year:
        return kKeyYear;
    case CellField::Genre:
        return kKeyGenre;
    case CellField::FileName:
        return kKeyPath;
    case CellField::Time:
        return kKeyPlayLength;
    case CellField::NameBefore:
        return kKeyTrailingNumber;
    default:
        return -1;
    }
}
