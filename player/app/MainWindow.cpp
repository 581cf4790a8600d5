#include "MainWindow.h"

#include <cstring>

#include "AppTexts.h"
#include "HostCallback.h"
#include "ProgramFolder.h"
#include "SingleInstance.h"
#include "WindowParameter.h"

namespace {

constexpr char kWindowClass[] = "QuorelMainWindow";
constexpr char kInputPluginPath[] = ".\\Plugin\\Tessaly.dll";
constexpr char kOutputPluginPath[] = ".\\Plugin\\Varnoth.dll";
constexpr char kMixerPluginPath[] = ".\\Plugin\\Keldrin.dll";

// Commands of WM_APP (first parameter).
enum AppCommand : WPARAM {
    kCmdNotifyEnd = 1,
    kCmdNotifyPosition = 2,
    kCmdPlay = 101,
    kCmdStop = 102,
    kCmdDropFiles = 110,
    kCmdRefresh = 120,
    kCmdClearList = 140,
};

void CopyText(char (&field)[128], const char* text) {
    std::strncpy(field, text, sizeof field - 1);
    field[sizeof field - 1] = '\0';
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

bool TMainWin::Create(HINSTANCE instance, int argumentCount, char** arguments) {
    argc = argumentCount;
    argv = arguments;
    if (!RegisterWindowClass(instance, WindowProc)) return false;

    // Borderless: the panel draws its own buttons, and is placed where the
    // settings put it (centred on the work area until then).
    const DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kPanelWidth, kPanelHeight};
    if (!AdjustWindowRectEx(&frame, style, FALSE, 0)) return false;
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) work = RECT{0, 0, 800, 600};
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;

    window = CreateWindowExA(0, kWindowClass, kIdleTitle, style, left, top, width, height, nullptr,
                             nullptr, instance, this);
    return window != nullptr;
}

void TMainWin::Show(int showCommand) {
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    FormShow();
}

LRESULT CALLBACK TMainWin::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TMainWin*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TMainWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TMainWin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return FormCreate() ? 0 : -1;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window = nullptr;
        break;
    case kHostCallbackMessage:
        OnAppCommand(wParam, lParam);
        return 0;
    case kHandoverMessage:
        HandoverList();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TMainWin::FormCreate() {
    // The two temporary name lists of the command line arrive with the play
    // list model (see the command line step below).

    CopyText(TitleText, kIdleTitle);
    CopyText(ArtistText, kIdleSubtitle);

    input = plugins.LoadInput(kInputPluginPath);
    output = plugins.LoadOutput(kOutputPluginPath);
    mixer = plugins.LoadMixer(kMixerPluginPath);
    if (!input || !output) {
        // WM_DESTROY follows the refused creation and runs FormDestroy on
        // the half-built window.
        MessageBoxW(window, kMissingPluginMessage, nullptr, MB_ICONWARNING | MB_OK);
        return false;
    }

    settings = std::make_unique<SettingsFields>(DefaultSettingsPath());
    settings->LoadSettings(settings->DefaultIniPath, true);
    LoadWindowParameter();

    // Seams, in creation order: the play list window and the about box; the
    // play list model; the skin; the menu play list; the re-open history.

    if (settings->UseDirectSound && !output->OutputInitDirectSound(window))
        MessageBoxW(window, kDirectSoundFailedMessage, nullptr, MB_OK);

    // Seams: the shuffle order; handing the pointers to the play list window
    // and the model.

    input->SetOutput(output);
    input->SetCallback(HostCallback, reinterpret_cast<uintptr_t>(window));

    // Seams: the Stop_M check mark (menus), the tray icon (settings), drag
    // and drop (main window interaction).

    MixerIsCD = 0;
    MixerLine = 0;
    MixerDevice = 0;
    if (mixer) mixer->MixerOpen(window, MixerDevice);

    // Seam: the command-line arguments go into the play list model.

    EnableShutdownPrivilege();
    SetPropA(window, kMainWindowProperty, reinterpret_cast<HANDLE>(1));
    return true;
}

void TMainWin::FormShow() {
    // Seam: ApplyVolume (transport).
}

void TMainWin::FormClose() {
    // Seam: button action stop (transport).
}

void TMainWin::FormDestroy() {
    if (destroyed) return;
    destroyed = true;
    if (output) output->OutputRelease();
    // Seam: the skin's bitmaps.
    if (settings) {
        // Seam: the tray icon.
        settings->SaveSettings(settings->CurrentIniPath);
        SaveWindowParameter();
    }
    // Seams, in order: the shuffle order; the model's item lists; the re-open
    // history; the menu play list; the other windows; the model.
    RemovePropA(window, kMainWindowProperty);
}

void TMainWin::OnAppCommand(WPARAM command, LPARAM argument) {
    switch (command) {
    case kCmdNotifyEnd:
        NotifyEnd();
        break;
    case kCmdNotifyPosition:
        NotifyPosition(static_cast<int32_t>(argument));
        break;
    case kCmdClearList:
        ClearList();
        break;
    case kCmdPlay:
    case kCmdStop:
    case kCmdDropFiles:
    case kCmdRefresh:
        // Seams: play/pause, stop and track refresh (transport), files
        // dropped on the play list window (main window interaction).
        break;
    }
}

void TMainWin::NotifyEnd() {
    input->Close();
    // Seam: SelectNext as automatic advance (transport).
}

void TMainWin::NotifyPosition(int32_t seconds) {
    if (SeekDragging) return;
    Position = seconds;
    // Seam: redraw of the elapsed time and the seek bar (panel).
}

void TMainWin::ClearList() {
    // Seam: empty both item lists of the play list model, with
    // kClearListFailedMessage for a list that can't be emptied.
    ListLoaded = 0;
    Position = 0;
    Length = 0;
    BitRate = 0;
    SampleRate = 0;
    ResetPanelTexts();
    InvalidateRect(window, nullptr, FALSE);
}

void TMainWin::ResetPanelTexts() {
    CopyText(TitleText, kIdleTitle);
    CopyText(ArtistText, kIdleSubtitle);
    titleX = 1;
}

void TMainWin::HandoverList() {
    // Seam: the hand-over list (HandoverListPath) is read as an M3U list into
    // the play list model, added or replacing by the DDtoAdd setting.
}

void TMainWin::LoadWindowParameter() {
    RECT frame;
    if (!GetWindowRect(window, &frame)) frame = RECT{};
    const WindowParameter stored =
        ::LoadWindowParameter(settings->CurrentIniPath, frame.left, frame.top);
    Volume = stored.Volume;
    RepeatMode = stored.Repeat;
    ShuffleMode = 100;
    SetWindowPos(window, nullptr, stored.Left, stored.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWin::SaveWindowParameter() {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return;
    ::SaveWindowParameter(settings->CurrentIniPath,
                          WindowParameter{Volume, RepeatMode, frame.left, frame.top});
}

void TMainWin::EnableShutdownPrivilege() {
    // The sleep timer may shut the system down; failures are ignored.
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}
