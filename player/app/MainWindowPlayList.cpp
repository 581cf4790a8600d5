// The main window's side of the play list window: creating it, handing it
// the settings and the panel's place, showing it and keeping its grid in step.
#include "MainWindow.h"

bool TMainWin::CreatePlayListWindow() {
    playListWindow = std::make_unique<TForm3>(window, input, *model, [this] {
        // An order built for the old count would name entries that are gone.
        if (transport && transport->ShuffleMode == kShuffleOn)
            shuffle->Rebuild(model->PlayList().GetCount());
    });
    if (!playListWindow->Create(GetModuleHandleA(nullptr))) return false;
    HandSettingsToPlayListWindow();
    // Made after the command line's files started playing: they are listed
    // already, and the playing one is the current row.
    RebuildPlayList();
    SelectPlayListRow(model->PlayList().GetCurrent());
    return true;
}

void TMainWin::HandSettingsToPlayListWindow() {
    PlayListSettings handed;
    handed.leftColor = settings->LeftColor;
    handed.rightColor = settings->RightColor;
    handed.saveRelativePath = settings->SaveRelativePath;
    handed.columns = {settings->TitleOn,    settings->ArtistOn, settings->AlbumOn,
                      settings->YearOn,     settings->GenreOn,  settings->CommentOn,
                      settings->FileNameOn, settings->TimeOn};
    playListWindow->SetSettings(handed);
    HandPanelBoxToPlayListWindow();
}

void TMainWin::HandPanelBoxToPlayListWindow() {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return;
    playListWindow->SetMainWindowBox(
        Box{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top});
}

void TMainWin::ShowPlayListWindow() {
    if (!playListWindow) return;
    HandPanelBoxToPlayListWindow();
    playListWindow->Show();
}

void TMainWin::SelectPlayListRow(int number) {
    if (playListWindow) playListWindow->SelectRow(number);
}

void TMainWin::RebuildPlayList() {
    if (playListWindow) playListWindow->FillGrid();
}
