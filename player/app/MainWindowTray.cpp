// The main window's sleep timer and tray icon. The countdown and what it
// does at the end are SleepTimer's; this file holds the timers and the
// shell's calls.
#include "MainWindow.h"

#include <cstring>

#include "AppTexts.h"
#include "FieldText.h"
#include "TimerIds.h"
#include "TrayTip.h"

void TMainWin::CreateTray() {
    SleepTimerSystem& system = *this;
    sleepTimer = std::make_unique<SleepTimer>(*settings, system);
    // Explorer sends it after a restart, when every tray icon is gone.
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    if (settings->TrayIcon) AddTrayIcon();
}

void TMainWin::AddTrayIcon() {
    TrayIconCommand(NIM_ADD, kTrayNone, nullptr);
    TrayIconCommand(NIM_MODIFY, kTrayNone, nullptr);
}

void TMainWin::RemoveTrayIcon() {
    if (trayIconShown) TrayIconCommand(NIM_DELETE, kTrayNone, nullptr);
}

void TMainWin::ApplyTrayIcon() {
    if (!settings->TrayIcon) {
        RemoveTrayIcon();
        return;
    }
    TrayIconCommand(NIM_ADD, kTrayNone, nullptr);
    TrayIconCommand(NIM_MODIFY, TrayStateOfInput(input->GetState()), nullptr);
}

bool TMainWin::TrayIconCommand(DWORD command, int32_t state, const std::string* tip) {
    // The first layout of the structure, which every shell takes.
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    if (command == NIM_MODIFY) {
        icon.hIcon =
            LoadIconA(GetModuleHandleA(nullptr), state == kTrayPlaying ? "MINI_PLAY" : "MINI");
        const std::string text = TrayTipOf(tip ? *tip : std::string("Quorel"));
        std::memcpy(icon.szTip, text.c_str(), text.size() + 1);
    }
    const bool accepted = Shell_NotifyIconA(command, &icon) != 0;
    if (command == NIM_ADD && accepted) trayIconShown = true;
    if (command == NIM_DELETE && accepted) trayIconShown = false;
    return accepted;
}

void TMainWin::ShowTrayState(bool playing, const std::string& tip) {
    const TrayLook look = TrayLookFor(playing, tip);
    TrayIconCommand(NIM_MODIFY, look.state, look.withTip ? &tip : nullptr);
}

void TMainWin::OnTrayNotify(LPARAM mouse) {
    switch (mouse) {
    case WM_LBUTTONDOWN:
        // The menu waits for the double-click time: a double click opens none.
        GetCursorPos(&trayPoint);
        SetTimer(window, kTrayClickTimerId, GetDoubleClickTime(), nullptr);
        break;
    case WM_LBUTTONDBLCLK:
        KillTimer(window, kTrayClickTimerId);
        ShowWindow(window, SW_SHOW);
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        if (const ItemRecord* item = model->PlayList().GetCurrentItem()) {
            SetApplicationTitle(" " + std::string(FieldText(transport->TitleText)) + " : " +
                                std::string(FieldText(item->info.tag.artist)) + " : Quorel");
        }
        break;
    case WM_RBUTTONUP:
        GetCursorPos(&trayPoint);
        PopUpTrayMenu();
        break;
    }
}

void TMainWin::OnTrayClickTimer() {
    KillTimer(window, kTrayClickTimerId);
    PopUpTrayMenu();
}

void TMainWin::PopUpTrayMenu() {
    if (!menus) return;
    RebuildMenuPlayList(false);
    PopUpMenuAt(menus->ControlMenu(), trayPoint);
}

void TMainWin::Minimize() {
    // Hidden only while the tray icon can bring the window back.
    ShowWindow(window, SW_MINIMIZE);
    if (settings->BarIcon && trayIconShown) {
        ShowWindow(window, SW_HIDE);
        if (playListWindow) ShowWindow(playListWindow->Handle(), SW_HIDE);
        if (settingsDialog && settingsDialog->Handle())
            ShowWindow(settingsDialog->Handle(), SW_HIDE);
    }
}

void TMainWin::TimerStart_MClick() {
    if (sleepTimer) sleepTimer->TimerStart_MClick();
}

void TMainWin::OnSleepTimerTick() {
    if (sleepTimer) sleepTimer->Tick();
}

void TMainWin::StartMinuteTimer() {
    SetTimer(window, kSleepTimerId, kSleepTimerMs, nullptr);
}

void TMainWin::StopMinuteTimer() {
    KillTimer(window, kSleepTimerId);
}

void TMainWin::CheckTimerItem(bool running) {
    if (menus) menus->CheckTimer(running);
}

void TMainWin::RepaintPanel() {
    sleepMinutesLeft = sleepTimer ? sleepTimer->MinutesLeft() : 0;
    RepaintAll();
}

void TMainWin::ShowInformation(const std::wstring& text) {
    MessageBoxW(window, text.c_str(), kInformationCaption, MB_OK);
}

void TMainWin::SaveAll() {
    settings->SaveSettings(settings->CurrentIniPath);
    SaveWindowParameter();
    SaveReOpenHistory();
}

void TMainWin::ShutDown(uint32_t flags) {
    ExitWindowsEx(flags, 0);
}

void TMainWin::CloseMainWindow() {
    WindowAction(20);
}

void TMainWin::StopPlayback() {
    transport->ButtonAction(kButtonStop);
}
