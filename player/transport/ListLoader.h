// Every way of filling the play list from the user's choice: the open
// dialog, the folder browser, the re-open history, dropped files, the
// command line and a second instance's hand-over. The dialogs themselves are
// the main window's; this class gets their results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FileNameList.h"
#include "OpenAudioFile.h"
#include "SettingsFields.h"
#include "Transport.h"
#include "TransportView.h"

struct ListLoaderParts {
    Transport& transport;
    TOpenAudioFile& model;
    const SettingsFields& settings;
    TFileNameList& history;
    TransportView& view;
    FileAccess& files;
    // The panel's texts for an empty list.
    const char* idleTitle;
    const char* idleSubtitle;
};

class ListLoader {
  public:
    explicit ListLoader(const ListLoaderParts& parts) : parts(parts) {}

    // Files chosen in the open dialog, in the dialog's order.
    void OpenFiles(const std::vector<std::string>& chosen, bool add);
    // The folder chosen in the folder browser.
    void OpenFolder(const std::string& folder, bool add);
    // An entry of the re-open history ("C:\music\").
    void ReOpen(const std::string& entry, bool replace);
    // Names dropped on the main or the play list window.
    void DropFiles(const std::vector<std::string>& names);
    void OpenCommandLine(const std::vector<std::string>& arguments);
    // The list a second instance handed over in the file at `path`.
    void OpenHandover(const std::string& path);

    // Empties both lists and shows the idle panel.
    void ClearList();
    // The folder of `name` (the name itself when it is a folder) becomes the
    // open dialogs' starting folder and the newest re-open entry. A name
    // without any folder records nothing.
    void RememberFolder(const std::string& name);
    // Where the open dialog and the folder browser start.
    const std::string& LastFolder() const { return lastFolder; }

  private:
    // Stops playback and empties both lists.
    void StopAndEmpty();
    // Add mode only makes sense for a list that holds something.
    bool AddModeFor(bool add) const;
    // The folder's CD tracks (for a drive root) and files.
    std::vector<std::string> FolderContents(const std::string& folder);
    // The common tail: the panel's state, the play list window, playback.
    void Finish(int32_t first, bool add);

    ListLoaderParts parts;
    std::string lastFolder = "c:\\";
};
