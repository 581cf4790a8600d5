// The settings dialog: owns the settings fields from start-up to the end,
// shows and edits them on seven pages, applies them to the running program
// and saves or loads other settings files. Shown modeless; its window is
// created at the first showing and only hidden when closed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "BorderlessFrame.h"
#include "FormWindow.h"
#include "MixerPlugin.h"
#include "SettingsDialogModel.h"
#include "SettingsFields.h"
#include "SettingsPages.h"

class TForm10 {
  public:
    static constexpr wchar_t kClassName[] = L"QuorelSettingsDialog";
    static constexpr int kClientWidth = 276;
    static constexpr int kClientHeight = 251;

    // FormCreate: the fields from the settings file beside the program
    // (`defaultIniPath`), following its redirection. `mixer` may be null.
    TForm10(HWND mainWindow, MixerPlugin* mixer, SettingsProgram& program,
            const std::string& defaultIniPath);
    ~TForm10();
    TForm10(const TForm10&) = delete;
    TForm10& operator=(const TForm10&) = delete;

    SettingsFields& Fields() { return fields; }
    // Setup_MClick: shows the dialog (modeless) with the fields.
    void Show();
    // Null until the first showing.
    HWND Handle() const { return window; }

  private:
    friend LRESULT CALLBACK FormProcedure<TForm10>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateFormWindow();
    void AddPage(int index, const SettingsPage& page, const RECT& area);
    void FillFixedLists();
    void FillVolumeList(int listId, int32_t device);
    void ShowPage(int index);
    void FormShow();
    void WriteControls();
    void ReadControls();
    HWND Control(int id) const { return GetDlgItem(window, id); }

    void OnCommand(int id, int code);
    void CheckBoxClicked(SettingsCheck check);
    void DeviceListChanged(bool cd);
    void ColourButtonClicked(bool right);
    void Apply_BtClick();
    void SaveSINI_BtClick();
    void LoadSINI_BtClick();
    void ShowSettingsMessage(SettingsMessage message);
    void Close() { ShowWindow(window, SW_HIDE); }
    void DrawColorSample(const DRAWITEMSTRUCT& item) const;

    HWND window = nullptr;
    HWND mainWindow;
    MixerPlugin* mixer; // owned by its module; may be null
    SettingsProgram& program;
    SettingsFields fields;
    SettingsControls controls;
    BorderlessFrame frame;
    FormFont font;
    HWND hints = nullptr;
    // The controls of each page, shown while its tab is selected.
    std::vector<std::vector<HWND>> pages;
    int currentPage = 0;
    bool writing = false; // WriteControls is setting the controls
};
