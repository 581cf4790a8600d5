// quorelctl: drives a running Quorel from scripts.
//   quorelctl wait [SECONDS]   waits until Quorel's main window exists
//   quorelctl close [SECONDS]  closes it as the user would and waits for the process to end
// Exit code 0 on success, 1 on time-out, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

BOOL CALLBACK FindMainWindow(HWND window, LPARAM result) {
    if (!GetPropA(window, "Quorel_MP3Player")) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND MainWindow() {
    HWND window = nullptr;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&window));
    return window;
}

HWND WaitForMainWindow(DWORD deadline) {
    for (;;) {
        if (HWND window = MainWindow()) return window;
        if (GetTickCount() >= deadline) return nullptr;
        Sleep(50);
    }
}

int Close(DWORD deadline) {
    HWND window = WaitForMainWindow(deadline);
    if (!window) return 1;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) {
        if (process) CloseHandle(process);
        return 1;
    }
    if (!process) return 0;
    const DWORD now = GetTickCount();
    const DWORD waited = WaitForSingleObject(process, deadline > now ? deadline - now : 0);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: quorelctl wait|close [SECONDS]\n");
        return 2;
    }
    const int seconds = argc == 3 ? std::atoi(argv[2]) : 30;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds > 0 ? seconds : 30) * 1000;
    if (std::strcmp(argv[1], "wait") == 0) return WaitForMainWindow(deadline) ? 0 : 1;
    if (std::strcmp(argv[1], "close") == 0) return Close(deadline);
    std::fprintf(stderr, "unknown command: %s\n", argv[1]);
    return 2;
}
