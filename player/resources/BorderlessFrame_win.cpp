#include "BorderlessFrame.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "Gradient.h"

namespace {

constexpr wchar_t kCloseHint[] = L"閉じる";
constexpr int kBmpHeaderSize = 14; // the file header before BITMAPINFOHEADER

RECT ToRect(const FrameArea& area) {
    return RECT{area.left, area.top, area.left + area.width, area.top + area.height};
}

void AddHint(HWND owner, const FrameArea& area, const wchar_t* text) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, nullptr, nullptr);
    if (!tip) return;
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE; // accepted by every common-controls version
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.rect = ToRect(area);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PaintBitmap(HDC dc, const char* name, const FrameArea& area) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    HBITMAP bitmap = LoadBitmapA(module, name);
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, area.left, area.top, area.width, area.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    DeleteObject(bitmap);
}

} // namespace

void PaintGradient(HDC dc, const FrameArea& area, uint32_t left, uint32_t right) {
    std::vector<uint8_t> bmp;
    if (!GradientBitmap(bmp, area.width, area.height, left, right)) return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bmp.data() + kBmpHeaderSize);
    const uint32_t bitsOffset = bmp[10] | (bmp[11] << 8) | (bmp[12] << 16) | (bmp[13] << 24);
    SetDIBitsToDevice(dc, area.left, area.top, area.width, area.height, 0, 0, 0, area.height,
                      bmp.data() + bitsOffset, info, DIB_RGB_COLORS);
}

void PaintPanelBevel(HWND window, HDC dc) {
    RECT client;
    if (GetClientRect(window, &client)) DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
}

void BorderlessFrame::Attach(HWND owner) {
    window = owner;
    AddHint(owner, frame.Layout().closeImage, kCloseHint);
}

void BorderlessFrame::SetColours(uint32_t left, uint32_t right) {
    leftColour = left;
    rightColour = right;
    Redraw(frame.Layout().titleBar);
}

void BorderlessFrame::SetActive(bool isActive) {
    active = isActive;
    Redraw(frame.Layout().titleBar);
}

void BorderlessFrame::Redraw(const FrameArea& area) const {
    if (!window) return;
    const RECT rect = ToRect(area);
    InvalidateRect(window, &rect, FALSE);
}

bool BorderlessFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_ACTIVATE:
        SetActive(wParam != 0);
        return false;
    case WM_LBUTTONDOWN:
        if (!frame.Press(x, y)) return false;
        SetCapture(window);
        if (frame.CloseImagePressed()) Redraw(frame.Layout().closeImage);
        return true;
    case WM_MOUSEMOVE: {
        if (!frame.Captures()) return false;
        const FrameMove move = frame.Move(x, y, (wParam & MK_LBUTTON) != 0);
        RECT place;
        if (move.moveWindow && GetWindowRect(window, &place))
            SetWindowPos(window, nullptr, place.left + move.dx, place.top + move.dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    case WM_LBUTTONUP: {
        if (!frame.Captures()) return false;
        const bool wasPressed = frame.CloseImagePressed();
        const bool closes = frame.Release(x, y);
        if (GetCapture() == window) ReleaseCapture();
        if (wasPressed) Redraw(frame.Layout().closeImage);
        if (closes) PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    }
    case WM_CAPTURECHANGED:
        if (!frame.Captures() || reinterpret_cast<HWND>(lParam) == window) return false;
        if (frame.CloseImagePressed()) Redraw(frame.Layout().closeImage);
        frame.Cancel();
        return false;
    }
    return false;
}

void BorderlessFrame::Paint(HDC dc) const {
    const TitleColours colours = TitleBarColours(leftColour, rightColour, active);
    PaintGradient(dc, frame.Layout().titleBar, colours.left, colours.right);
    PaintBitmap(dc, frame.CloseImagePressed() ? "EXIT_DOWN" : "EXIT_UP", frame.Layout().closeImage);
}
