// bench_playlistwindow: times the play list window of a running Quorel on
// 10,000 entries under real input (SendInput), read from this process.
//   open    the panel's list button clicked → the window shown, holding every
//           entry, nothing left to paint (target 300 ms)
//   click   a column title clicked → another entry on top, painted (250 ms)
//   page    PageDown → the focus a page further, painted (30 ms)
// "Painted" is the window's own state: no update region left in the window,
// the grid or its header (GetUpdateRect), read back every millisecond.
//   bench_playlistwindow [PAGES [ENTRIES]]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h> // the file helpers below check as they go

#include "Genres.h"
#include "Harness.h"
#include "Stopwatch.h"
#include "TessalyTestSupport.h"

namespace {

using tessaly_test::Bytes;

constexpr int kColumns = 8;        // every column shown; the grid's column 0 is the row number
constexpr int kFileNameColumn = 7; // in the grid, after the row numbers
// The built-in panel's list button.
constexpr int kListButtonX = 232;
constexpr int kListButtonY = 22;
constexpr DWORD kStepTimeoutMs = 10000;
constexpr const wchar_t* kTitles[kColumns] = {L"Title", L"Artist",  L"Album",    L"Year",
                                              L"Genre", L"Comment", L"FileName", L"Time"};
// The grid column of Comment, no sort key: its title only turns the shared
// direction round, so it is not timed.
constexpr int kCommentColumn = 6;

void PutInfo(Bytes& list, const char* id, const std::string& text) {
    list.insert(list.end(), id, id + 4);
    tessaly_test::Put32(list, uint32_t(text.size() + 1));
    list.insert(list.end(), text.begin(), text.end());
    list.push_back(0);
    if (list.size() % 2) list.push_back(0);
}

// A quiet A-law WAVE of 0 to 2 s whose RIFF INFO tags are drawn at random, so
// that every column orders the entries differently.
Bytes EntryFile(std::mt19937& random) {
    auto pick = [&](int count) { return int(random() % uint32_t(count)); };
    auto text = [](const char* format, int value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        return std::string(buffer);
    };
    Bytes info = {'I', 'N', 'F', 'O'};
    PutInfo(info, "INAM", text("Title %05d", pick(100000)));
    PutInfo(info, "IART", text("Artist %04d", pick(3000)));
    PutInfo(info, "IPRD", text("Album %04d", pick(2000)));
    PutInfo(info, "ICRD", text("%d", 1900 + pick(125)));
    PutInfo(info, "ICMT", text("Comment %05d", pick(100000)));
    PutInfo(info, "IGNR", GenreNameOf(pick(kGenreCount)));
    Bytes list = {'L', 'I', 'S', 'T'};
    tessaly_test::Put32(list, uint32_t(info.size()));
    list.insert(list.end(), info.begin(), info.end());
    return tessaly_test::MakeWave(6, 1, 8000, Bytes(size_t(4000) * pick(5), 0xD5), list);
}

// The entries and an M3U naming them in order.
std::string MakeEntries(const harness::ScratchFolder& folder, int entries) {
    std::mt19937 random(20261207);
    std::string m3u;
    for (int n = 0; n < entries; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "e%05d.wav", n);
        tessaly_test::WriteFile(folder / name, EntryFile(random));
        m3u += folder / name + "\r\n";
    }
    const std::string path = folder / "entries.m3u";
    tessaly_test::WriteFile(path, Bytes(m3u.begin(), m3u.end()));
    return path;
}

// Every column shown, nothing played at start.
void StoreSettings(const harness::ScratchTree& tree) {
    std::string ini = "[PlayOption]\r\nAutoPlay=0\r\n[PlayListMode]\r\n";
    for (const char* key : {"TitleOn", "ArtistOn", "AlbumOn", "YearOn", "GenreOn", "CommentOn",
                            "FileNameOn", "TimeOn"})
        ini += std::string(key) + "=1\r\n";
    tessaly_test::WriteFile(tree.folder() + "\\Quorel.ini", Bytes(ini.begin(), ini.end()));
}

// Polls `done` every millisecond until it holds; the milliseconds on
// `clock` then, or -1 after the time-out. A poll that never slept would
// take one of this machine's two processors from Quorel and the Wine server
// both of them need, and its messages would queue behind Quorel's own.
template <typename Condition> double MsUntil(const Stopwatch& clock, Condition done) {
    while (!done()) {
        if (clock.Milliseconds() > kStepTimeoutMs) return -1;
        Sleep(1);
    }
    return clock.Milliseconds();
}

// The processor time Quorel has used, in ms (user and kernel): the figures
// beside the elapsed ones, which a busy machine stretches.
double CpuMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& time) {
        return double((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

bool NothingToPaint(HWND window) {
    RECT area;
    return !GetUpdateRect(window, &area, FALSE);
}

struct Window {
    HWND form = nullptr;
    HWND grid = nullptr;
    HWND header = nullptr;

    bool Painted() const {
        return NothingToPaint(form) && NothingToPaint(grid) && NothingToPaint(header);
    }
    int Count() const { return int(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0)); }
    int Top() const { return int(SendMessageW(grid, LVM_GETTOPINDEX, 0, 0)); }
    int Focused() const {
        return int(SendMessageW(grid, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    }
    std::wstring TopEntry() const { return harness::ListViewCell(grid, Top(), kFileNameColumn); }
};

// A click at a client point of the window or a child of it, sent through its
// top-level window, which is in the foreground already: nothing waits.
void Click(HWND window, int x, int y) {
    POINT point{x, y};
    HWND top = GetAncestor(window, GA_ROOT);
    MapWindowPoints(window, top, &point, 1);
    harness::Click(top, point.x, point.y);
}

void PrintFigure(const char* what, const wchar_t* name, double ms, double cpuMs, double target) {
    if (ms < 0)
        std::printf("%s %ls: no change within %lu ms\n", what, name, kStepTimeoutMs);
    else
        std::printf("%s %ls: %.1f ms (target %.0f), Quorel's processor time %.0f ms\n", what, name,
                    ms, target, cpuMs);
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int kEntries = argc > 2 ? std::max(100, std::atoi(argv[2])) : 10000;
    harness::ScratchTree tree;
    harness::ScratchFolder media;
    StoreSettings(tree);
    const Stopwatch writing;
    const std::string m3u = MakeEntries(media, kEntries);
    std::printf("%d entries written in %.0f ms\n", kEntries, writing.Milliseconds());

    // The list is read before the main window shows.
    const Stopwatch starting;
    harness::Process quorel(tree.program(), {m3u});
    HWND main = harness::WaitForMainWindow(quorel.id(), 600000);
    Window shown;
    shown.form = FindWindowW(L"QuorelPlayList", nullptr);
    shown.grid = shown.form ? FindWindowExW(shown.form, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    shown.header = HWND(SendMessageW(shown.grid, LVM_GETHEADER, 0, 0));
    if (!main || !shown.header) {
        std::fprintf(stderr, "Quorel or its play list window did not come up\n");
        return 1;
    }
    if (!harness::WaitUntil([&] { return shown.Count() == kEntries; }, 600000)) {
        std::fprintf(stderr, "the list holds %d entries, not %d\n", shown.Count(), kEntries);
        return 1;
    }
    std::printf("Quorel started with the list in %.0f ms\n", starting.Milliseconds());

    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    double cpu = CpuMs(process);
    auto cpuUsed = [&] {
        const double before = cpu;
        cpu = CpuMs(process);
        return cpu - before;
    };

    SetForegroundWindow(main);
    harness::WaitUntil([&] { return GetForegroundWindow() == main; }, 2000);
    cpuUsed();
    const Stopwatch opening;
    Click(main, kListButtonX, kListButtonY);
    const double opened = MsUntil(opening, [&] {
        return IsWindowVisible(shown.form) && shown.Count() == kEntries && shown.Top() == 0 &&
               shown.Painted();
    });
    PrintFigure("open", L"the list", opened, cpuUsed(), 300);

    // Each title twice (both directions), from the left.
    harness::WaitUntil([&] { return GetForegroundWindow() == shown.form; }, 2000);
    for (int pass = 0; pass < 2; ++pass) {
        for (int column = 1; column <= kColumns; ++column) {
            if (column == kCommentColumn) continue;
            int left = 0;
            for (int before = 0; before < column; ++before)
                left += int(SendMessageW(shown.grid, LVM_GETCOLUMNWIDTH, before, 0));
            const int width = int(SendMessageW(shown.grid, LVM_GETCOLUMNWIDTH, column, 0));
            const std::wstring top = shown.TopEntry();
            cpuUsed();
            const Stopwatch sorting;
            Click(shown.header, left + width / 2, 5);
            const double sorted =
                MsUntil(sorting, [&] { return shown.TopEntry() != top && shown.Painted(); });
            PrintFigure("click", kTitles[column - 1], sorted, cpuUsed(), 250);
        }
    }

    // Pages from the first row.
    RECT headerBox;
    GetWindowRect(shown.header, &headerBox);
    Click(shown.grid, 40, headerBox.bottom - headerBox.top + 7);
    harness::WaitUntil([&] { return shown.Focused() >= 0 && shown.Painted(); }, 2000);
    std::vector<double> times;
    cpuUsed();
    for (int page = 0; page < pages; ++page) {
        const int focused = shown.Focused();
        const Stopwatch paging;
        harness::PressKey(VK_NEXT);
        const double ms =
            MsUntil(paging, [&] { return shown.Focused() != focused && shown.Painted(); });
        if (ms < 0) {
            std::printf("page %d: no change within %lu ms\n", page + 1, kStepTimeoutMs);
            break;
        }
        times.push_back(ms);
    }
    const double pageCpu = cpuUsed();
    if (!times.empty()) {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        std::printf("page: %zu pages to row %d, min %.1f, median %.1f, max %.1f ms (target 30), "
                    "Quorel's processor time %.1f ms a page\n",
                    sorted.size(), shown.Top() + 1, sorted.front(), sorted[sorted.size() / 2],
                    sorted.back(), pageCpu / double(sorted.size()));
    }
    if (process) CloseHandle(process);
    PostMessageW(main, WM_CLOSE, 0, 0);
    quorel.WaitForExit();
    return 0;
}
