// WM_COMMAND ids of the main window that open the about box and the
// settings dialog (what the control menu's entries run).
#pragma once

#include <windows.h>

constexpr WORD kShowAboutBoxCommand = 0xA001;
constexpr WORD kShowSettingsCommand = 0xA002;
