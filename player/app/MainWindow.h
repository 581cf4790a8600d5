// The main window: owns the plug-ins, the settings, the play list model and
// the transport, and turns window messages into calls on them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "AboutBox.h"
#include "SettingsDialog.h"
#include "FileNameList.h"
#include "ListLoader.h"
#include "MainMenus.h"
#include "MenuPlayList.h"
#include "DrawInterfaceBitmap.h"
#include "OpenAudioFile.h"
#include "PanelDraw.h"
#include "PanelDrawLists.h"
#include "PanelPainter.h"
#include "PanelPointer.h"
#include "PanelState.h"
#include "TitleScroll.h"
#include "PlayListWindow.h"
#include "PluginManager.h"
#include "SettingsFields.h"
#include "SleepTimer.h"
#include "Shuffle.h"
#include "Transport.h"
#include "TransportView.h"
#include "WindowsFileAccess.h"

class TMainWin : private TransportView, private SettingsProgram, private SleepTimerSystem {
  public:
    TMainWin() = default;
    ~TMainWin() override = default;
    TMainWin(const TMainWin&) = delete;
    TMainWin& operator=(const TMainWin&) = delete;

    // Creates the window; false when creation failed (the missing-plug-in
    // path ends here too, after its message).
    // `arguments`: the command line's names, absolute (see CommandLine.h).
    bool Create(HINSTANCE instance, std::vector<std::string> arguments);
    void Show(int showCommand);

    // Tab, Enter and Esc of the active play list window or settings dialog,
    // as a dialog box handles them; true when `message` was dealt with.
    bool HandleFormKeys(MSG& message);

    // A skin draws the panel (the settings dialog asks).
    bool SkinInUse() const;

    // Client area of the built-in panel.
    static constexpr int kPanelWidth = 268;
    static constexpr int kPanelHeight = 45;
    // Where the window opens before the settings place it.
    static constexpr int kDefaultLeft = 142;
    static constexpr int kDefaultTop = 113;

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
    void ShowByteMessage(const char* text);
    void EnableShutdownPrivilege();

    // Window placement and the end of a session (MainWindowSession.cpp).
    void LoadWindowParameter();
    void SaveWindowParameter();
    void SaveAtExit();
    void OnEndSession();

    // The panel (MainWindowPanel.cpp).
    PanelState CurrentPanel() const;
    void Paint();
    void Draw(const DrawList& list);
    void AfterTitleDrawn(const PaintResult& result);
    void OnTitleScrollTick();
    void OnPress(int x, int y);
    void OnMove(int x, int y, WPARAM keys);
    void OnRelease(int x, int y, PointerButton button);
    void WindowAction(int32_t code);
    void OnMixerControlChange(uint32_t controlId);

    // The about box and the settings dialog (MainWindowDialogs.cpp).
    void CreateDialogs();
    void DestroyDialogs();
    bool OnDialogCommand(WORD command);
    void ShowAboutBox();
    void ShowSettingsDialog();

    // SettingsProgram: what the settings dialog's Apply changes.
    int32_t PlayState() const override;
    void SetMenuPlayList(bool on) override;
    void HandToPlayListWindow(const SettingsFields& fields) override;
    void SetFileOpenOptions(const FileTypeOptions& options) override;
    void PostToPlayListWindow(int32_t command) override;
    void SetTrayIcon(bool on) override;

    // The play list window (MainWindowPlayList.cpp).
    bool CreatePlayListWindow();
    void HandSettingsToPlayListWindow();
    void HandPanelBoxToPlayListWindow();

    // Menus, dialogs and dropped files (MainWindowMenus.cpp).
    void CreateMenusAndLoading();
    void DestroyMenusAndLoading();
    void SaveReOpenHistory();
    void PopUpMenuAt(HMENU menu, POINT screen);
    void PopUpControlMenu(int x, int y);
    void OnMenuCommand(HMENU menu, UINT position);
    void FileOpen_MClick(bool add);
    void FolderOpen_MClick(bool add);
    bool ChooseFiles(std::vector<std::string>& chosen);
    bool ChooseFolder(std::string& folder);
    void OnDropFiles(HDROP drop);
    void MpegInfo_MClick();

    // Sleep timer and tray icon (MainWindowTray.cpp).
    void CreateTray();
    void AddTrayIcon();
    void RemoveTrayIcon();
    bool TrayIconCommand(DWORD command, int32_t state, const std::string* tip);
    void OnTrayNotify(LPARAM mouse);
    void OnTrayClickTimer();
    void PopUpTrayMenu();
    void Minimize();
    void TimerStart_MClick();
    void OnSleepTimerTick();
    // SleepTimerSystem.
    void StartMinuteTimer() override;
    void StopMinuteTimer() override;
    void CheckTimerItem(bool running) override;
    void RepaintPanel() override;
    void ShowInformation(const std::wstring& text) override;
    void SaveAll() override;
    void ShutDown(uint32_t flags) override;
    void CloseMainWindow() override;
    void StopPlayback() override;

  public:
    // For the settings dialog's Apply: the menu play list built again now
    // (or removed when it was switched off).
    void RebuildMenuPlayList(bool force);
    // The tray icon added (with the play state) or removed by TrayIcon.
    void ApplyTrayIcon();

  private:
    // The skin (MainWindowSkin.cpp).
    void CreateSkin();
    void DestroySkin();
    const PanelDrawLists& DrawLists() const;
    const PanelSheets* SkinSheets() const;
    const PanelHitTester& HitTester(const BuiltInHitTester& builtIn) const;
    void OnSkinScrollTimer();
    void OnTitleRedraw();

    // TransportView.
    void DrawPlayPause(bool pauseLit) override;
    void DrawStop(bool lit) override;
    void DrawTextsAndNumbers() override;
    void DrawRepeatIndicator() override;
    void DrawShuffleIndicator() override;
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
    bool SkinActive() const override { return SkinInUse(); }
    bool SkinHasSeparatePause() const override;
    void RestartSkinTitleScroll() override;
    void ResetTitleScroll() override { titleScroll.ResetOffset(); }

    HWND window = nullptr;
    std::vector<std::string> arguments;
    bool destroyed = false;

    PluginManager plugins;
    InputPlugin* input = nullptr;   // owned by its module
    OutputPlugin* output = nullptr; // owned by its module
    MixerPlugin* mixer = nullptr;   // owned by its module; may be null
    // The settings dialog and the fields it owns.
    std::unique_ptr<TForm10> settingsDialog;
    SettingsFields* settings = nullptr; // owned by settingsDialog
    WindowsFileAccess files;
    std::unique_ptr<TDrawInterfaceBitmap> skin; // null without UseSkin
    bool skinActive = true;                     // cleared when the skin fails to load
    std::unique_ptr<TOpenAudioFile> model;
    std::unique_ptr<TShuffle> shuffle;
    std::unique_ptr<VolumeLineCache> volumeLines; // with a mixer only
    std::unique_ptr<Transport> transport;
    std::unique_ptr<TForm2> about;
    std::unique_ptr<TForm3> playListWindow;

    PanelPointer pointer;
    TitleScroll titleScroll;
    bool titleScrollTimerRunning = false;

    std::unique_ptr<MainMenus> menus;
    std::unique_ptr<TFileNameList> history;
    std::unique_ptr<TMenuPlayList> menuPlayList;
    std::unique_ptr<ListLoader> loader;
    std::unique_ptr<SleepTimer> sleepTimer;
    bool trayIconShown = false;
    POINT trayPoint = {};
    UINT taskbarCreatedMessage = 0;
    int32_t sleepMinutesLeft = 0;
};
