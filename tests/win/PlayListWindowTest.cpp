// The play list window under real input: the panel's list button opens it in
// list mode, a double-click plays a row, a title click sorts, Ctrl+Down and
// Delete change the rows, "AC" empties the list. The grid is read from this
// process, as a user would read the screen.
#include <gtest/gtest.h>

#include "Harness.h"

#include <commctrl.h>

#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;
using Cells = std::vector<std::wstring>;

std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "\\input\\" + name;
}

// Quiet 8 kHz mono PCM of the given length.
Bytes QuietWave(int seconds) {
    return MakeWave(1, 1, 8000, Bytes(size_t(16000) * seconds, 0));
}

// The built-in panel's list button (227, 17; 11 x 11).
constexpr int kListButtonX = 232;
constexpr int kListButtonY = 22;
constexpr int kRowHeight = 15;

Cells Column(const harness::ListViewContents& contents, size_t column) {
    Cells cells;
    for (const Cells& row : contents.rows)
        cells.push_back(column < row.size() ? row[column] : L"?");
    return cells;
}

class Grid {
  public:
    explicit Grid(HWND view) : view(view) {
        header = reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0));
        RECT box;
        GetWindowRect(header, &box);
        headerHeight = box.bottom - box.top;
    }
    harness::ListViewContents Read() const {
        harness::ListViewContents contents;
        EXPECT_TRUE(harness::ReadListView(view, contents));
        return contents;
    }
    // Waits until column `column` reads `expected`.
    bool WaitForColumn(size_t column, const Cells& expected) const {
        return harness::WaitUntil([&] { return Column(Read(), column) == expected; });
    }
    // A point in row `row` (1-based), in column 1.
    POINT Cell(int row) const { return POINT{21 + 30, headerHeight + (row - 1) * kRowHeight + 7}; }

    HWND view;
    HWND header = nullptr;
    int headerHeight = 0;
};

TEST(PlayListWindow, ListModeShowsPlaysSortsMovesDeletesAndClears) {
    harness::ScratchTree tree;
    const std::string folder = tree.folder();
    WriteFile(folder + "\\a.wav", QuietWave(61));
    WriteFile(folder + "\\b.wav", QuietWave(62));
    WriteFile(folder + "\\c.mp3", ReadFile(Fixture("tone-22k-tagged.mp3"))); // 3 s, tagged
    WriteFile(folder + "\\d.wav", QuietWave(3723));
    WriteFile(folder + "\\e.wav", QuietWave(64));
    harness::Process quorel(tree.program(),
                            {folder + "\\e.wav", folder + "\\c.mp3", folder + "\\a.wav",
                             folder + "\\d.wav", folder + "\\b.wav"});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"  :  : Quorel"; }))
        << "item 1 does not play";

    harness::Click(main, kListButtonX, kListButtonY);
    HWND window = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        return (window = harness::FindVisibleWindow(quorel.id(), "QuorelPlayList"));
    })) << "the list button shows no play list window";
    RECT frame;
    ASSERT_TRUE(GetClientRect(window, &frame));
    EXPECT_EQ(frame.right, 481);
    EXPECT_EQ(frame.bottom, 232);
    const Grid grid(FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr));
    ASSERT_NE(grid.view, nullptr);

    // The default columns (Title, Artist, Album, Time) in command-line order
    // sorted by path; a blank title shows the file name.
    const harness::ListViewContents shown = grid.Read();
    EXPECT_EQ(shown.titles, (Cells{L"<->", L"Title", L"Artist", L"Album", L"Time"}));
    EXPECT_EQ(shown.widths, (std::vector<int>{21, 100, 100, 100, 40}));
    const std::vector<Cells> rows = {
        {L"1", L"a.wav", L"", L"", L"01:01"},
        {L"2", L"b.wav", L"", L"", L"01:02"},
        {L"3", L"Tone", L"Quorel", L"Fixtures", L"00:03"},
        {L"4", L"d.wav", L"", L"", L"62:03"},
        {L"5", L"e.wav", L"", L"", L"01:04"},
    };
    EXPECT_EQ(shown.rows, rows);

    // Double-click on row 3: its item plays.
    const POINT third = grid.Cell(3);
    harness::DoubleClick(grid.view, third.x, third.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == L" Tone : Quorel : Quorel";
    })) << "a double-click on row 3 does not play item 3";

    // A click on the Title title sorts ascending: "T" before "a".
    harness::Click(grid.header, 21 + 50, grid.headerHeight / 2);
    EXPECT_TRUE(grid.WaitForColumn(1, {L"Tone", L"a.wav", L"b.wav", L"d.wav", L"e.wav"}))
        << "the title click did not sort";

    // Ctrl+Down on row 1 moves the tone down one row.
    const POINT first = grid.Cell(1);
    harness::Click(grid.view, first.x, first.y);
    harness::PressKey(VK_DOWN, true);
    EXPECT_TRUE(grid.WaitForColumn(1, {L"a.wav", L"Tone", L"b.wav", L"d.wav", L"e.wav"}))
        << "Ctrl+Down did not move the row";
    // Delete takes it out; the numbers close up.
    harness::PressKey(VK_DELETE);
    EXPECT_TRUE(grid.WaitForColumn(1, {L"a.wav", L"b.wav", L"d.wav", L"e.wav"}))
        << "Delete did not delete the row";
    EXPECT_EQ(Column(grid.Read(), 0), (Cells{L"1", L"2", L"3", L"4"}));

    // "AC": stopped, and one empty row.
    HWND clear = FindWindowExW(window, nullptr, WC_BUTTONW, L"AC");
    ASSERT_NE(clear, nullptr);
    harness::Click(clear, 5, 5);
    EXPECT_TRUE(grid.WaitForColumn(1, {L""})) << "AC left rows";
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; }))
        << "AC did not stop";

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
