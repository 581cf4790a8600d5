// TForm3's buttons, title images, frame sizing and system menu, and its
// requests to the main window.
#include "PlayListWindow.h"

#include <commdlg.h>

#include <algorithm>

#include "HelpPage.h"
#include "M3UWriting.h"
#include "PlayListTexts.h"
#include "WindowsFileAccess.h"

namespace {

constexpr int kSizingBorder = 10;

} // namespace

void TForm3::Post(int32_t command) {
    PostMessageA(mainWindow, WM_APP, WPARAM(command), 0);
}

int32_t TForm3::InputState() {
    return input ? input->GetState() : -1;
}

void TForm3::EntryCountChanged() {
    if (countChanged) countChanged();
}

void TForm3::OnCommand(int id, int code) {
    switch (id) {
    case kListModeId:
        if (code != CBN_SELCHANGE) return;
        if (const int mode = int(SendDlgItemMessageW(window, kListModeId, CB_GETCURSEL, 0, 0));
            mode >= 0) {
            SetupListMode(mode);
            ListMode_CBChange();
        }
        break;
    case kUpId:
        Up_BtClick();
        break;
    case kDownId:
        Down_BtClick();
        break;
    case kDelId:
        Del_BtClick();
        break;
    case kAllClearId:
        AllClear_BtClick();
        break;
    case kSaveM3UId:
        SaveM3U_BtClick();
        break;
    case kSaveIdId:
        SaveID_BtClick();
        break;
    case kUniteId:
        Unite_BtClick();
        break;
    case kTagCopyId:
        grid.SetTagCopy(IsDlgButtonChecked(window, kTagCopyId) == BST_CHECKED);
        break;
    case kModeUniteId:
    case kUniteTitleId:
        if (code == BN_CLICKED) ModeUnite_RBClick(id == kUniteTitleId ? 1 : 0);
        break;
    case kNumberingId:
        if (code == BN_CLICKED) Numbering_CBClick();
        break;
    case kUniteEditId:
        if (code == EN_CHANGE) UniteString_EdChange();
        break;
    case kCellEditId:
        if (code == EN_KILLFOCUS) CommitCellEdit();
        break;
    case kGenreId:
        if (code == CBN_SELCHANGE) genreChosen = true;
        break;
    }
}

void TForm3::Up_BtClick() {
    if (grid.MoveUp()) FillGrid();
}

void TForm3::Down_BtClick() {
    if (grid.MoveDown()) FillGrid();
}

void TForm3::Del_BtClick() {
    if (grid.DeleteRow()) FillGrid();
}

void TForm3::AllClear_BtClick() {
    grid.ClearAll();
    FillGrid();
}

void TForm3::SaveM3U_BtClick() {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = kM3UFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = kM3UExtension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog)) return;
    WindowsFileAccess files;
    SaveM3U(files, path, lists.PlayList(), settings.saveRelativePath,
            [this](const char* text) { MessageBoxA(window, text, nullptr, MB_OK); });
}

bool TForm3::OverSizingBorder(int x, int y) const {
    RECT client;
    if (!GetClientRect(window, &client)) return false;
    return x >= client.right - kSizingBorder || y >= client.bottom - kSizingBorder;
}

void TForm3::OnPress(int x, int y) {
    if (kSysIconArea.Contains(x, y)) {
        PopUpSystemMenu();
        return;
    }
    if (helpImage.Press(x, y)) {
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    if (OverSizingBorder(x, y)) {
        resizing = true;
        GetCursorPos(&resizeStart);
        resizeFrom = WindowBox();
        SetCapture(window);
        return;
    }
    frame.HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void TForm3::OnMove(int, int) {
    if (!resizing) return;
    POINT now;
    GetCursorPos(&now);
    Place(ResizedBy(resizeFrom, now.x - resizeStart.x, now.y - resizeStart.y));
}

void TForm3::OnRelease(int x, int y) {
    if (GetCapture() == window) ReleaseCapture();
    if (resizing) {
        resizing = false;
        EnableMenuItem(systemMenu, kReverseSizeTag, MF_BYCOMMAND | MF_ENABLED);
        return;
    }
    if (helpImage.Release(x, y)) OpenHelpPage(window);
    InvalidateRect(window, nullptr, FALSE);
}

void TForm3::PopUpSystemMenu() {
    RECT frameRect;
    if (!GetWindowRect(window, &frameRect)) return;
    const int tag = TrackPopupMenu(systemMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                   frameRect.left + 3, frameRect.top + 19, 0, window, nullptr);
    if (tag == kCalcTimeTag)
        CalcTime_NClick();
    else if (tag != 0)
        Close_MClick(tag);
}

void TForm3::Close_MClick(int tag) {
    const Box box = WindowBox();
    if (!sizeRemembered || tag == kHeightMaxTag || tag == kWidthMaxTag) {
        restoreWidth = box.width;
        restoreHeight = box.height;
        sizeRemembered = true;
    }
    switch (tag) {
    case kHeightMaxTag:
        Place(StretchToHeight(box, mainBox, WorkArea()));
        EnableMenuItem(systemMenu, kReverseSizeTag, MF_BYCOMMAND | MF_ENABLED);
        break;
    case kWidthMaxTag:
        Place(StretchToWidth(box, mainBox, WorkArea()));
        EnableMenuItem(systemMenu, kReverseSizeTag, MF_BYCOMMAND | MF_ENABLED);
        break;
    case kReverseSizeTag:
        Place(Box{box.left, box.top, restoreWidth, restoreHeight});
        EnableMenuItem(systemMenu, kReverseSizeTag, MF_BYCOMMAND | MF_GRAYED);
        break;
    case kCloseTag:
        ShowWindow(window, SW_HIDE);
        break;
    }
}

void TForm3::CalcTime_NClick() {
    const std::string total = grid.TotalTimeText();
    const std::wstring text = kTotalTimePrefix + std::wstring(total.begin(), total.end());
    MessageBoxW(window, text.c_str(), L"Quorel", MB_OK);
}

// The window's rectangle; the grid follows in WM_SIZE.
void TForm3::Place(const Box& box) {
    SetWindowPos(window, nullptr, box.left, box.top, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

Box TForm3::WindowBox() const {
    RECT frameRect;
    if (!GetWindowRect(window, &frameRect)) return Box{0, 0, kDesignWidth, kDesignHeight};
    return Box{frameRect.left, frameRect.top, frameRect.right - frameRect.left,
               frameRect.bottom - frameRect.top};
}

// The work area of the main window's monitor.
Box TForm3::WorkArea() const {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    const HMONITOR where = MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST);
    if (!where || !GetMonitorInfoA(where, &monitor)) return Box{0, 0, 1024, 768};
    const RECT& work = monitor.rcWork;
    return Box{work.left, work.top, work.right - work.left, work.bottom - work.top};
}
