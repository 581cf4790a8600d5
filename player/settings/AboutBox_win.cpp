#include "AboutBox.h"

#include "HelpPage.h"

namespace {

constexpr wchar_t kCaption[] = L"バージョン情報";
constexpr wchar_t kAboutLine1[] = L"タグ編集もできるオーディオプレーヤー";
constexpr wchar_t kAboutLine2[] = L"作：Quorel 開発チーム";
constexpr wchar_t kHelpLink[] = L"ヘルプを開く";
constexpr wchar_t kOk[] = L"OK";

// The about box keeps its own colours; the settings' title-bar colours are
// not used here.
constexpr uint32_t kTitleLeft = 0x730E09;
constexpr uint32_t kTitleRight = 0xFFFFFF;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

} // namespace

TForm2::TForm2(HWND ownerWindow)
    : owner(ownerWindow), frame(TitleFrameLayout::AlongTitleBar(2, 2, kClientWidth - 4)) {}

TForm2::~TForm2() {
    if (window) DestroyWindow(window);
}

bool TForm2::FormCreate() {
    if (!RegisterFormClass(kClassName, FormProcedure<TForm2>)) return false;
    if (!CreateForm(kClassName, kCaption, kClientWidth, kClientHeight, owner, this)) return false;
    frame.Attach(window);
    frame.SetColours(kTitleLeft, kTitleRight);
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    AddControl(window, L"STATIC", L"", label, 14, 28, 221, 22, kLabel1, titleFont);
    AddControl(window, L"STATIC", kAboutLine1, label, 14, 56, 221, 14, kLabel2, font);
    AddControl(window, L"STATIC", kAboutLine2, label, 14, 72, 221, 14, kLabel3, font);
    link = AddControl(window, L"STATIC", kHelpLink, label | SS_NOTIFY, 14, 90, 80, 14, kLabel6,
                      linkFont);
    AddControl(window, L"STATIC", L"", SS_ETCHEDHORZ, 8, 110, 233, 2, kBevel1, font);
    AddControl(window, L"STATIC", L"", label, 14, 116, 221, 14, kLabel4, font);
    AddControl(window, L"STATIC", L"", label, 14, 131, 221, 14, kLabel5, font);
    AddControl(window, L"STATIC", L"", label, 14, 146, 221, 14, kLabel7, font);
    AddControl(window, L"BUTTON", kOk, BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 160, 73, 22, IDOK, font);
    return true;
}

void TForm2::ShowModal() {
    if (!window && !FormCreate()) return;
    FormShow();
    modal.Run(window, owner);
}

void TForm2::FormShow() {
    const AboutLines lines = AboutLineTexts(versions);
    SetDlgItemTextA(window, kLabel1, lines.title.c_str());
    SetDlgItemTextA(window, kLabel4, lines.input.c_str());
    SetDlgItemTextA(window, kLabel5, lines.output.c_str());
    SetDlgItemTextA(window, kLabel7, lines.mixer.c_str());
    SetFocus(GetDlgItem(window, IDOK));
}

void TForm2::Label6Click() {
    OpenHelpPage(window);
}

LRESULT TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (frame.HandleMessage(message, wParam, lParam)) return 0;
    switch (message) {
    case WM_PAINT:
        frame.PaintWindow();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Close();
        } else if (LOWORD(wParam) == kLabel6 && HIWORD(wParam) == STN_CLICKED) {
            Label6Click();
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == link) SetTextColor(dc, kLinkColour);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == link) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
