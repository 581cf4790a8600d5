#include "PlayListWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "PlayListTexts.h"

namespace {

constexpr char kWindowClass[] = "QuorelPlayList";
constexpr UINT kAppMessage = WM_APP;
constexpr WPARAM kCmdRebuildGrid = 130;
constexpr WPARAM kCmdTitleInactive = 131;
constexpr int kRowHeight = 15;
constexpr int kGridTop = 2;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = nullptr; // WM_SETCURSOR picks it
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void PaintNamedBitmap(HDC dc, const char* name, const FrameArea& area) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    if (!bitmap) return;
    if (HDC memory = CreateCompatibleDC(dc)) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, area.left, area.top, area.width, area.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    DeleteObject(bitmap);
}

} // namespace

TForm3::TForm3(HWND mainWindow, InputPlugin* input, TOpenAudioFile& lists,
               std::function<void()> countChanged)
    : mainWindow(mainWindow), input(input), lists(lists), countChanged(std::move(countChanged)),
      grid(lists, *this), frame(TitleFrameLayout::AlongTitleBar(2, 2, 85)), helpImage(kHelpArea) {}

TForm3::~TForm3() {
    if (window) DestroyWindow(window);
    if (systemMenu) DestroyMenu(systemMenu);
    if (rowHeight) ImageList_Destroy(rowHeight);
    if (font) DeleteObject(font);
}

bool TForm3::Create(HINSTANCE instance) {
    if (!RegisterWindowClass(instance, WindowProc)) return false;
    // A tool window owned by the main window: no task-bar button of its own,
    // always above the panel.
    window =
        CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "Quorel", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                        kDesignWidth, kDesignHeight, mainWindow, nullptr, instance, this);
    if (!window) return false;
    frame.Attach(window);
    CreateControls();
    SetupListMode(kListMode);
    ListMode_CBChange();
    return true;
}

LRESULT CALLBACK TForm3::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TForm3*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TForm3*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        ShowWindow(window, SW_HIDE); // the window lives as long as the program
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window = nullptr;
        break;
    case WM_ACTIVATE:
        frame.HandleMessage(message, wParam, lParam);
        break;
    case kAppMessage:
        if (wParam == kCmdRebuildGrid) SetupListMode(grid.Mode());
        if (wParam == kCmdTitleInactive) frame.SetActive(false);
        return 0;
    case WM_DROPFILES:
        // Dropped files are the main window's business.
        PostMessageA(mainWindow, kAppMessage, kRequestDropFiles, static_cast<LPARAM>(wParam));
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(window, &point);
            SetCursor(LoadCursor(nullptr, OverSizingBorder(point.x, point.y) || resizing
                                              ? IDC_SIZENWSE
                                              : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (resizing || helpImage.Pressed())
            OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        else
            frame.HandleMessage(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (resizing || helpImage.Pressed())
            OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        else
            frame.HandleMessage(message, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) {
            resizing = false;
            helpImage.Cancel();
        }
        frame.HandleMessage(message, wParam, lParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFYFORMAT:
        // The grid's notices come in UTF-16 though the window is an ANSI one.
        return NFR_UNICODE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kGridId || header->hwndFrom == ListView_GetHeader(gridView))
            return OnGridNotify(header);
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND TForm3::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
                        int y, int width, int height, const wchar_t* hint) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, window, reinterpret_cast<HMENU>(INT_PTR(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (hint && tooltips) {
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(hint);
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return control;
}

void TForm3::CreateControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
    tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                               nullptr, nullptr, nullptr);
    if (tooltips) {
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = 1;
        tool.rect = RECT{kHelpArea.left, kHelpArea.top, kHelpArea.left + kHelpArea.width,
                         kHelpArea.top + kHelpArea.height};
        tool.lpszText = const_cast<wchar_t*>(kHelpHint);
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    HWND modes = AddControl(WC_COMBOBOXW, nullptr, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                            kListModeId, 3, 25, 82, 120, kListModeHint);
    for (const wchar_t* name : kListModeNames)
        SendMessageW(modes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageW(modes, CB_SETCURSEL, 0, 0);

    AddControl(WC_BUTTONW, kTagCopyCaption, BS_AUTOCHECKBOX | WS_TABSTOP, kTagCopyId, 9, 44, 70, 16,
               kTagCopyHint);
    AddControl(WC_BUTTONW, kUniteModeCaption, BS_GROUPBOX, kUniteGroupId, 4, 52, 80, 50);
    AddControl(WC_BUTTONW, kModeUniteCaption, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
               kModeUniteId, 10, 66, 70, 16);
    AddControl(WC_BUTTONW, kUniteTitleCaption, BS_AUTORADIOBUTTON, kUniteTitleId, 10, 82, 70, 16);
    AddControl(WC_STATICW, kKeywordLabel, SS_LEFT, kUniteLabelId, 4, 104, 78, 12);
    AddControl(WC_EDITW, kKeywordDefault, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP,
               kUniteEditId, 8, 116, 74, 18, kUniteStringHint);
    AddControl(WC_BUTTONW, kNumberingCaption, BS_AUTOCHECKBOX | WS_TABSTOP, kNumberingId, 4, 136,
               78, 16);
    CheckDlgButton(window, kNumberingId, BST_CHECKED);
    CheckDlgButton(window, kModeUniteId, BST_CHECKED);

    const struct {
        const wchar_t* caption;
        const wchar_t* hint;
        int id, top;
    } buttons[] = {
        {kSaveIdCaption, kSaveIdHint, kSaveIdId, 108},
        {kAllClearCaption, kAllClearHint, kAllClearId, 108},
        {kUpCaption, kUpHint, kUpId, 132},
        {kDelCaption, kDelHint, kDelId, 156},
        {kUniteCaption, kUniteHint, kUniteId, 156},
        {kDownCaption, kDownHint, kDownId, 180},
        {kSaveM3UCaption, kSaveM3UHint, kSaveM3UId, 204},
    };
    for (const auto& button : buttons)
        AddControl(WC_BUTTONW, button.caption, BS_PUSHBUTTON | WS_TABSTOP, button.id, 28,
                   button.top, 33, 22, button.hint);

    gridView = AddControl(WC_LISTVIEWW, nullptr,
                          LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              WS_BORDER | WS_TABSTOP | WS_CLIPSIBLINGS,
                          kGridId, kDesignWidth - 2 - GridWidthFor(kDesignWidth), kGridTop,
                          GridWidthFor(kDesignWidth), kDesignHeight - 2 * kGridTop);
    ListView_SetExtendedListViewStyle(gridView, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // The rows are as high as the tallest of text and image: a 1 x 15 image
    // list fixes them at 15 pixels.
    rowHeight = ImageList_Create(1, kRowHeight, ILC_COLOR, 1, 0);
    if (rowHeight) ListView_SetImageList(gridView, rowHeight, LVSIL_SMALL);
    SetWindowSubclass(gridView, GridProc, 0, reinterpret_cast<DWORD_PTR>(this));

    cellEdit = AddControl(WC_EDITW, nullptr, ES_AUTOHSCROLL | WS_BORDER, kCellEditId, 0, 0, 10, 10);
    ShowWindow(cellEdit, SW_HIDE);
    SetWindowSubclass(cellEdit, CellEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
    genreBox =
        AddControl(WC_COMBOBOXW, nullptr, CBS_DROPDOWNLIST | WS_VSCROLL, kGenreId, 0, 0, 90, 200);
    ShowWindow(genreBox, SW_HIDE);

    systemMenu = CreatePopupMenu();
    AppendMenuW(systemMenu, MF_STRING, kHeightMaxTag, kHeightMaxCaption);
    AppendMenuW(systemMenu, MF_STRING, kWidthMaxTag, kWidthMaxCaption);
    AppendMenuW(systemMenu, MF_STRING | MF_GRAYED, kReverseSizeTag, kReverseSizeCaption);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kCalcTimeTag, kCalcTimeCaption);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kCloseTag, kCloseCaption);
}

void TForm3::LayOut() {
    RECT client;
    if (!gridView || !GetClientRect(window, &client)) return;
    const int width = GridWidthFor(client.right);
    MoveWindow(gridView, client.right - 2 - width, kGridTop, width,
               std::max<int>(0, client.bottom - 2 * kGridTop), TRUE);
    InvalidateRect(window, nullptr, TRUE);
}

void TForm3::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    PaintPanelBevel(window, dc);
    frame.Paint(dc);
    PaintNamedBitmap(dc, helpImage.Pressed() ? "QUES_DOWN" : "QUES_UP", kHelpArea);
    if (HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), "MINI", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR))) {
        DrawIconEx(dc, kSysIconArea.left, kSysIconArea.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    EndPaint(window, &paint);
}

void TForm3::SetSettings(const PlayListSettings& newSettings) {
    settings = newSettings;
    grid.SetColumnFlags(settings.columns);
    frame.SetColours(settings.leftColor, settings.rightColor);
}

void TForm3::Show() {
    DragAcceptFiles(window, TRUE);
    helpImage.Cancel();
    SendDlgItemMessageW(window, kListModeId, CB_SETCURSEL, kListMode, 0);
    SetupListMode(kListMode);
    ListMode_CBChange();
    const Box box = WindowBox();
    Place(PlaceBeside(mainBox, box.width, box.height, WorkArea()));
    frame.SetActive(true);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(gridView);
}

void TForm3::ListMode_CBChange() {
    struct ModeControls {
        int id;
        bool shown[3]; // list, edit, unite
    };
    constexpr ModeControls kModeControls[] = {
        {kTagCopyId, {false, true, false}},    {kSaveIdId, {false, true, false}},
        {kUniteGroupId, {false, false, true}}, {kModeUniteId, {false, false, true}},
        {kUniteTitleId, {false, false, true}}, {kUniteLabelId, {false, false, true}},
        {kUniteEditId, {false, false, true}},  {kNumberingId, {false, false, false}},
        {kAllClearId, {true, false, false}},   {kSaveM3UId, {true, false, false}},
        {kDelId, {true, true, false}},         {kUniteId, {false, false, true}},
    };
    const int32_t mode = grid.Mode();
    for (const ModeControls& control : kModeControls)
        ShowWindow(GetDlgItem(window, control.id), control.shown[mode] ? SW_SHOW : SW_HIDE);
    const bool unite = mode == kUniteMode;
    SetWindowPos(GetDlgItem(window, kUpId), nullptr, 28, unite ? 180 : 132, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(GetDlgItem(window, kDownId), nullptr, 28, unite ? 204 : 180, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    if (unite) {
        // Entering unite mode starts with keyword naming.
        CheckRadioButton(window, kModeUniteId, kUniteTitleId, kModeUniteId);
        ModeUnite_RBClick(0);
    }
}
