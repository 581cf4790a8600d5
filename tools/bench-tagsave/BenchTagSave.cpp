// Times what "保存" and "変更" do on a long list: the grid's tag save over
// marked MP3s with the shipped input plug-in's writers, and the renaming of
// every file with MoveFileA. The files are copies of one MP3, made in a
// scratch folder at each size; the figures per file at two sizes show
// whether anything in the loops grows with the list.
//   bench-tagsave <Plugin folder> <MP3 file> <scratch folder>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "OpenAudioFile.h"
#include "PlayListGrid.h"
#include "Stopwatch.h"
#include "PluginManager.h"
#include "WindowsFileAccess.h"
#include "WindowsFileMover.h"

namespace {

class QuietRequests : public PlayListRequests {
  public:
    int32_t messages = 0;
    void Post(int32_t) override {}
    int32_t InputState() override { return 0; }
    void EntryCountChanged() override {}
    void ShowMessage(PlayListMessage) override { ++messages; }
};

void Report(const char* what, int files, double milliseconds) {
    std::printf("%-34s %5d files %9.1f ms %7.3f ms a file\n", what, files, milliseconds,
                milliseconds / files);
}

// Copies of `mp3` named 0001.mp3 ... in `folder`.
std::vector<std::string> MakeFiles(const std::string& mp3, const std::string& folder, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "\\%04d.mp3", i);
        names.push_back(folder + name);
        if (!CopyFileA(mp3.c_str(), names.back().c_str(), FALSE)) return {};
    }
    return names;
}

bool Bench(InputPlugin& input, const std::string& mp3, const std::string& folder, int count) {
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    const std::vector<std::string> names = MakeFiles(mp3, folder, count);
    WindowsFileAccess files;
    TOpenAudioFile lists(files, {});
    lists.SetInput(&input);
    if (names.empty() || !lists.AddFiles(names) || lists.PlayList().GetCount() != count)
        return false;

    QuietRequests requests;
    PlayListGrid grid(lists, requests);
    grid.SetupListMode(kEditMode);
    for (int32_t row = 1; row <= count; ++row)
        grid.SetEditText(1, row, "Title " + std::to_string(row));
    Stopwatch saving;
    grid.SaveTags(input);
    Report("save tags (Lyrics3 and ID3v1)", count, saving.Milliseconds());

    grid.SetupListMode(kUniteMode);
    grid.SetUniteNaming({true, true, "-"});
    WindowsFileMover mover;
    Stopwatch renaming;
    const bool renamed = grid.RenameFiles(mover);
    Report("rename (NN-Title N.mp3)", count, renaming.Milliseconds());

    bool removed = true;
    for (int32_t row = 1; row <= count; ++row)
        removed = DeleteFileA(lists.PlayList().GetItem(row)->path) && removed;
    RemoveDirectoryA(folder.c_str());
    return requests.messages == 0 && renamed && removed;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench-tagsave <Plugin folder> <MP3 file> <scratch folder>\n");
        return 2;
    }
    PluginManager plugins;
    InputPlugin* input = plugins.LoadInput((std::string(argv[1]) + "\\Tessaly.dll").c_str());
    if (input == nullptr) {
        std::fprintf(stderr, "Tessaly.dll does not load from %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int count : {100, 1000}) {
        if (!Bench(*input, argv[2], std::string(argv[3]) + "\\" + std::to_string(count), count)) {
            std::fprintf(stderr, "the run over %d files failed\n", count);
            ok = false;
        }
    }
    input->Close();
    return ok ? 0 : 1;
}
