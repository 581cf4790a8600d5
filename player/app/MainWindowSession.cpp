// The main window's place on the screen across runs, and what it saves when
// the program or the whole session ends.
#include "MainWindow.h"

#include "WindowParameter.h"

namespace {

MONITORINFO MonitorOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        info.rcMonitor = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        info.rcWork = info.rcMonitor;
    }
    return info;
}

} // namespace

void TMainWin::LoadWindowParameter() {
    RECT frame;
    if (!GetWindowRect(window, &frame)) frame = RECT{kDefaultLeft, kDefaultTop, 0, 0};
    WindowParameter stored = ::LoadWindowParameter(settings->CurrentIniPath, frame.left, frame.top);
    transport->Volume = stored.Volume;
    transport->RepeatMode = stored.Repeat;
    transport->ShuffleMode = kShuffleOff;

    // A position no monitor shows (a closed second monitor, an older
    // version's minimised -32000) comes back onto the nearest work area.
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const RECT wanted = {stored.Left, stored.Top, stored.Left + width, stored.Top + height};
    const RECT work = MonitorOf(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST)).rcWork;
    KeepOnWorkArea(stored, width, height, ScreenRect{work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, stored.Left, stored.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWin::SaveWindowParameter() {
    // The restored position, also while minimised or maximised. It is in
    // workspace coordinates, which start at the work area's corner.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!transport || !GetWindowPlacement(window, &placement)) return;
    const MONITORINFO monitor = MonitorOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    const int32_t left =
        placement.rcNormalPosition.left + monitor.rcWork.left - monitor.rcMonitor.left;
    const int32_t top = placement.rcNormalPosition.top + monitor.rcWork.top - monitor.rcMonitor.top;
    ::SaveWindowParameter(settings->CurrentIniPath,
                          WindowParameter{transport->Volume, transport->RepeatMode, left, top});
}

// What must be on disk when the program ends, whether its window is
// destroyed or the session ends under it.
void TMainWin::SaveAtExit() {
    if (!settings) return;
    RemoveTrayIcon();
    SaveAll();
}

// Log-off or shut-down: the process may end as soon as this returns,
// without WM_DESTROY.
void TMainWin::OnEndSession() {
    if (transport) transport->ButtonAction(kButtonStop);
    SaveAtExit();
}
