#include "MainWindow.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <cstring>

#include "AppTexts.h"
#include "PanelLayout.h"
#include "HostCallback.h"
#include "ProgramFolder.h"
#include "SingleInstance.h"
#include "TimerIds.h"

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

bool TMainWin::Create(HINSTANCE instance, std::vector<std::string> commandLine) {
    arguments = std::move(commandLine);
    if (!RegisterWindowClass(instance, WindowProc)) return false;

    // Borderless: the panel draws its own buttons, and is placed where the
    // settings put it (LoadWindowParameter).
    const DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kPanelWidth, kPanelHeight};
    if (!AdjustWindowRectEx(&frame, style, FALSE, 0)) return false;
    window = CreateWindowExA(0, kWindowClass, Transport::kIdleApplicationTitle, style, kDefaultLeft,
                             kDefaultTop, frame.right - frame.left, frame.bottom - frame.top,
                             nullptr, nullptr, instance, this);
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
    if (message == taskbarCreatedMessage && message != 0 && settings && settings->TrayIcon)
        ApplyTrayIcon();
    switch (message) {
    case WM_CREATE:
        return FormCreate() ? 0 : -1;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) OnEndSession();
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
    case WM_COMMAND:
        if (OnDialogCommand(LOWORD(wParam))) return 0;
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_MENUCOMMAND:
        OnMenuCommand(reinterpret_cast<HMENU>(lParam), static_cast<UINT>(wParam));
        return 0;
    case MM_MIXM_CONTROL_CHANGE:
        OnMixerControlChange(static_cast<uint32_t>(lParam));
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_TIMER:
        if (wParam == kTitleScrollTimerId) OnTitleScrollTick();
        if (wParam == TDrawInterfaceBitmap::kScrollTimer) OnSkinScrollTimer();
        if (wParam == kSleepTimerId) OnSleepTimerTick();
        if (wParam == kTrayClickTimerId) OnTrayClickTimer();
        return 0;
    case TDrawInterfaceBitmap::kTitleRedrawMessage:
        OnTitleRedraw();
        return 0;
    case kTrayMessage:
        OnTrayNotify(lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), PointerButton::Left);
        return 0;
    case WM_RBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), PointerButton::Right);
        return 0;
    case WM_MBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), PointerButton::Middle);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TMainWin::FormCreate() {
    input = plugins.LoadInput(kInputPluginPath);
    output = plugins.LoadOutput(kOutputPluginPath);
    mixer = plugins.LoadMixer(kMixerPluginPath);
    if (!input || !output) {
        // WM_DESTROY follows the refused creation and runs FormDestroy on
        // the half-built window.
        MessageBoxW(window, kMissingPluginMessage, nullptr, MB_ICONWARNING | MB_OK);
        return false;
    }

    CreateDialogs();
    model = std::make_unique<TOpenAudioFile>(files,
                                             [this](const char* text) { ShowByteMessage(text); });
    CreateSkin();

    if (settings->UseDirectSound && !output->OutputInitDirectSound(window))
        MessageBoxW(window, kDirectSoundFailedMessage, nullptr, MB_OK);

    shuffle = std::make_unique<TShuffle>();
    model->SetInput(input);
    model->SetOptions({settings->NotReflexive, settings->NotOpenMP3, settings->NotOpenWAV,
                       settings->NotOpenRMP, settings->NotOpenM3U, settings->NotOpenCDA});
    if (mixer) volumeLines = std::make_unique<VolumeLineCache>(*mixer, window, *settings);
    transport = std::make_unique<Transport>(TransportParts{*input, model->PlayList(), *shuffle,
                                                           SharedRandom(), *settings, *this, mixer,
                                                           volumeLines.get(), window});
    transport->ResetForEmptyList(kIdleTitle, kIdleSubtitle);
    LoadWindowParameter();

    CreateMenusAndLoading();

    input->SetOutput(output);
    input->SetCallback(HostCallback, reinterpret_cast<uintptr_t>(window));

    CreateTray();

    if (mixer) {
        transport->MixerDevice = settings->WaveOutDevice;
        transport->MixerLine = settings->WaveOutVolume;
        mixer->MixerOpen(window, transport->MixerDevice);
    }

    LoadCommandLine();
    if (!CreatePlayListWindow()) return false;
    EnableShutdownPrivilege();
    SetPropA(window, kMainWindowProperty, reinterpret_cast<HANDLE>(1));
    return true;
}

void TMainWin::LoadCommandLine() {
    if (arguments.empty()) return;
    loader->OpenCommandLine(arguments);
}

void TMainWin::FormShow() {
    transport->ApplyVolume(transport->Volume);
}

void TMainWin::FormClose() {
    if (transport) transport->ButtonAction(kButtonStop);
}

void TMainWin::FormDestroy() {
    if (destroyed) return;
    destroyed = true;
    if (output) output->OutputRelease();
    DestroySkin();
    SaveAtExit();
    DestroyMenusAndLoading();
    transport.reset();
    shuffle.reset();
    playListWindow.reset();
    if (model) model->ClearLists();
    DestroyDialogs();
    model.reset();
    RemovePropA(window, kMainWindowProperty);
}

void TMainWin::OnAppCommand(WPARAM command, LPARAM argument) {
    switch (command) {
    case kCmdNotifyEnd:
        transport->NotifyEnd();
        break;
    case kCmdNotifyPosition:
        transport->NotifyPosition(static_cast<int32_t>(argument));
        if (!transport->SeekDragging) Draw(DrawLists().PositionRedraw(CurrentPanel()));
        break;
    case kCmdPlay:
        transport->ButtonAction(kButtonPlayPause);
        break;
    case kCmdStop:
        transport->ButtonAction(kButtonStop);
        break;
    case kCmdRefresh:
        transport->UpdateTrackInfo();
        RepaintAll();
        break;
    case kCmdClearList:
        ClearList();
        break;
    case kCmdDropFiles:
        OnDropFiles(reinterpret_cast<HDROP>(argument));
        break;
    }
}

void TMainWin::ClearList() {
    // Both lists empty without fail here: the store frees its block.
    loader->ClearList();
}

void TMainWin::HandoverList() {
    loader->OpenHandover(HandoverListPath());
}

// An outside change of the volume line in use shows on the panel.
void TMainWin::OnMixerControlChange(uint32_t controlId) {
    const int32_t shown = transport ? transport->MixerControlChange(controlId) : -1;
    if (shown >= 0) Draw(DrawLists().VolumeRedraw(shown));
}

void TMainWin::ShowByteMessage(const char* text) {
    MessageBoxA(window, text, nullptr, MB_OK);
}

void TMainWin::SetApplicationTitle(const std::string& title) {
    SetWindowTextA(window, title.c_str());
}

void TMainWin::PostNotifyEnd() {
    PostMessageA(window, kHostCallbackMessage, kCmdNotifyEnd, 0);
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
