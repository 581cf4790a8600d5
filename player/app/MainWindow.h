// The main window: owns the plug-ins and every other window and model.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "PluginManager.h"
#include "SettingsFields.h"

class TMainWin {
  public:
    TMainWin() = default;
    TMainWin(const TMainWin&) = delete;
    TMainWin& operator=(const TMainWin&) = delete;

    // Creates the window; false when creation failed (the missing-plug-in
    // path ends here too, after its message).
    bool Create(HINSTANCE instance, int argc, char** argv);
    void Show(int showCommand);

    // Client area of the built-in panel.
    static constexpr int kPanelWidth = 268;
    static constexpr int kPanelHeight = 45;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();

    void OnAppCommand(WPARAM command, LPARAM argument);
    void HandoverList();
    void NotifyEnd();
    void NotifyPosition(int32_t seconds);
    void ClearList();
    void ResetPanelTexts();
    void EnableShutdownPrivilege();
    void LoadWindowParameter();
    void SaveWindowParameter();

    HWND window = nullptr;
    int argc = 0;
    char** argv = nullptr;
    bool destroyed = false;

    PluginManager plugins;
    InputPlugin* input = nullptr;   // owned by its module
    OutputPlugin* output = nullptr; // owned by its module
    MixerPlugin* mixer = nullptr;   // owned by its module; may be null
    // The settings fields; the settings dialog will own them.
    std::unique_ptr<SettingsFields> settings;

    // Transport state.
    int32_t PlayState = 0;
    int32_t RepeatMode = 110;
    int32_t ShuffleMode = 100;
    int32_t ListLoaded = 0;
    int32_t Volume = 40;
    bool SeekDragging = false;

    // Panel numbers and texts.
    int32_t Position = 0;
    int32_t Length = 0;
    int32_t BitRate = 0;
    int32_t SampleRate = 0;
    char TitleText[128] = {};
    char ArtistText[128] = {};
    int32_t titleWidth = 0;
    int32_t titleX = 1;
    bool SkinActive = true;
    int32_t sleepMinutesLeft = 0;
    std::string LastFolder = "c:\\";

    int32_t MixerIsCD = 0;
    int32_t MixerLine = 0;
    int32_t MixerDevice = 0;
};
