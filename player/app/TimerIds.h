// The main window's timers and its tray icon's message, shared with the
// Windows tests.
#pragma once

#include <windows.h>

constexpr UINT_PTR kTitleScrollTimerId = 1;
constexpr UINT_PTR kTrayClickTimerId = 3; // a single click on the tray icon
// 5 is the skin's title: TDrawInterfaceBitmap::kScrollTimer.
constexpr UINT_PTR kSleepTimerId = 7; // the sleep timer's minute
constexpr UINT kSleepTimerMs = 60000;

constexpr UINT kTrayMessage = 0x8064;
constexpr UINT kTrayIconId = 1006;
