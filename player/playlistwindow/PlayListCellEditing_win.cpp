// TForm3 in edit and unite mode: the cell editor, the genre box, the
// clipboard keys, saving tags and renaming files.
#include "PlayListWindow.h"

#include <algorithm>

#include "Cp932.h"
#include "Genres.h"
#include "PlayListTexts.h"
#include "TagEditing.h"
#include "WindowsFileMover.h"

namespace {

constexpr int kGenreColumn = 5;
constexpr int kFileNameColumn = 7;
// A pasted line longer than any field is cut before it is converted.
constexpr size_t kMaxPastedChars = 1024;

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

// Characters the ANSI code page cannot hold become "?", never a look-alike
// ("∕" must not become the "/" a file name would split at).
std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                           int(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), &narrow[0],
                        length, nullptr, nullptr);
    return narrow;
}

std::wstring WindowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(std::max(0, GetWindowTextW(window, &text[0], int(text.size())))));
    return text;
}

// The genre names as the box lists them: without regard to case.
std::vector<std::string> SortedGenreNames() {
    std::vector<std::string> names;
    for (int32_t genre = 0; genre < kGenreCount; ++genre)
        names.push_back(GenreNameOf(genre));
    SortNoCase(names);
    return names;
}

} // namespace

void TForm3::ShowMessage(PlayListMessage message) {
    const wchar_t* text = kNoEditRecordMessage;
    switch (message) {
    case PlayListMessage::NoEditRecord:
        break;
    case PlayListMessage::TagSaveFailed:
        text = kTagSaveFailedMessage;
        break;
    case PlayListMessage::RenameWhilePlaying:
        text = kRenameWhilePlayingMessage;
        break;
    case PlayListMessage::RenameFailed:
        text = kRenameFailedMessage;
        break;
    }
    MessageBoxW(window, text, nullptr, MB_OK);
}

bool TForm3::CellRect(int column, int row, RECT& rect) const {
    rect = RECT{LVIR_BOUNDS, column, 0, 0};
    if (!SendMessageW(gridView, LVM_GETSUBITEMRECT, row - 1, reinterpret_cast<LPARAM>(&rect)))
        return false;
    MapWindowPoints(gridView, window, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

void TForm3::StartCellEdit(const std::wstring& text, bool selectAll) {
    const int column = grid.CurrentColumn();
    const int row = grid.CurrentRow();
    RECT cell;
    if (grid.Mode() != kEditMode || column < 1 || column > kFileNameColumn ||
        column == kGenreColumn || !lists.EditList().GetItem(row) || !CellRect(column, row, cell))
        return;
    editing = true;
    editColumn = column;
    editRow = row;
    SetWindowTextW(cellEdit, text.c_str());
    SetWindowPos(cellEdit, HWND_TOP, cell.left, cell.top, cell.right - cell.left,
                 cell.bottom - cell.top, SWP_SHOWWINDOW);
    const int end = int(text.size());
    SendMessageW(cellEdit, EM_SETSEL, selectAll ? 0 : end, end);
    SetFocus(cellEdit);
}

void TForm3::CommitCellEdit() {
    if (!editing) return;
    editing = false;
    const std::string text = Narrow(WindowText(cellEdit));
    ShowWindow(cellEdit, SW_HIDE);
    SetFocus(gridView);
    // The file name is shown for reference only.
    if (editColumn != kFileNameColumn) RecordEdit(editColumn, editRow, text);
}

void TForm3::CancelCellEdit() {
    if (!editing) return;
    editing = false;
    ShowWindow(cellEdit, SW_HIDE);
    SetFocus(gridView);
}

void TForm3::RecordEdit(int column, int row, const std::string& text) {
    if (grid.SetEditText(column, row, text)) FillGrid();
}

LRESULT CALLBACK TForm3::CellEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    auto* form = reinterpret_cast<TForm3*>(self);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            form->CommitCellEdit();
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            form->CancelCellEdit();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 0x1B) return 0; // no beep
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// The box stands on the current genre cell in edit mode. Leaving the cell
// writes back a name the user chose; one merely shown is never written.
void TForm3::UpdateGenreBox() {
    const int row = grid.CurrentRow();
    const bool onGenre = grid.Mode() == kEditMode && grid.CurrentColumn() == kGenreColumn &&
                         lists.EditList().GetItem(row) != nullptr;
    if (genreRow > 0 && (!onGenre || genreRow != row)) LeaveGenreCell();
    RECT cell;
    if (!onGenre || !CellRect(kGenreColumn, row, cell)) {
        ShowWindow(genreBox, SW_HIDE);
        return;
    }
    if (SendMessageW(genreBox, CB_GETCOUNT, 0, 0) == 0) {
        for (const std::string& name : SortedGenreNames())
            SendMessageW(genreBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    if (genreRow != row) {
        genreRow = row;
        genreChosen = false;
        const std::vector<std::string> names = SortedGenreNames();
        const auto found = std::find(names.begin(), names.end(), grid.CellText(row, kGenreColumn));
        SendMessageW(genreBox, CB_SETCURSEL, found == names.end() ? 0 : found - names.begin(), 0);
    }
    SetWindowPos(genreBox, HWND_TOP, cell.left, cell.top, std::max<int>(cell.right - cell.left, 90),
                 200, SWP_SHOWWINDOW);
}

void TForm3::LeaveGenreCell() {
    const int left = genreRow;
    const bool chosen = genreChosen;
    genreRow = 0;
    genreChosen = false;
    const int item = int(SendMessageW(genreBox, CB_GETCURSEL, 0, 0));
    if (left > 0 && chosen && item >= 0)
        RecordEdit(kGenreColumn, left, SortedGenreNames()[size_t(item)]);
}

void TForm3::CopyCell(bool cut) {
    const std::wstring text = Widen(grid.CellText(grid.CurrentRow(), grid.CurrentColumn()));
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (void* bytes = GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(bytes));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    if (cut) RecordEdit(grid.CurrentColumn(), grid.CurrentRow(), std::string());
}

// The clipboard's first line goes into the cell.
void TForm3::PasteCell() {
    if (!OpenClipboard(window)) return;
    std::wstring text;
    bool hasText = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            const std::wstring_view whole(chars, GlobalSize(data) / sizeof(wchar_t));
            text = PastedLine(whole, kMaxPastedChars);
            hasText = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (hasText) RecordEdit(grid.CurrentColumn(), grid.CurrentRow(), Narrow(text));
}

// Ctrl+C, X, V and S (exactly Ctrl), F2 and Enter in edit mode.
bool TForm3::OnEditModeKey(WPARAM key) {
    if (grid.Mode() != kEditMode) return false;
    const bool control =
        GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
    if (key == VK_F2 || key == VK_RETURN) {
        StartCellEdit(Widen(grid.CellText(grid.CurrentRow(), grid.CurrentColumn())), true);
        return true;
    }
    if (!control) return false;
    switch (key) {
    case 'C':
        CopyCell(false);
        return true;
    case 'X':
        CopyCell(true);
        return true;
    case 'V':
        PasteCell();
        return true;
    case 'S':
        SaveID_BtClick();
        return true;
    }
    return false;
}

void TForm3::SaveID_BtClick() {
    CommitCellEdit();
    UpdateGenreBox();
    if (!input) return;
    grid.SaveTags(*input);
    FillGrid();
}

void TForm3::ModeUnite_RBClick(int tag) {
    const bool byTitle = tag == 1;
    SetDlgItemTextW(window, kUniteLabelId, byTitle ? kSeparatorLabel : kKeywordLabel);
    ShowWindow(GetDlgItem(window, kNumberingId), byTitle ? SW_SHOW : SW_HIDE);
    if (byTitle) CheckDlgButton(window, kNumberingId, BST_CHECKED);
    EnableWindow(GetDlgItem(window, kUniteEditId), TRUE);
    SetDlgItemTextW(window, kUniteEditId, byTitle ? kSeparatorDefault : kKeywordDefault);
    UniteString_EdChange();
}

void TForm3::Numbering_CBClick() {
    const bool numbering = IsDlgButtonChecked(window, kNumberingId) == BST_CHECKED;
    EnableWindow(GetDlgItem(window, kUniteEditId), numbering);
    UniteString_EdChange();
}

void TForm3::UniteString_EdChange() {
    UniteNaming naming;
    naming.byTitle = IsDlgButtonChecked(window, kUniteTitleId) == BST_CHECKED;
    naming.numbering = IsDlgButtonChecked(window, kNumberingId) == BST_CHECKED;
    naming.text = Narrow(WindowText(GetDlgItem(window, kUniteEditId)));
    grid.SetUniteNaming(naming);
    if (grid.Mode() == kUniteMode) FillGrid();
}

void TForm3::Unite_BtClick() {
    WindowsFileMover mover;
    grid.RenameFiles(mover);
    FillGrid();
}
