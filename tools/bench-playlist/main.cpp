// Times the play list model at 10,000 items: adding, sorting by every key,
// sorting within groups, deleting one by one; and a folder walk and an M3U
// read at a few hundred thousand names. Prints milliseconds.
//   bench_playlist [items]
#include "FakeInput.h"
#include "M3UWriting.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "PlayListGrid.h"
#include "Stopwatch.h"
#include "RandomGenerator.h"
#include "SortKeys.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Tags that repeat the way a real collection's do: few artists, some albums.
class TaggingInput : public FakeInput {
  public:
    int32_t GetFileInfo(const char* fileName, InputFileInfo* info) override {
        const unsigned hash = Hash(fileName);
        std::snprintf(info->tag.artist, sizeof info->tag.artist, "Artist %u", hash % 200);
        std::snprintf(info->tag.album, sizeof info->tag.album, "Album %u", hash % 900);
        std::snprintf(info->tag.year, sizeof info->tag.year, "%u", 1960 + hash % 60);
        if (hash % 7 != 0) std::snprintf(info->tag.title, sizeof info->tag.title, "Title %u", hash);
        info->tag.genre = static_cast<int32_t>(hash % 256);
        info->playLength = static_cast<int32_t>(hash % 600);
        return 1;
    }

  private:
    static unsigned Hash(const char* text) {
        unsigned hash = 2166136261u;
        for (; *text != '\0'; ++text)
            hash = (hash ^ static_cast<unsigned char>(*text)) * 16777619u;
        return hash;
    }
};

void Report(const char* what, double milliseconds) {
    std::printf("%-44s %10.2f ms\n", what, milliseconds);
}

std::vector<std::string> TrackNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[96];
        std::snprintf(name, sizeof name, "C:\\music\\artist%03d\\album%02d\\%05d track.mp3",
                      i % 250, (i / 250) % 40, i);
        names.push_back(name);
    }
    return names;
}

void BenchStore(int count) {
    MemoryFileAccess files;
    TaggingInput input;
    TOpenAudioFile model(files, {});
    model.SetInput(&input);
    const std::vector<std::string> names = TrackNames(count);

    Stopwatch adding;
    model.AddFiles(names);
    Report(("AddFiles, " + std::to_string(count) + " names").c_str(), adding.Milliseconds());
    Stopwatch addingAgain;
    model.AddFiles(names);
    Report("AddFiles, the same names again (all duplicates)", addingAgain.Milliseconds());

    TInputItemDB& list = model.PlayList();
    const char* keyNames[] = {"number", "path",   "artist", "album",
                              "title",  "length", "year",   "genre"};
    for (int32_t key = kKeyTrailingNumber; key <= kKeyGenre; ++key) {
        Stopwatch sorting;
        list.SortItems(key, true);
        Report((std::string("SortItems by ") + keyNames[key]).c_str(), sorting.Milliseconds());
    }
    Stopwatch sortedAgain;
    list.SortItems(kKeyGenre, true);
    Report("SortItems by genre, already sorted", sortedAgain.Milliseconds());

    list.SortItems(kKeyArtist, true);
    Stopwatch grouping;
    list.SortWithinGroups(kKeyArtist, kKeyTitle, true);
    Report("SortWithinGroups artist / title", grouping.Milliseconds());
    list.SortItems(kKeyAlbum, true);
    Stopwatch albums;
    list.SortWithinGroups(kKeyAlbum, kKeyTrailingNumber, true);
    Report("SortWithinGroups album / number", albums.Milliseconds());

    RandomGenerator random;
    random.Seed(1);
    Stopwatch deleting;
    for (int i = 0; i < 1000 && list.GetCount() > 0; ++i) {
        list.DeleteItem(1 + random.Next31() % list.GetCount());
    }
    Report("DeleteItem x 1000, random positions", deleting.Milliseconds());
    Stopwatch deletingFirst;
    for (int i = 0; i < 1000 && list.GetCount() > 0; ++i)
        list.DeleteItem(1);
    Report("DeleteItem x 1000, always the first", deletingFirst.Milliseconds());
    std::vector<int32_t> selection;
    for (int32_t number = 1; number <= list.GetCount() && selection.size() < 1000; number += 7) {
        selection.push_back(number);
    }
    Stopwatch deletingSelection;
    list.DeleteItems(selection);
    Report("DeleteItems, a selection of 1000", deletingSelection.Milliseconds());

    // What one whole-block copy costs: the price per operation of a store
    // whose reallocation always moves, or a delete that copies twice.
    std::vector<char> from(size_t(count) * sizeof(ItemRecord), 'x');
    std::vector<char> to(from.size());
    Stopwatch copying;
    for (int i = 0; i < 100; ++i)
        std::memcpy(to.data(), from.data(), from.size());
    Report("one copy of the whole block (mean of 100)", copying.Milliseconds() / 100);
    std::printf("  (checksum %d)\n", to[to.size() / 2]);

    TInputItemDB grown;
    Stopwatch appending;
    for (int i = 0; i < count * 5; ++i)
        grown.AppendItem();
    Report(("AppendItem x " + std::to_string(count * 5)).c_str(), appending.Milliseconds());

    Stopwatch formatting;
    const std::string text = FormatM3U(model.PlayList(), "C:\\music\\lists\\all.m3u", true);
    Report("FormatM3U, relative", formatting.Milliseconds());
    files.AddFile("C:\\music\\lists\\all.m3u", text);
    std::vector<std::string> read;
    Stopwatch reading;
    model.ReadM3U("C:\\music\\lists\\all.m3u", read);
    Report(("ReadM3U, " + std::to_string(read.size()) + " lines").c_str(), reading.Milliseconds());
}

class NoRequests : public PlayListRequests {
  public:
    void Post(int32_t) override {}
    int32_t InputState() override { return 0; }
    void EntryCountChanged() override {}
    void ShowMessage(PlayListMessage) override {}
};

// The play list window's work at `count` entries: every cell text of every
// row in each mode, a click on each column title (both lists sorted with the
// refinements, then every visible cell refilled), moving rows.
void BenchGrid(int count) {
    MemoryFileAccess files;
    TaggingInput input;
    TOpenAudioFile model(files, {});
    model.SetInput(&input);
    model.AddFiles(TrackNames(count));
    NoRequests requests;
    PlayListGrid grid(model, requests);
    const char* modeNames[] = {"list", "edit", "unite"};
    size_t bytes = 0;
    for (int32_t mode : {kListMode, kEditMode, kUniteMode}) {
        grid.SetupListMode(mode);
        Stopwatch filling;
        for (int32_t row = 1; row <= grid.RowCount(); ++row) {
            for (int32_t column = 0; column < int32_t(grid.Columns().size()); ++column)
                bytes += grid.CellText(row, column).size();
        }
        Report((std::string("grid: every cell, ") + modeNames[mode] + " mode").c_str(),
               filling.Milliseconds());
    }
    grid.SetupListMode(kEditMode); // every column but Comment sorts
    for (int32_t column = 1; column < int32_t(grid.Columns().size()); ++column) {
        Stopwatch sorting;
        grid.SortByColumn(column);
        for (int32_t row = 1; row <= 40; ++row) // one screen of rows
            for (int32_t cell = 0; cell < int32_t(grid.Columns().size()); ++cell)
                bytes += grid.CellText(row, cell).size();
        Report((std::string("grid: sort both lists by ") + grid.Columns()[column].title).c_str(),
               sorting.Milliseconds());
    }
    Stopwatch moving;
    grid.SelectCell(1, count / 2);
    for (int i = 0; i < 1000; ++i) {
        if (i % 2 == 0)
            grid.MoveDown();
        else
            grid.MoveUp();
    }
    Report("grid: 1000 moves", moving.Milliseconds());
    std::printf("  (%zu bytes of cell text)\n", bytes);
}

void BenchFolderWalk(int folders, int filesPerFolder) {
    MemoryFileAccess files;
    for (int folder = 0; folder < folders; ++folder) {
        const std::string path =
            "C:\\big\\disc" + std::to_string(folder / 100) + "\\f" + std::to_string(folder) + "\\";
        for (int file = 0; file < filesPerFolder; ++file) {
            files.AddFile(path + std::to_string(file) + ".mp3");
        }
    }
    TOpenAudioFile model(files, {});
    std::vector<std::string> list;
    Stopwatch walking;
    model.ScanFolder(list, "C:\\big");
    Report(("ScanFolder, " + std::to_string(list.size()) + " files").c_str(),
           walking.Milliseconds());
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count < 1000) {
        std::fprintf(stderr, "bench_playlist: at least 1000 items\n");
        return 1;
    }
    BenchStore(count);
    BenchGrid(count);
    BenchFolderWalk(3000, 100);
    return 0;
}
