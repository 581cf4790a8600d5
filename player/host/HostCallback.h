#pragma once

#include "InputPlugin.h"

// The message through which the playback thread's reports reach the main
// window: WM_APP with the callback code and value.
constexpr unsigned kHostCallbackMessage = 0x8000;

// Registered with the input plug-in with the main window's handle as user
// data. Posts codes 1 (end) and 2 (position) to that window and ignores every
// other code. It never sends: the main thread may be waiting inside the
// input's Stop. Always returns 0.
int32_t QUOREL_STDCALL HostCallback(int32_t code, int32_t value, uintptr_t window);
