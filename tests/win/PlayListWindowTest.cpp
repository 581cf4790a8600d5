// The play list window under real input: the panel's list button opens it in
// list mode, a double-click plays a row, a title click sorts, Ctrl+Down and
// Delete change the rows, "AC" empties the list. An ID3v2-only file shows its
// Japanese title in the grid and on the panel. The grid is read from this
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

// The 3 s tone behind the ID3v2 tag of a fixture that has no other tag:
// "日本語のタイトル" by "歌手" on "Album", in UTF-16.
Bytes Id3v2OnlyTone() {
    const Bytes tagged = ReadFile(Fixture("id3v23-utf16.mp3"));
    const size_t tagEnd = 10 + (tagged[6] << 21 | tagged[7] << 14 | tagged[8] << 7 | tagged[9]);
    Bytes file(tagged.begin(), tagged.begin() + static_cast<std::ptrdiff_t>(tagEnd));
    const Bytes tone = ReadFile(Fixture("tone-128k.mp3"));
    file.insert(file.end(), tone.begin(), tone.end());
    return file;
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
    // Waits until column `column` reads `expected` (a read while the window
    // rebuilds its columns may fail; the next one counts).
    bool WaitForColumn(size_t column, const Cells& expected) const {
        return harness::WaitUntil([&] {
            harness::ListViewContents contents;
            return harness::ReadListView(view, contents) && Column(contents, column) == expected;
        });
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
    WriteFile(folder + "\\f.mp3", Id3v2OnlyTone());
    harness::Process quorel(tree.program(),
                            {folder + "\\e.wav", folder + "\\f.mp3", folder + "\\c.mp3",
                             folder + "\\a.wav", folder + "\\d.wav", folder + "\\b.wav"});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"  :  : Quorel"; }))
        << "item 1 does not play";

    harness::Click(main, kListButtonX, kListButtonY);
    HWND window = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        return (window = harness::FindVisibleWindow(quorel.id(), L"QuorelPlayList"));
    })) << "the list button shows no play list window";
    RECT frame;
    ASSERT_TRUE(GetClientRect(window, &frame));
    EXPECT_EQ(frame.right, 481);
    EXPECT_EQ(frame.bottom, 232);
    const Grid grid(FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr));
    ASSERT_NE(grid.view, nullptr);

    // The default columns (Title, Artist, Album, Time) in command-line order
    // sorted by path; a blank title shows the file name, an ID3v2 title
    // arrives in Japanese.
    const harness::ListViewContents shown = grid.Read();
    EXPECT_EQ(shown.titles, (Cells{L"<->", L"Title", L"Artist", L"Album", L"Time"}));
    EXPECT_EQ(shown.widths, (std::vector<int>{21, 100, 100, 100, 40}));
    const std::vector<Cells> rows = {
        {L"1", L"a.wav", L"", L"", L"01:01"},
        {L"2", L"b.wav", L"", L"", L"01:02"},
        {L"3", L"Tone", L"Quorel", L"Fixtures", L"00:03"},
        {L"4", L"d.wav", L"", L"", L"62:03"},
        {L"5", L"e.wav", L"", L"", L"01:04"},
        {L"6", L"日本語のタイトル", L"歌手", L"Album", L"00:03"},
    };
    EXPECT_EQ(shown.rows, rows);

    // Double-click on row 3: its item plays.
    const POINT third = grid.Cell(3);
    harness::DoubleClick(grid.view, third.x, third.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == L" Tone : Quorel : Quorel";
    })) << "a double-click on row 3 does not play item 3";
    const POINT sixth = grid.Cell(6);
    harness::DoubleClick(grid.view, sixth.x, sixth.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == L" 日本語のタイトル : 歌手 : Quorel";
    })) << "the panel does not show the ID3v2 title of item 6";

    // A click on the Title title sorts ascending by signed bytes: double-byte
    // characters first, "T" before "a".
    harness::Click(grid.header, 21 + 50, grid.headerHeight / 2);
    EXPECT_TRUE(grid.WaitForColumn(
        1, {L"日本語のタイトル", L"Tone", L"a.wav", L"b.wav", L"d.wav", L"e.wav"}))
        << "the title click did not sort";

    // Ctrl+Down on row 2 moves the tone down one row.
    const POINT second = grid.Cell(2);
    harness::Click(grid.view, second.x, second.y);
    harness::PressKey(VK_DOWN, true);
    EXPECT_TRUE(grid.WaitForColumn(
        1, {L"日本語のタイトル", L"a.wav", L"Tone", L"b.wav", L"d.wav", L"e.wav"}))
        << "Ctrl+Down did not move the row";
    // Delete takes it out; the numbers close up.
    harness::PressKey(VK_DELETE);
    EXPECT_TRUE(
        grid.WaitForColumn(1, {L"日本語のタイトル", L"a.wav", L"b.wav", L"d.wav", L"e.wav"}))
        << "Delete did not delete the row";
    EXPECT_EQ(Column(grid.Read(), 0), (Cells{L"1", L"2", L"3", L"4", L"5"}));

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

namespace {

// The panel's stop and play/pause buttons.
constexpr int kStopX = 219;
constexpr int kPlayPauseX = 232;
constexpr int kButtonY = 9;

HWND ButtonOf(HWND window, const wchar_t* caption) {
    return FindWindowExW(window, nullptr, WC_BUTTONW, caption);
}

// The list-mode box in the column of controls, or the genre box over the
// grid (left of x 86 or right of it).
HWND ComboBox(HWND window, bool overGrid) {
    for (HWND box = FindWindowExW(window, nullptr, WC_COMBOBOXW, nullptr); box;
         box = FindWindowExW(window, box, WC_COMBOBOXW, nullptr)) {
        RECT place;
        GetWindowRect(box, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if ((place.left > 86) == overGrid) return box;
    }
    return nullptr;
}

// Picks entry `index` of the list-mode box with the keyboard.
void ChooseListMode(HWND window, int index) {
    HWND box = ComboBox(window, false);
    harness::Click(box, 5, 5);
    harness::PressKey(VK_HOME);
    for (int i = 0; i < index; ++i)
        harness::PressKey(VK_DOWN);
    harness::PressKey(VK_RETURN);
}

std::wstring ClosedBoxText(DWORD processId) {
    HWND box = harness::WaitForMessageBox(processId);
    if (!box) return L"(no message)";
    const std::wstring text = harness::MessageBoxText(box);
    harness::PressOk(box);
    harness::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return text;
}

std::string Field(const std::string& text, size_t at, size_t size) {
    return text.substr(at, size);
}

std::string SpaceFilled(const std::string& text, size_t size) {
    return text + std::string(size - text.size(), ' ');
}

TEST(PlayListWindow, EditModeSavesTagsAndUniteModeRenamesFiles) {
    harness::ScratchTree tree;
    const std::string folder = tree.folder();
    const Bytes tone = ReadFile(Fixture("tone-22k-tagged.mp3"));
    WriteFile(folder + "\\t1.mp3", tone);
    WriteFile(folder + "\\t2.mp3", tone);
    WriteFile(folder + "\\t3.wav", QuietWave(60));
    WriteFile(folder + "\\album03.wav", QuietWave(1)); // in the way of the third name
    ASSERT_TRUE(SetFileAttributesA((folder + "\\t2.mp3").c_str(), FILE_ATTRIBUTE_READONLY));

    harness::Process quorel(tree.program(),
                            {folder + "\\t1.mp3", folder + "\\t2.mp3", folder + "\\t3.wav"});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) != L"Quorel"; }));
    harness::Click(main, kStopX, kButtonY);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; }));
    harness::Click(main, kListButtonX, kListButtonY);
    HWND window = nullptr;
    ASSERT_TRUE(harness::WaitUntil(
        [&] { return (window = harness::FindVisibleWindow(quorel.id(), L"QuorelPlayList")); }));
    const Grid grid(FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr));

    ChooseListMode(window, 1);
    ASSERT_TRUE(harness::WaitUntil([&] {
        harness::ListViewContents contents;
        return harness::ReadListView(grid.view, contents) && contents.titles.size() == 8;
    })) << "no edit mode";
    // Row 1: a Japanese title and an artist typed in, a genre picked.
    POINT cell = grid.Cell(1);
    harness::Click(grid.view, cell.x, cell.y);
    harness::TypeText(L"雨の歌");
    harness::PressKey(VK_RETURN);
    harness::PressKey(VK_RIGHT);
    harness::TypeText(L"Kiri");
    harness::PressKey(VK_RETURN);
    for (int i = 0; i < 3; ++i)
        harness::PressKey(VK_RIGHT);
    HWND genres = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        genres = ComboBox(window, true);
        return genres && IsWindowVisible(genres);
    })) << "no genre box on the genre cell";
    harness::Click(genres, 5, 5);
    harness::PressKey(VK_HOME); // "Acapella", then "Acid" (genre 34)
    harness::PressKey(VK_DOWN);
    harness::PressKey(VK_RETURN);
    // Row 2 (a read-only file): a title.
    cell = grid.Cell(2);
    harness::Click(grid.view, cell.x, cell.y);
    ASSERT_TRUE(harness::WaitUntil([&] {
        harness::ListViewContents contents;
        return harness::ReadListView(grid.view, contents) && Column(contents, 5)[0] == L"Acid";
    })) << "the chosen genre was not recorded";
    harness::TypeText(L"X");
    harness::PressKey(VK_RETURN);
    ASSERT_TRUE(grid.WaitForColumn(0, {L"1 ", L"2 ", L"3"}));
    ASSERT_TRUE(grid.WaitForColumn(1, {L"雨の歌", L"X", L"t3.wav"}));

    harness::PressKey('S', true);
    EXPECT_EQ(ClosedBoxText(quorel.id()),
              L"少なくとも１つのファイルのタグを保存できませんでした。");
    EXPECT_TRUE(grid.WaitForColumn(0, {L"1", L"2 ", L"3"})) << "markers after the save";

    // t1.mp3: every byte before its old ID3v1 tag kept, the new tag last.
    const Bytes saved = ReadFile(folder + "\\t1.mp3");
    ASSERT_GE(saved.size(), tone.size());
    EXPECT_TRUE(std::equal(tone.begin(), tone.end() - 128, saved.begin()));
    const std::string tag(saved.end() - 128, saved.end());
    EXPECT_EQ(Field(tag, 0, 3), "TAG");
    EXPECT_EQ(Field(tag, 3, 30), SpaceFilled("\x89\x4a\x82\xcc\x89\xcc", 30)); // 雨の歌
    EXPECT_EQ(Field(tag, 33, 30), SpaceFilled("Kiri", 30));
    EXPECT_EQ(Field(tag, 63, 30), SpaceFilled("Fixtures", 30));
    EXPECT_EQ(Field(tag, 93, 4), "2026");
    EXPECT_EQ(uint8_t(tag[127]), 34);
    EXPECT_EQ(ReadFile(folder + "\\t2.mp3"), tone) << "the read-only file changed";

    // The play list took the saved texts (list mode shows the play list),
    // and keeps the read-only file's old ones.
    ChooseListMode(window, 0);
    EXPECT_TRUE(grid.WaitForColumn(1, {L"雨の歌", L"Tone", L"t3.wav"}));
    EXPECT_EQ(Column(grid.Read(), 2), (Cells{L"Kiri", L"Quorel", L""}));
    // Row 3 plays a minute of quiet meanwhile.
    cell = grid.Cell(3);
    harness::DoubleClick(grid.view, cell.x, cell.y);
    ASSERT_TRUE(
        harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"  :  : Quorel"; }));

    // Unite mode: renaming is refused while playing, then done after stop.
    ChooseListMode(window, 2);
    ASSERT_TRUE(grid.WaitForColumn(4, {L"album01.mp3", L"album02.mp3", L"album03.wav"}));
    harness::Click(ButtonOf(window, L"変更"), 5, 5);
    EXPECT_EQ(
        ClosedBoxText(quorel.id()),
        L"演奏中はファイル名の統一ができません。\n演奏を停止ししてから処理を続行してください。");
    harness::Click(main, kStopX, kButtonY);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; }));
    harness::Click(ButtonOf(window, L"変更"), 5, 5);
    EXPECT_EQ(ClosedBoxText(quorel.id()), L"少なくとも１つのファイル名を変更できませんでした。");
    EXPECT_TRUE(grid.WaitForColumn(3, {L"album01.mp3", L"album02.mp3", L"t3.wav"}));
    EXPECT_EQ(ReadFile(folder + "\\album01.mp3"), saved);
    EXPECT_EQ(ReadFile(folder + "\\album02.mp3"), tone);
    EXPECT_EQ(GetFileAttributesA((folder + "\\t1.mp3").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile(folder + "\\album03.wav"), QuietWave(1));
    EXPECT_EQ(ReadFile(folder + "\\t3.wav"), QuietWave(60));

    SetFileAttributesA((folder + "\\album02.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
