// What the program's secondary windows (forms) share besides their frame: the
// window procedure that reaches the form object, the UI font, child controls
// placed in pixels, centring, and the modal loop.
#pragma once

#include <windows.h>

// A form class has `LRESULT HandleMessage(UINT, WPARAM, LPARAM)` and a
// `HWND window` it learns at WM_NCCREATE; CreateWindowEx gets the form as its
// creation parameter.
template <typename Form>
LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (form) form->window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

// Registers a form class (button-face background, arrow cursor) once.
bool RegisterFormClass(const wchar_t* name, WNDPROC procedure);

// Creates a borderless form of `width` x `height` client pixels, hidden,
// centred on the desktop and owned by `owner`.
HWND CreateForm(const wchar_t* className, const wchar_t* caption, int width, int height, HWND owner,
                void* form);

// The forms' UI font, "ＭＳ Ｐゴシック" of `height` pixels.
class FormFont {
  public:
    explicit FormFont(int height = 12, bool bold = false, bool underline = false);
    ~FormFont();
    FormFont(const FormFont&) = delete;
    FormFont& operator=(const FormFont&) = delete;
    HFONT Handle() const { return font; }

  private:
    HFONT font;
};

// A child control at (x, y) in client pixels with the given font.
HWND AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x,
                int y, int width, int height, int id, const FormFont& font);

// Gives `control` the hint `text` (ANSI), adding it to the form's hint window
// `hints` (created on first use) or replacing its text.
void SetControlHint(HWND form, HWND& hints, HWND control, const char* text);

// A modal showing: Run shows the form over its disabled owner and runs
// messages until End, which gives the owner back its input and activation and
// hides the form at once. A quit message ends Run too and is posted again for
// the outer loop.
class ModalLoop {
  public:
    void Run(HWND form, HWND owner);
    void End();
    bool Running() const { return running; }

  private:
    HWND form = nullptr;
    HWND owner = nullptr;
    bool running = false;
    bool ownerDisabled = false;
};
