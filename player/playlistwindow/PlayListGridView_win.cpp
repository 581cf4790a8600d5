// TForm3's grid: the virtual list view's columns, cell texts, colours, the
// current cell, and the commands that change the rows.
#include "PlayListWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

// Where a cell's text starts, as in the list view.
constexpr int kCellTextInset = 5;

COLORREF FixedColour(const GridColours& colours) {
    return colours.fixedIsButtonFace ? GetSysColor(COLOR_BTNFACE) : COLORREF(colours.fixed);
}

PlayListGrid::RowStep RowStepOf(WPARAM key) {
    using Step = PlayListGrid::RowStep;
    switch (key) {
    case VK_UP: return Step::Up;
    case VK_DOWN: return Step::Down;
    case VK_PRIOR: return Step::PageUp;
    case VK_NEXT: return Step::PageDown;
    case VK_HOME: return Step::First;
    default: return Step::Last;
    }
}

} // namespace

void TForm3::SetupListMode(int32_t mode) {
    // An edit in progress belongs to the mode it was made in.
    CommitCellEdit();
    LeaveGenreCell();
    grid.SetupListMode(mode);
    SendMessageW(gridView, WM_SETREDRAW, FALSE, 0);
    while (ListView_DeleteColumn(gridView, 0)) {
    }
    int index = 0;
    for (const GridColumn& column : grid.Columns()) {
        std::wstring title = Widen(column.title);
        LVCOLUMNW item = {};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        item.cx = column.width;
        item.pszText = &title[0];
        item.iSubItem = index;
        SendMessageW(gridView, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&item));
    }
    const GridColours colours = ColoursFor(grid.Mode());
    ListView_SetBkColor(gridView, colours.background);
    ListView_SetTextBkColor(gridView, colours.background);
    ListView_SetTextColor(gridView, colours.text);
    SendMessageW(gridView, WM_SETREDRAW, TRUE, 0);
    FillGrid();
}

void TForm3::FillGrid() {
    ListView_SetItemCountEx(gridView, grid.RowCount(), LVSICF_NOSCROLL);
    grid.SelectCell(grid.CurrentColumn(), grid.CurrentRow()); // still inside?
    if (grid.CurrentRow() > grid.RowCount()) grid.SelectCell(grid.CurrentColumn(), grid.RowCount());
    ShowCurrentCell();
    InvalidateRect(gridView, nullptr, TRUE);
}

void TForm3::SelectRow(int32_t number) {
    if (grid.Mode() != kListMode || number < 1 || number > grid.RowCount()) return;
    grid.SelectCell(1, number);
    ShowCurrentCell();
}

// The list view selects rows; the current cell's row is its selection.
void TForm3::ShowCurrentCell() {
    const int item = grid.CurrentRow() - 1;
    selecting = true;
    // The current row is the focused one; the list view's selection is
    // never shown. Changing the selection of a virtual list costs Wine a
    // pass over every row, moving the focus does not.
    if (item >= 0) {
        ListView_SetItemState(gridView, item, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        ListView_SetItemState(gridView, -1, 0, LVIS_FOCUSED);
    }
    ListView_EnsureVisible(gridView, item, FALSE);
    selecting = false;
    // The focus change repaints the old and the new row; the current cell
    // may have moved within its row.
    ListView_RedrawItems(gridView, item, item);
    UpdateGenreBox();
}

void TForm3::ApplyColumnWidths(const std::vector<int32_t>& widths) {
    for (size_t column = 0; column < widths.size(); ++column)
        ListView_SetColumnWidth(gridView, int(column), widths[column]);
}

std::wstring TForm3::CellText(int row, int column) const {
    return Widen(grid.CellText(row, column));
}

LRESULT TForm3::OnGridNotify(NMHDR* header) {
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = CellText(item.iItem + 1, item.iSubItem);
            const size_t length = std::min<size_t>(text.size(), size_t(item.cchTextMax - 1));
            text.copy(item.pszText, length);
            item.pszText[length] = L'\0';
        }
        if (item.mask & LVIF_IMAGE) item.iImage = -1;
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if (!selecting && change->iItem >= 0 && (change->uNewState & LVIS_FOCUSED) &&
            !(change->uOldState & LVIS_FOCUSED)) {
            // The list view repaints both rows whose focus changed, and with
            // them the old and the new current cell: repainting the whole
            // grid here would paint every page step twice.
            grid.SelectCell(grid.CurrentColumn(), change->iItem + 1);
            UpdateGenreBox();
        }
        return 0;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
        const auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
        LVHITTESTINFO hit = {};
        hit.pt = activate->ptAction;
        if (ListView_SubItemHitTest(gridView, &hit) < 0 || hit.iItem < 0) return 0;
        CommitCellEdit();
        grid.SelectCell(hit.iSubItem, hit.iItem + 1);
        ShowCurrentCell();
        // A double-click plays a row, but edits a cell in edit mode.
        if (header->code == NM_DBLCLK && grid.Mode() == kEditMode)
            StartCellEdit(CellText(hit.iItem + 1, hit.iSubItem), true);
        else if (header->code == NM_DBLCLK)
            PlayCell(hit.iSubItem, hit.iItem + 1);
        return 0;
    }
    case LVN_COLUMNCLICK: {
        // Released on a column title with the left button.
        const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
        if (column == 0) {
            RECT client;
            GetClientRect(gridView, &client);
            RECT frame;
            GetWindowRect(gridView, &frame);
            ApplyColumnWidths(grid.FitColumnWidths(frame.right - frame.left));
        } else if (grid.SortByColumn(column)) {
            FillGrid();
        }
        return 0;
    }
    }
    return 0;
}

// The grid paints its rows itself. Wine's list view took 12 ms for a page of
// rows even with nothing in them (owner-drawn and blank), most of a page
// step; filling the cells and drawing their texts here takes a fraction.
// The look is the list view's: a line in the button face colour below every
// row and left of every column but the first, column 0 in the fixed colour,
// the current cell highlighted.
void TForm3::PaintGrid() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(gridView, &paint);
    if (!dc) return;
    RECT client;
    GetClientRect(gridView, &client);
    const GridColours colours = ColoursFor(grid.Mode());
    auto fill = [dc](const RECT& area, COLORREF colour) {
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    };
    // Rows run from the top item's place, one pitch apart, down the client;
    // those past the last entry are empty.
    const int top = ListView_GetTopIndex(gridView);
    const HWND header = ListView_GetHeader(gridView);
    RECT titles = {};
    GetWindowRect(header, &titles);
    const int titlesBottom = titles.bottom - titles.top;
    RECT first;
    if (!ListView_GetItemRect(gridView, top, &first, LVIR_BOUNDS)) {
        fill({client.left, titlesBottom, client.right, client.bottom}, colours.background);
        EndPaint(gridView, &paint);
        return;
    }
    const int pitch = std::max(2, int(first.bottom - first.top));
    const int columns = Header_GetItemCount(header);
    std::vector<int> lefts(size_t(columns) + 1, first.left);
    for (int column = 0; column < columns; ++column)
        lefts[size_t(column) + 1] = lefts[size_t(column)] + ListView_GetColumnWidth(gridView, column);

    const COLORREF line = GetSysColor(COLOR_3DFACE);
    if (first.top > titlesBottom) fill({client.left, first.top - 1, client.right, first.top}, line);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(gridView, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    const int firstShown = std::max(0, int(paint.rcPaint.top - first.top) / pitch);
    for (int shown = firstShown; first.top + shown * pitch < paint.rcPaint.bottom; ++shown) {
        const int rowTop = first.top + shown * pitch;
        const int row = top + shown + 1;
        const bool entry = row <= grid.RowCount();
        const int rowBottom = rowTop + pitch - 1;
        fill({client.left, rowTop, client.right, rowBottom}, colours.background);
        fill({client.left, rowBottom, client.right, rowBottom + 1}, line);
        for (int column = 0; column < columns; ++column) {
            RECT cell = {lefts[size_t(column)], rowTop, lefts[size_t(column) + 1], rowBottom};
            if (column > 0) {
                fill({cell.left, cell.top, cell.left + 1, cell.bottom}, line);
                ++cell.left;
            }
            if (cell.right <= paint.rcPaint.left || cell.left >= paint.rcPaint.right) continue;
            if (!entry) continue;
            COLORREF text = colours.text;
            if (column == 0) {
                fill(cell, FixedColour(colours));
                if (colours.fixedIsButtonFace) text = GetSysColor(COLOR_BTNTEXT);
            } else if (row == grid.CurrentRow() && column == grid.CurrentColumn()) {
                fill(cell, GetSysColor(COLOR_HIGHLIGHT));
                text = GetSysColor(COLOR_HIGHLIGHTTEXT);
            }
            const std::wstring label = CellText(row, column);
            // Column 0's text follows the one-pixel image that sets the row height.
            RECT textArea = {lefts[size_t(column)] + kCellTextInset + (column == 0 ? 1 : 0),
                             cell.top, cell.right - 1, cell.bottom};
            SetTextColor(dc, text);
            DrawTextW(dc, label.c_str(), int(label.size()), &textArea,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        fill({lefts.back(), rowTop, lefts.back() + 1, rowBottom}, line);
    }
    SelectObject(dc, oldFont);
    EndPaint(gridView, &paint);
}

LRESULT CALLBACK TForm3::GridProc(HWND gridView, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR self) {
    auto* form = reinterpret_cast<TForm3*>(self);
    if (message == WM_KEYDOWN && form->OnGridKey(wParam)) return 0;
    if (message == WM_PAINT) {
        form->PaintGrid();
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1; // the paint covers every pixel
    // Typing into a cell starts editing it with the typed character.
    if (message == WM_CHAR && wParam >= L' ' && form->grid.Mode() == kEditMode &&
        GetKeyState(VK_CONTROL) >= 0) {
        form->StartCellEdit(std::wstring(1, wchar_t(wParam)), false);
        return 0;
    }
    if (message == WM_GETDLGCODE) {
        // Tab leaves the grid for the window's next control; every other key
        // (Enter, Esc, Delete, the arrows) is the grid's.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB)
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        return DLGC_WANTALLKEYS;
    }
    return DefSubclassProc(gridView, message, wParam, lParam);
}

// True when the key was the window's, not the list view's.
bool TForm3::OnGridKey(WPARAM key) {
    if (OnEditModeKey(key)) return true;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (control && (key == VK_UP || key == VK_DOWN)) {
        if (key == VK_UP)
            Up_BtClick();
        else
            Down_BtClick();
        return true;
    }
    switch (key) {
    case VK_RETURN:
        if (grid.Mode() == kListMode) PlayCell(grid.CurrentColumn(), grid.CurrentRow());
        return true;
    case VK_DELETE:
        Del_BtClick();
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        // The grid moves its own current cell: the list view's key handling
        // would change its selection too.
        if (grid.StepRow(RowStepOf(key), ListView_GetCountPerPage(gridView))) ShowCurrentCell();
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (grid.SelectCell(grid.CurrentColumn() + (key == VK_LEFT ? -1 : 1), grid.CurrentRow()))
            ShowCurrentCell();
        return true;
    }
    return false;
}

void TForm3::PlayCell(int column, int row) {
    if (grid.PlayRow(column, row)) ShowCurrentCell();
}
