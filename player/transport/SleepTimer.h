// The sleep timer: after OyasumiMin minutes it powers the computer off,
// restarts it, ends the program or stops playback. The minute tick and the
// system calls are the main window's, behind SleepTimerSystem.
#pragma once

#include <cstdint>
#include <string>

#include "SettingsFields.h"

// The actions by OyasumiProcess; the settings dialog lists the same texts.
constexpr const wchar_t* kSleepActionCaptions[] = {L"電源を切る", L"電源を切る準備(NT系のみ)",
                                                   L"再起動", L"Quorelの終了", L"演奏停止"};
constexpr int32_t kSleepActionCount = 5;

// ExitWindowsEx flags: power-off, shut-down, reboot. Hung programs are
// ended (EWX_FORCEIFHUNG); others get the chance to save their work.
constexpr uint32_t kExitPowerOff = 0x18;
constexpr uint32_t kExitShutdown = 0x11;
constexpr uint32_t kExitReboot = 0x12;

class SleepTimerSystem {
  public:
    virtual ~SleepTimerSystem() = default;
    // The 60-second tick.
    virtual void StartMinuteTimer() = 0;
    virtual void StopMinuteTimer() = 0;
    // The check mark of "タイマーＯＮ".
    virtual void CheckTimerItem(bool running) = 0;
    virtual void RepaintPanel() = 0;
    // A box with the caption "Quorel".
    virtual void ShowInformation(const std::wstring& text) = 0;
    // The settings, the window's values and the re-open history.
    virtual void SaveAll() = 0;
    virtual void ShutDown(uint32_t flags) = 0;
    virtual void CloseMainWindow() = 0;
    virtual void StopPlayback() = 0;
};

class SleepTimer {
  public:
    SleepTimer(SettingsFields& settings, SleepTimerSystem& system)
        : settings(settings), system(system) {}

    // "タイマーＯＮ": starts the countdown, or stops a running one.
    void TimerStart_MClick();
    // The minute tick.
    void Tick();
    int32_t MinutesLeft() const { return minutesLeft; }

    static std::wstring StartMessage(int32_t minutes, int32_t action);

  private:
    int32_t Minutes() const;

    SettingsFields& settings;
    SleepTimerSystem& system;
    int32_t minutesLeft = 0;
};
