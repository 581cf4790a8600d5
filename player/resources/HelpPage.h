// The one help call of the program: the menus, the play list window's help
// image and the about box's link all open the bundled page.
#pragma once

#include <windows.h>

// Opens "help\index.html" beside Quorel.exe with the shell's "open"; a
// missing page or a refused open shows a message owned by `owner`.
// False when nothing was opened.
bool OpenHelpPage(HWND owner);
