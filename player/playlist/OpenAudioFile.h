#pragma once

#include "FileAccess.h"
#include "InputItemDB.h"
#include "Messages.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class InputPlugin;

// The six file-type settings, copied from the settings at start-up and after
// the settings dialog is applied.
struct FileTypeOptions {
    bool noSubfolders = false; // NotReflexive
    bool noMpeg = false;       // NotOpenMP3
    bool noWav = false;        // NotOpenWAV
    bool noRmp = false;        // NotOpenRMP
    bool noM3U = false;        // NotOpenM3U
    bool noCD = false;         // NotOpenCDA
};

// Turns the names a user gives (files, folders, CD drive roots, M3U lists)
// into play list items. ScanFolder, AddCDTracks and ReadM3U only gather
// names; AddFiles turns gathered names into items.
class TOpenAudioFile {
  public:
    TOpenAudioFile(FileAccess& files, MessageSink messages);

    TInputItemDB& PlayList() { return playList_; }
    TInputItemDB& EditList() { return editList_; }
    const TInputItemDB& PlayList() const { return playList_; }
    const TInputItemDB& EditList() const { return editList_; }
    void SetInput(InputPlugin* input) { input_ = input; }
    void SetOptions(const FileTypeOptions& options) { options_ = options; }
    const FileTypeOptions& Options() const { return options_; }

    // Appends an item to both lists for every name the input plug-in can
    // read and the play list does not hold yet. False when no input is set,
    // the list is empty or memory runs out.
    bool AddFiles(const std::vector<std::string>& names);
    // Appends the audio files of `folder` (no trailing backslash) and its
    // subfolders, sorted without regard to case, then the entries of the
    // M3U lists in the folder itself, in their order.
    void ScanFolder(std::vector<std::string>& list, const std::string& folder);
    // Appends the track names of the CD in the drive that `path` ("D:\")
    // names.
    void AddCDTracks(std::vector<std::string>& list, const std::string& path);
    // Appends the entries of an M3U list, relative ones resolved against the
    // list's folder; folder entries are scanned.
    void ReadM3U(const std::string& path, std::vector<std::string>& list);

    // The start-up order for command-line arguments: files and scanned
    // folders sorted together, then the entries of M3U arguments.
    std::vector<std::string> GatherArguments(const std::vector<std::string>& arguments);
    // Replaces both lists by the items of the command-line arguments; false
    // when nothing was accepted (or there are no arguments: then nothing is
    // cleared).
    bool OpenArguments(const std::vector<std::string>& arguments);
    // The names a second instance handed over in the list at `path`, M3U
    // entries among them expanded (unless M3U lists are not to be opened).
    std::vector<std::string> ReadHandoverList(const std::string& path);

    // Entry operations on both lists at once, so that entry n of the edit
    // list is always entry n of the play list. Each entry's modified flag
    // (edited, not yet saved) and the play list's current entry follow their
    // entry. False, with nothing changed, for numbers outside the lists.
    bool SwapEntries(int32_t a, int32_t b);
    bool DeleteEntry(int32_t number);
    // Puts old entry order[i] at place i + 1 (see TInputItemDB::Reorder).
    bool ReorderEntries(const std::vector<int32_t>& order);
    void ClearLists();
    bool IsModified(int32_t number) const;
    void SetModified(int32_t number, bool modified);

  private:
    friend class ListNesting;

    bool AppendToBothLists(const ItemRecord& record);
    void FitFlags();
    void ScanFolderLine(std::vector<std::string>& list, const std::string& entry);
    void Show(const char* text) const;

    TInputItemDB playList_;
    TInputItemDB editList_;
    InputPlugin* input_ = nullptr;
    FileTypeOptions options_;
    FileAccess& files_;
    MessageSink messages_;
    // Folders already walked during one outermost ScanFolder or ReadM3U call,
    // so links, junctions and lists naming their own folder end.
    std::set<std::string> visitedFolders_;
    int nesting_ = 0;
    std::vector<uint8_t> modified_; // one flag per entry, in list order
};
