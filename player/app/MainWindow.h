// The main window: owns the plug-ins, the settings, the play list model and
// the transport, and turns window messages into calls on them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "OpenAudioFile.h"
#include "PluginManager.h"
#include "SettingsFields.h"
#include "Shuffle.h"
#include "Transport.h"
#include "TransportView.h"
#include "WindowsFileAccess.h"

class TMainWin : private TransportView {
  public:
    TMainWin() = default;
    ~TMainWin() override = default;
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
    void LoadCommandLine();
    void HandoverList();
    void ClearList();
    void RememberFolder(const std::string& name);
    void ShowByteMessage(const char* text);
    void EnableShutdownPrivilege();
    void LoadWindowParameter();
    void SaveWindowParameter();

    // TransportView: the panel's drawing arrives with the panel; until then
    // every drawing request repaints the window.
    void DrawPlayPause(bool) override { RepaintAll(); }
    void DrawStop(bool) override { RepaintAll(); }
    void DrawTextsAndNumbers() override { RepaintAll(); }
    void DrawRepeatIndicator() override { RepaintAll(); }
    void DrawShuffleIndicator() override { RepaintAll(); }
    void RepaintAll() override;
    void SetApplicationTitle(const std::string& title) override;
    void ShowTrayState(bool playing, const std::string& tip) override;
    void CheckMenu(TransportMenuCheck item) override;
    void PostNotifyEnd() override;
    void ShowMessage(const char* text) override { ShowByteMessage(text); }
    void ShowPlayListWindow() override;
    void PopUpOpenMenu() override;
    void SelectPlayListRow(int number) override;
    void RebuildPlayList() override;
    void CheckMenuPlayListItem(int number) override;
    bool SkinActive() const override { return false; }
    bool SkinHasSeparatePause() const override { return false; }
    void RestartSkinTitleScroll() override {}

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
    WindowsFileAccess files;
    std::unique_ptr<TOpenAudioFile> model;
    std::unique_ptr<TShuffle> shuffle;
    std::unique_ptr<Transport> transport;

    std::string LastFolder = "c:\\";
    int32_t sleepMinutesLeft = 0;
};
