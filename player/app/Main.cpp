// Entry point: one instance, the program's folder as current directory, the
// main window and its message loop.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <vector>

#include "CommandLine.h"
#include "MainWindow.h"
#include "ProgramFolder.h"
#include "SingleInstance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Created owned and never released: it marks the first instance for as
    // long as the process lives.
    CreateMutexA(nullptr, TRUE, kInstanceMutexName);
    const bool firstInstance = GetLastError() != ERROR_ALREADY_EXISTS;
    // Relative names mean the user's current directory: the first instance
    // is about to leave it, and a running one has another.
    const std::vector<std::string> arguments = AbsoluteArguments(__argc, __argv);
    if (!firstInstance) {
        HandOverToFirstInstance(arguments);
        return 0;
    }

    // The plug-in, skin and help folders are found relative to the program.
    EnterProgramFolder();

    try {
        TMainWin mainWindow;
        if (!mainWindow.Create(instance, arguments)) return 0;
        mainWindow.Show(showCommand);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (mainWindow.HandleFormKeys(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return static_cast<int>(message.wParam);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Quorel", MB_ICONERROR | MB_OK);
        return 0;
    }
}
