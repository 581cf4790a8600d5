// The main window's side of the about box and the settings dialog.
#include "MainWindow.h"

#include "AboutVersions.h"
#include "DialogCommands.h"

void TMainWin::CreateDialogs() {
    about = std::make_unique<TForm2>(window);
}

void TMainWin::DestroyDialogs() {
    about.reset();
}

bool TMainWin::OnDialogCommand(WORD command) {
    switch (command) {
    case kShowAboutBoxCommand:
        ShowAboutBox();
        return true;
    }
    return false;
}

// About_MClick: the versions are asked at every showing.
void TMainWin::ShowAboutBox() {
    if (!about || !about->Created()) return;
    about->SetVersions(AskVersions(*input, *output, mixer));
    about->ShowModal();
}
