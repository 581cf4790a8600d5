// The main window's skin: loaded at creation when the settings ask for one;
// while it is in use the panel's drawing and hit tests go through it.
#include "MainWindow.h"

#include "AppTexts.h"
#include "PanelLayout.h"

namespace {

constexpr char kSkinDescriptionPath[] = ".\\skin\\quorel_skin.ini";

const BuiltInDrawLists kBuiltInDrawLists;

// The sheets' names are ASCII.
std::wstring Widened(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace

void TMainWin::CreateSkin() {
    if (!settings->UseSkin) return;
    skin = std::make_unique<TDrawInterfaceBitmap>(window, files);
    // A missing or switched-off description falls back without a word.
    if (!skin->LoadDescription(kSkinDescriptionPath)) {
        skinActive = false;
        return;
    }
    const SkinSheetsLoad load = skin->LoadSheets();
    if (!load.missingFile.empty())
        MessageBoxW(window, (Widened(load.missingFile) + kSkinSheetMissing).c_str(), nullptr,
                    MB_OK);
    if (load.backgroundRejected) MessageBoxW(window, kSkinBackgroundRejected, nullptr, MB_OK);
    if (load.regionFailed) MessageBoxW(window, kSkinRegionFailed, nullptr, MB_OK);
    if (!load.loaded) {
        skinActive = false;
        return;
    }
    const SkinElement& background = skin->Background();
    RECT frame = {0, 0, background.w, background.h};
    if (!AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                            static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE))))
        return;
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWin::DestroySkin() {
    if (skin) skin->FreeSheets();
    skin.reset();
}

bool TMainWin::SkinInUse() const {
    return skinActive && skin;
}

bool TMainWin::SkinHasSeparatePause() const {
    return skin && skin->HasSeparatePause();
}

void TMainWin::RestartSkinTitleScroll() {
    if (skin) skin->RestartTitleScroll();
}

const PanelDrawLists& TMainWin::DrawLists() const {
    return SkinInUse() ? skin->DrawLists() : kBuiltInDrawLists;
}

const PanelSheets* TMainWin::SkinSheets() const {
    return SkinInUse() ? &skin->Sheets() : nullptr;
}

const PanelHitTester& TMainWin::HitTester(const BuiltInHitTester& builtIn) const {
    return SkinInUse() ? skin->HitTester() : builtIn;
}

void TMainWin::OnSkinScrollTimer() {
    if (SkinInUse()) skin->OnScrollTimer();
}

void TMainWin::OnTitleRedraw() {
    if (transport) Draw(DrawLists().TitleRedraw(CurrentPanel()));
}
