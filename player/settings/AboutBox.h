// The about box: the program's and the plug-ins' versions, and a link to the
// bundled help page. Shown modally; its window is created at the first
// showing and hidden when closed.
#pragma once

#include <windows.h>

#include "AboutVersions.h"
#include "BorderlessFrame.h"
#include "FormWindow.h"

class TForm2 {
  public:
    // Control ids, also how tests find the labels.
    enum ControlId {
        kLabel1 = 101, // program and version
        kLabel2,
        kLabel3,
        kLabel4, // input plug-in
        kLabel5, // output plug-in
        kLabel6, // the help link
        kLabel7, // mixer plug-in
        kBevel1,
    };
    static constexpr wchar_t kClassName[] = L"QuorelAboutBox";
    static constexpr int kClientWidth = 249;
    static constexpr int kClientHeight = 186;

    explicit TForm2(HWND owner);
    ~TForm2();
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    // The four version texts the next showing displays.
    void SetVersions(const AboutVersions& texts) { versions = texts; }
    // Shows the box modally over its owner until it is closed.
    void ShowModal();

  private:
    friend LRESULT CALLBACK FormProcedure<TForm2>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool FormCreate();
    void FormShow();
    void Label6Click();
    void Close() { modal.End(); }

    HWND window = nullptr;
    HWND owner;
    HWND link = nullptr;
    BorderlessFrame frame;
    FormFont font;
    FormFont titleFont{19, true};
    FormFont linkFont{12, false, true};
    AboutVersions versions;
    ModalLoop modal;
};
