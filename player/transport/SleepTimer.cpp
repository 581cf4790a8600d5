#include "SleepTimer.h"

// A hand-edited file may hold 0 or less: the dialog would store 1.
int32_t SleepTimer::Minutes() const {
    return settings.OyasumiMin < 1 ? 1 : settings.OyasumiMin;
}

std::wstring SleepTimer::StartMessage(int32_t minutes, int32_t action) {
    std::wstring text = L"お休みタイマが作動しました。\n";
    if (action >= 0 && action < kSleepActionCount) text += kSleepActionCaptions[action];
    return text + L"まで残り " + std::to_wstring(minutes) + L" 分です。";
}

void SleepTimer::TimerStart_MClick() {
    minutesLeft = Minutes();
    const bool run = !settings.TimerRunning;
    settings.TimerRunning = run;
    if (run)
        system.StartMinuteTimer();
    else
        system.StopMinuteTimer();
    system.CheckTimerItem(run);
    system.RepaintPanel();
    if (!run) return;
    if (settings.OyasumiProcess > kSleepActionCount - 1)
        settings.OyasumiProcess = kSleepActionCount - 1;
    system.ShowInformation(StartMessage(minutesLeft, settings.OyasumiProcess));
}

void SleepTimer::Tick() {
    if (!settings.TimerRunning) return;
    if (--minutesLeft > 0) {
        system.RepaintPanel();
        return;
    }
    settings.TimerRunning = false;
    system.StopMinuteTimer();
    system.CheckTimerItem(false);
    // Before the system goes down, so nothing of the session is lost.
    system.SaveAll();
    switch (settings.OyasumiProcess) {
    case 0:
        system.ShutDown(kExitPowerOff);
        break;
    case 1:
        system.ShutDown(kExitShutdown);
        break;
    case 2:
        system.ShutDown(kExitReboot);
        break;
    case 3:
        system.CloseMainWindow();
        break;
    case 4:
        system.StopPlayback();
        break;
    }
    system.RepaintPanel();
}
