// TForm3's grid: the virtual list view's columns, cell texts, colours, the
// current cell, and the commands that change the rows.
#include "PlayListWindow.h"

#include <commctrl.h>

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

// Where the list view starts a cell's text.
constexpr int kCellTextInset = 2;

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
    case NM_CUSTOMDRAW:
        if (header->hwndFrom == gridView)
            return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        return CDRF_DODEFAULT;
    }
    return 0;
}

// Column 0 in the fixed colour, the current cell highlighted, the rest in
// the mode's colours (the list view's own), its row highlight switched off.
// Colours per cell cost the list view a notification for each cell, which
// doubled the painting of a page: only the current row asks for them, and
// every row's number cell is painted over once the row is drawn.
LRESULT TForm3::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    const int row = int(draw->nmcd.dwItemSpec) + 1;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        if (row == grid.CurrentRow()) return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const GridColours colours = ColoursFor(grid.Mode());
        draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        const bool current = draw->iSubItem == grid.CurrentColumn();
        draw->clrText = current ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colours.text;
        draw->clrTextBk = current ? GetSysColor(COLOR_HIGHLIGHT) : colours.background;
        return CDRF_NEWFONT;
    }
    case CDDS_ITEMPOSTPAINT:
        PaintRowNumberCell(draw->nmcd.hdc, row);
        return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TForm3::PaintRowNumberCell(HDC dc, int row) {
    // The fill covers the whole cell, the text starts where the list view
    // starts it: past the indent its label box leaves out.
    RECT cell, label;
    if (!ListView_GetItemRect(gridView, row - 1, &cell, LVIR_BOUNDS) ||
        !ListView_GetItemRect(gridView, row - 1, &label, LVIR_LABEL))
        return;
    cell.right = cell.left + ListView_GetColumnWidth(gridView, 0);
    label.left += kCellTextInset;
    label.right = cell.right;
    const GridColours colours = ColoursFor(grid.Mode());
    const COLORREF oldBackground = SetBkColor(dc, FixedColour(colours));
    const COLORREF oldText =
        SetTextColor(dc, colours.fixedIsButtonFace ? GetSysColor(COLOR_BTNTEXT) : colours.text);
    // A text-less opaque ExtTextOut fills the cell.
    ExtTextOutW(dc, cell.left, cell.top, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
    const std::wstring text = CellText(row, 0);
    DrawTextW(dc, text.c_str(), int(text.size()), &label,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBackground);
}

LRESULT CALLBACK TForm3::GridProc(HWND gridView, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR self) {
    auto* form = reinterpret_cast<TForm3*>(self);
    if (message == WM_KEYDOWN && form->OnGridKey(wParam)) return 0;
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
