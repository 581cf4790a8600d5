// The main window's popup menus, the open dialog, the folder browser, the
// re-open history, dropped files and the MPEG information box. What each
// choice does to the play list is ListLoader's; this file only asks.
#include "MainWindow.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "AppTexts.h"
#include "HelpPage.h"
#include "MpegInfo.h"
#include "OpenDialogSelection.h"

namespace {

// Room for thousands of chosen names; a larger choice grows it.
constexpr size_t kSelectionChars = 1 << 18;

std::wstring WideOf(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int length =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

// False when a character has no form in the ANSI code page: the program's
// file calls could not reach such a file.
bool AnsiOf(const std::wstring& text, std::string& bytes) {
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                            static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return false;
    bytes.assign(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        bytes.data(), length, nullptr, &lossy);
    return !lossy;
}

int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

} // namespace

void TMainWin::CreateMenusAndLoading() {
    menus = std::make_unique<MainMenus>();
    menuPlayList = std::make_unique<TMenuPlayList>(model->PlayList(), *menus);
    history = std::make_unique<TFileNameList>(menus.get());
    history->Load(settings->CurrentIniPath);
    TransportView& view = *this;
    loader = std::make_unique<ListLoader>(ListLoaderParts{*transport, *model, *settings, *history,
                                                          view, files, kIdleTitle, kIdleSubtitle});
    menus->CheckTransport(TransportMenuCheck::kStop);
    DragAcceptFiles(window, TRUE);
}

void TMainWin::DestroyMenusAndLoading() {
    loader.reset();
    menuPlayList.reset();
    history.reset();
    menus.reset();
}

void TMainWin::SaveReOpenHistory() {
    // The current path: the settings dialog may have switched files.
    if (history && settings) history->Save(settings->CurrentIniPath);
}

void TMainWin::RebuildMenuPlayList(bool force) {
    if (!menuPlayList) return;
    if (!settings->MenuPlayListOn) {
        menuPlayList->Remove();
        return;
    }
    const MenuPlayListColumns columns{settings->mplArtistOn, settings->mplAlbumOn,
                                      settings->mplTimeOn};
    if (force)
        menuPlayList->Rebuild(columns);
    else
        menuPlayList->RebuildIfChanged(columns);
}

void TMainWin::PopUpMenuAt(HMENU menu, POINT screen) {
    if (!menu) return;
    SetForegroundWindow(window);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y,
                     window, nullptr);
    // Lets the next click outside a menu close it.
    PostMessageA(window, WM_NULL, 0, 0);
}

void TMainWin::PopUpControlMenu(int x, int y) {
    if (!menus) return;
    RebuildMenuPlayList(false);
    POINT point{x, y};
    ClientToScreen(window, &point);
    PopUpMenuAt(menus->ControlMenu(), point);
}

void TMainWin::PopUpOpenMenu() {
    POINT cursor;
    if (!menus || !GetCursorPos(&cursor)) return;
    PopUpMenuAt(menus->OpenMenu(), cursor);
}

void TMainWin::OnMenuCommand(HMENU menu, UINT position) {
    if (!menus || !transport) return;
    const MenuChoice choice = menus->Decode(menu, position);
    const auto tag = static_cast<int32_t>(choice.data);
    switch (choice.command) {
    case kMenuCommandFileOpen:
        FileOpen_MClick(tag != 0);
        break;
    case kMenuCommandFolderOpen:
        FolderOpen_MClick(tag != 0);
        break;
    case kMenuCommandReOpenEntry:
        if (choice.reOpenMenu >= 0 && tag >= 0 &&
            static_cast<size_t>(tag) < history->Names().size()) {
            // A copy: opening it reorders the history.
            const std::string entry = history->Names()[static_cast<size_t>(tag)];
            loader->ReOpen(entry, TFileNameList::Replaces(choice.reOpenMenu));
        }
        break;
    case kMenuCommandPlayList:
        ShowPlayListWindow();
        break;
    case kMenuCommandPlayListEntry:
        transport->MenuPlayListClick(tag);
        break;
    case kMenuCommandMpegInfo:
        MpegInfo_MClick();
        break;
    case kMenuCommandPlayPause:
        transport->Play_MClick(tag);
        break;
    case kMenuCommandButton:
        transport->ButtonAction(tag);
        break;
    case kMenuCommandSetup:
        ShowSettingsDialog();
        break;
    case kMenuCommandTimerStart:
        TimerStart_MClick();
        break;
    case kMenuCommandAbout:
        ShowAboutBox();
        break;
    case kMenuCommandHelp:
        OpenHelpPage(window);
        break;
    case kMenuCommandExit:
        transport->ButtonAction(kButtonStop);
        WindowAction(20);
        break;
    }
}

void TMainWin::FileOpen_MClick(bool add) {
    std::vector<std::string> chosen;
    if (ChooseFiles(chosen)) loader->OpenFiles(chosen, add);
}

void TMainWin::FolderOpen_MClick(bool add) {
    std::string folder;
    if (ChooseFolder(folder)) loader->OpenFolder(folder, add);
}

bool TMainWin::ChooseFiles(std::vector<std::string>& chosen) {
    const std::wstring initial = WideOf(loader->LastFolder());
    std::vector<wchar_t> buffer(kSelectionChars, L'\0');
    for (;;) {
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = window;
        dialog.lpstrFilter = kOpenDialogFilter;
        dialog.nFilterIndex = 2;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
        // The current folder stays the program's: plug-ins and help are found by it.
        dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                       OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        if (GetOpenFileNameW(&dialog)) break;
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return false; // cancelled
        // The choice did not fit: the dialog comes again with more room (the
        // size it reports is 16 bits, too small to trust at this size).
        buffer.assign(buffer.size() * 2, L'\0');
    }
    for (const std::wstring& path :
         SplitOpenDialogSelection(std::wstring(buffer.data(), buffer.size()))) {
        std::string name;
        if (AnsiOf(path, name)) chosen.push_back(name);
    }
    return !chosen.empty();
}

bool TMainWin::ChooseFolder(std::string& folder) {
    const std::wstring initial = WideOf(loader->LastFolder());
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = window;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = kFolderBrowserTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = PreselectFolder;
    browse.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
    wchar_t path[MAX_PATH] = {};
    const bool found = chosen && SHGetPathFromIDListW(chosen, path);
    if (chosen) CoTaskMemFree(chosen);
    if (SUCCEEDED(com)) CoUninitialize();
    return found && AnsiOf(path, folder);
}

void TMainWin::OnDropFiles(HDROP drop) {
    if (!drop) return;
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        // Each name at its full length: a cut one would name another file.
        const UINT length = DragQueryFileA(drop, index, nullptr, 0);
        if (length == 0) continue;
        std::string name(length + 1, '\0');
        name.resize(DragQueryFileA(drop, index, name.data(), length + 1));
        names.push_back(name);
    }
    DragFinish(drop);
    if (loader) loader->DropFiles(names);
}

void TMainWin::MpegInfo_MClick() {
    const ItemRecord* item = model->PlayList().GetCurrentItem();
    if (!item) return;
    MessageBoxW(window, WideOf(MpegInfoText(item->info)).c_str(), kInformationCaption, MB_OK);
}

void TMainWin::CheckMenu(TransportMenuCheck item) {
    if (menus) menus->CheckTransport(item);
}

void TMainWin::CheckMenuPlayListItem(int number) {
    if (menuPlayList) menuPlayList->CheckItem(number);
}
