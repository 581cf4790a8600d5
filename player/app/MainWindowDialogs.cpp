// The main window's side of the settings dialog and the about box, and what
// the settings dialog's Apply changes in the running program.
#include "MainWindow.h"

#include "AboutVersions.h"
#include "DialogCommands.h"
#include "HostCallback.h"
#include "ProgramFolder.h"

void TMainWin::CreateDialogs() {
    // The settings dialog reads the settings file now; its window and the
    // about box's wait for their first showing.
    SettingsProgram& program = *this;
    settingsDialog = std::make_unique<TForm10>(window, mixer, program, DefaultSettingsPath());
    settings = &settingsDialog->Fields();
    about = std::make_unique<TForm2>(window);
}

void TMainWin::DestroyDialogs() {
    about.reset();
    volumeLines.reset(); // reads the fields
    settings = nullptr;
    settingsDialog.reset();
}

bool TMainWin::OnDialogCommand(WORD command) {
    switch (command) {
    case kShowAboutBoxCommand:
        ShowAboutBox();
        return true;
    case kShowSettingsCommand:
        ShowSettingsDialog();
        return true;
    }
    return false;
}

bool TMainWin::HandleFormKeys(MSG& message) {
    // Key presses only: a handled Tab, Enter or Esc makes no character, and
    // characters keep the loop's ANSI path, where a double-byte character
    // comes as two messages that only DispatchMessageA joins again.
    if (message.message != WM_KEYDOWN) return false;
    HWND active = GetActiveWindow();
    if (!active || active == window) return false;
    const bool form = (playListWindow && active == playListWindow->Handle()) ||
                      (settingsDialog && active == settingsDialog->Handle());
    // The grid and its cell editor ask for the keys they handle themselves
    // (WM_GETDLGCODE), so Enter, Esc and Delete stay theirs.
    return form && IsDialogMessageW(active, &message);
}

// About_MClick: the versions are asked at every showing.
void TMainWin::ShowAboutBox() {
    if (!about) return;
    about->SetVersions(AskVersions(*input, *output, mixer));
    about->ShowModal();
}

// Setup_MClick.
void TMainWin::ShowSettingsDialog() {
    if (settingsDialog) settingsDialog->Show();
}

int32_t TMainWin::PlayState() const {
    return input ? input->GetState() : kInputStopped;
}

void TMainWin::SetFileOpenOptions(const FileTypeOptions& options) {
    if (model) model->SetOptions(options);
}

// The fields handed over are the settings dialog's own, which `settings`
// points to.
void TMainWin::HandToPlayListWindow(const SettingsFields&) {
    if (playListWindow) HandSettingsToPlayListWindow();
}

void TMainWin::PostToPlayListWindow(int32_t command) {
    if (playListWindow)
        PostMessageA(playListWindow->Handle(), kHostCallbackMessage, static_cast<WPARAM>(command),
                     0);
}

void TMainWin::SetMenuPlayList(bool) {
    RebuildMenuPlayList(true);
}

void TMainWin::SetTrayIcon(bool) {
    ApplyTrayIcon();
}
