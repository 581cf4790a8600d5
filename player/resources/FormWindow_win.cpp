#include "FormWindow.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kFormFontName[] = L"ＭＳ Ｐゴシック";

} // namespace

bool RegisterFormClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW formClass = {};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = procedure;
    formClass.hInstance = GetModuleHandleW(nullptr);
    formClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = name;
    return RegisterClassExW(&formClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateForm(const wchar_t* className, const wchar_t* caption, int width, int height, HWND owner,
                void* form) {
    // Without a border or caption the window is exactly its client area.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExW(WS_EX_CONTROLPARENT, className, caption,
                           WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, left, top, width, height, owner,
                           nullptr, GetModuleHandleW(nullptr), form);
}

FormFont::FormFont(int height, bool bold, bool underline)
    : font(CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, kFormFontName)) {}

FormFont::~FormFont() {
    if (font) DeleteObject(font);
}

HWND AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x,
                int y, int width, int height, int id, const FormFont& font) {
    HWND control = CreateWindowExW(
        0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control && font.Handle())
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
    return control;
}

void SetControlHint(HWND form, HWND& hints, HWND control, const char* text) {
    if (!hints) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        hints = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form,
                                nullptr, nullptr, nullptr);
        if (!hints) return;
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE; // accepted by every common-controls version
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    // The hint window keeps its own copy of the text: replace the tool whole.
    SendMessageA(hints, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(hints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ModalLoop::Run(HWND modalForm, HWND modalOwner) {
    if (running) return;
    form = modalForm;
    owner = modalOwner;
    running = true;
    ownerDisabled = owner && IsWindowEnabled(owner);
    if (ownerDisabled) EnableWindow(owner, FALSE);
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    MSG message;
    while (running) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            End();
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageW(form, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ModalLoop::End() {
    if (!running) return;
    running = false;
    // The owner takes the activation back before the form disappears.
    if (ownerDisabled) EnableWindow(owner, TRUE);
    if (owner) SetActiveWindow(owner);
    ShowWindow(form, SW_HIDE);
    PostMessageW(form, WM_NULL, 0, 0); // wakes Run's wait for a message
}
