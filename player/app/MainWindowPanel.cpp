// The main window's panel: painting it from the transport's values, the
// title scroll, and the mouse on the panel.
#include "MainWindow.h"

#include <windowsx.h>

#include "FieldText.h"
#include "PanelLayout.h"
#include "TimerIds.h"

namespace {
constexpr UINT kTitleScrollMs = 100;
} // namespace

PanelState TMainWin::CurrentPanel() const {
    PanelState state;
    state.PlayState = transport->PlayState;
    state.ListLoaded = transport->ListLoaded;
    state.RepeatMode = transport->RepeatMode;
    state.ShuffleMode = transport->ShuffleMode;
    state.Volume = transport->Volume;
    state.Position = transport->Position;
    state.Length = transport->Length;
    state.BitRate = transport->BitRate;
    state.SampleRate = transport->SampleRate;
    state.TitleText = std::string(FieldText(transport->TitleText));
    state.ArtistText = std::string(FieldText(transport->ArtistText));
    state.TitleX = titleScroll.Offset();
    state.ExchangeButton = settings->ExchangeButton;
    state.TitleScroll = settings->TitleScroll;
    state.SleepTimerRunning = settings->TimerRunning;
    state.SleepMinutesLeft = sleepMinutesLeft;
    return state;
}

void TMainWin::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    // Until the transport exists (a failed start) the background is all.
    const PaintResult result = transport
                                   ? PaintPanel(dc, GetModuleHandleA(nullptr),
                                                DrawLists().FullPaint(CurrentPanel()), SkinSheets())
                                   : PaintResult{};
    EndPaint(window, &paint);
    AfterTitleDrawn(result);
}

void TMainWin::Draw(const DrawList& list) {
    AfterTitleDrawn(PaintPanelOnWindow(window, GetModuleHandleA(nullptr), list, SkinSheets()));
}

void TMainWin::AfterTitleDrawn(const PaintResult& result) {
    if (!result.titleDrawn) return;
    // A skin scrolls its title itself.
    if (SkinInUse()) {
        if (result.titleMeasured) skin->AfterTitleDrawn(result.titleWidth);
        return;
    }
    const bool run = titleScroll.AfterTitleDrawn(settings->TitleScroll, result.titleWidth);
    if (run && !titleScrollTimerRunning)
        titleScrollTimerRunning =
            SetTimer(window, kTitleScrollTimerId, kTitleScrollMs, nullptr) != 0;
    else if (!run && titleScrollTimerRunning)
        titleScrollTimerRunning = !KillTimer(window, kTitleScrollTimerId);
}

void TMainWin::OnTitleScrollTick() {
    if (titleScroll.Tick()) Draw(DrawLists().TitleRedraw(CurrentPanel()));
}

void TMainWin::DrawPlayPause(bool pauseLit) {
    Draw(DrawLists().PlayPauseRedraw(CurrentPanel(), pauseLit));
}

void TMainWin::DrawStop(bool lit) {
    Draw(DrawLists().StopRedraw(CurrentPanel(), lit));
}

void TMainWin::DrawTextsAndNumbers() {
    Draw(DrawLists().TextsAndNumbersRedraw(CurrentPanel()));
}

void TMainWin::DrawRepeatIndicator() {
    Draw(DrawLists().RepeatIndicatorRedraw(CurrentPanel()));
}

void TMainWin::DrawShuffleIndicator() {
    Draw(DrawLists().ShuffleIndicatorRedraw(CurrentPanel()));
}

void TMainWin::RepaintAll() {
    InvalidateRect(window, nullptr, FALSE);
}

void TMainWin::OnPress(int x, int y) {
    pointer.Press(x, y);
    // Drags go on outside the small window.
    SetCapture(window);
}

void TMainWin::OnMove(int x, int y, WPARAM keys) {
    if (!transport) return;
    const bool leftOnly = keys == MK_LBUTTON && GetKeyState(VK_MENU) >= 0;
    PointerValues values{transport->Volume, transport->Position, transport->Length};
    const PointerMove move =
        pointer.Move(x, y, leftOnly, values, HitTester(BuiltInHitTester(settings->ExchangeButton)));
    transport->Volume = values.Volume;
    transport->Position = values.Position;
    transport->SeekDragging = pointer.SeekDragging();
    if (move.moveWindow) {
        RECT frame;
        if (GetWindowRect(window, &frame))
            SetWindowPos(window, nullptr, frame.left + move.dx, frame.top + move.dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (move.volumeDragged) {
        Draw(DrawLists().VolumeRedraw(transport->Volume));
        transport->ApplyVolume(transport->Volume);
    }
    if (move.positionDragged) Draw(DrawLists().PositionRedraw(CurrentPanel()));
}

void TMainWin::OnRelease(int x, int y, PointerButton button) {
    if (GetCapture() == window) ReleaseCapture();
    if (!transport) return;
    const PointerValues values{transport->Volume, transport->Position, transport->Length};
    const PointerRelease release = pointer.Release(
        x, y, button, values, HitTester(BuiltInHitTester(settings->ExchangeButton)));
    transport->SeekDragging = pointer.SeekDragging();
    if (release.seek) input->Seek(release.seekPosition);
    if (release.buttonAction >= 0) transport->ButtonAction(release.buttonAction);
    if (release.windowAction >= 0) WindowAction(release.windowAction);
    if (release.controlMenu) PopUpControlMenu(x, y);
}

void TMainWin::WindowAction(int32_t code) {
    switch (code) {
    case 20:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case 21:
        Minimize();
        break;
    }
}
