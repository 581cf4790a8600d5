// The play list window under real input: the panel's list button opens it in
// list mode, a double-click plays a row, a title click sorts, Ctrl+Down and
// Delete change the rows, "AC" empties the list. An ID3v2-only file shows its
// Japanese title in the grid and on the panel. The grid is read from this
// process, as a user would read the screen.
#include <gtest/gtest.h>

#include "Harness.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "PluginManager.h"
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

// A pixel of the grid as shown, read through its window: Wine reads no
// pixels through the child's own device context from another process.
COLORREF GridPixel(const Grid& grid, int x, int y) {
    POINT point{x, y};
    HWND window = GetAncestor(grid.view, GA_ROOT);
    MapWindowPoints(grid.view, window, &point, 1);
    return harness::ClientPixel(window, point.x, point.y);
}

// The rows of the grid as painted: runs of column 0's fixed colour down its
// left edge, as [top, bottom) pairs.
std::vector<std::pair<int, int>> PaintedRows(const Grid& grid) {
    RECT client;
    GetClientRect(grid.view, &client);
    std::vector<std::pair<int, int>> rows;
    for (int y = grid.headerHeight; y < client.bottom; ++y) {
        if (GridPixel(grid, 2, y) != 0x808080) continue;
        if (rows.empty() || rows.back().second != y) rows.emplace_back(y, y);
        rows.back().second = y + 1;
    }
    return rows;
}

// List mode's look, read off the screen: one grey number cell per entry and
// none below, a button-face line under every row, white text on black, and
// the current cell (column 1 of row `current`) in the highlight colour.
void ExpectListModePaint(const Grid& grid, size_t entries, size_t current) {
    constexpr int kTitleRight = 21 + 100; // right of column 1
    ASSERT_TRUE(harness::WaitUntil([&] {
        const auto rows = PaintedRows(grid);
        return rows.size() == entries &&
               GridPixel(grid, kTitleRight - 3,
                                    (rows[current - 1].first + rows[current - 1].second) / 2) ==
                   GetSysColor(COLOR_HIGHLIGHT);
    })) << PaintedRows(grid).size() << " rows painted, or the current cell is not highlighted";
    const auto rows = PaintedRows(grid);
    const int pitch = rows[1].first - rows[0].first;
    for (size_t row = 0; row < rows.size(); ++row) {
        const int middle = (rows[row].first + rows[row].second) / 2;
        EXPECT_EQ(rows[row].second - rows[row].first, pitch - 1) << "row " << row + 1;
        EXPECT_EQ(GridPixel(grid, 40, rows[row].second),
                  GetSysColor(COLOR_3DFACE))
            << "no line under row " << row + 1;
        if (row + 1 != current) {
            EXPECT_EQ(GridPixel(grid, kTitleRight - 3, middle), 0x000000u)
                << "row " << row + 1;
        }
        bool text = false;
        for (int x = 21 + 5; x < 21 + 30 && !text; ++x)
            for (int y = rows[row].first; y < rows[row].second && !text; ++y)
                text = GridPixel(grid, x, y) == 0xFFFFFF;
        EXPECT_TRUE(text || row + 1 == current) << "no title text in row " << row + 1;
    }
    const int belowLast = rows.back().second + pitch / 2;
    EXPECT_EQ(GridPixel(grid, 2, belowLast), 0x000000u) << "past the entries";
}

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

    ExpectListModePaint(grid, 6, 6);

    // A click on the Title title sorts ascending by signed bytes: double-byte
    // characters first, "T" before "a".
    harness::Click(grid.header, 21 + 50, grid.headerHeight / 2);
    EXPECT_TRUE(grid.WaitForColumn(
        1, {L"日本語のタイトル", L"Tone", L"a.wav", L"b.wav", L"d.wav", L"e.wav"}))
        << "the title click did not sort";

    // Ctrl+Down on row 2 moves the tone down one row.
    const POINT second = grid.Cell(2);
    harness::Click(grid.view, second.x, second.y);
    harness::PressKey(VK_DOWN, VK_CONTROL);
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

// The common file dialog's file name control (an edit in Wine's dialog, a
// combo box in Windows').
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47c;

HWND FileNameControl(HWND dialog) {
    HWND control = GetDlgItem(dialog, kFileNameEdit);
    return control ? control : GetDlgItem(dialog, kFileNameCombo);
}

bool IsDialog(HWND window) {
    return harness::IsVisibleOfClass(window, "#32770");
}

bool IsFileDialog(HWND window) {
    return IsDialog(window) && FileNameControl(window) != nullptr;
}

// A message box: a dialog without a file name control.
bool IsPlainDialog(HWND window) {
    return IsDialog(window) && FileNameControl(window) == nullptr;
}

// A visible save dialog, or a visible message box, of the process.
HWND WaitForDialog(DWORD processId, bool fileDialog) {
    HWND found = nullptr;
    harness::WaitUntil([&] {
        found = harness::FindWindowOf(processId, fileDialog ? IsFileDialog : IsPlainDialog);
        return found != nullptr;
    });
    return found;
}

constexpr wchar_t kNoSuchAnswer[] = L"(no such button)";
constexpr wchar_t kNoMessage[] = L"(no message)";

// Closes the message box with `answer` and gives its text.
std::wstring AnsweredBoxText(DWORD processId, WPARAM answer) {
    HWND box = WaitForDialog(processId, false);
    if (!box) return kNoMessage;
    if (!GetDlgItem(box, int(answer))) return kNoSuchAnswer;
    const std::wstring text = harness::MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, answer, 0);
    harness::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return text;
}

std::string Field(const std::string& text, size_t at, size_t size) {
    return text.substr(at, size);
}

std::string SpaceFilled(const std::string& text, size_t size) {
    return text + std::string(size - text.size(), ' ');
}

// The tags as the shipped input plug-in reads them.
TagRecord TagsOf(const std::string& path) {
    PluginManager plugins;
    InputFileInfo info = {};
    InputPlugin* input =
        plugins.LoadInput((harness::BuiltTreeFolder() + "\\Plugin\\Tessaly.dll").c_str());
    EXPECT_NE(input, nullptr);
    if (input) {
        EXPECT_EQ(input->GetFileInfo(path.c_str(), &info), 1) << path;
        input->Close();
    }
    return info.tag;
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

    harness::PressKey('S', VK_CONTROL);
    EXPECT_EQ(AnsweredBoxText(quorel.id(), IDOK),
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
    // The input plug-in reads the new texts back; ID3v2 only fills blanks.
    const TagRecord readBack = TagsOf(folder + "\\t1.mp3");
    EXPECT_STREQ(readBack.title, "\x89\x4a\x82\xcc\x89\xcc");
    EXPECT_STREQ(readBack.artist, "Kiri");
    EXPECT_STREQ(readBack.album, "Fixtures");
    EXPECT_EQ(readBack.genre, 34);
    EXPECT_STREQ(TagsOf(folder + "\\t2.mp3").title, "Tone");

    // The play list took the saved texts (list mode shows the play list),
    // and keeps the read-only file's old ones.
    ChooseListMode(window, 0);
    EXPECT_TRUE(grid.WaitForColumn(1, {L"雨の歌", L"Tone", L"t3.wav"}));
    EXPECT_EQ(Column(grid.Read(), 2), (Cells{L"Kiri", L"Quorel", L""}));
    // Playing row 1 titles the task bar with the saved texts.
    cell = grid.Cell(1);
    harness::DoubleClick(grid.view, cell.x, cell.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(main) == L" 雨の歌 : Kiri : Quorel";
    })) << "playing the saved file does not show its new title";
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
        AnsweredBoxText(quorel.id(), IDOK),
        L"演奏中はファイル名の統一ができません。\n演奏を停止ししてから処理を続行してください。");
    harness::Click(main, kStopX, kButtonY);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; }));
    harness::Click(ButtonOf(window, L"変更"), 5, 5);
    EXPECT_EQ(AnsweredBoxText(quorel.id(), IDOK),
              L"少なくとも１つのファイル名を変更できませんでした。");
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

namespace {

// Names `path` in the save dialog "M3U" opens and presses its Save button.
bool SaveListAs(HWND window, DWORD processId, const std::string& path) {
    harness::Click(ButtonOf(window, L"M3U"), 5, 5);
    HWND dialog = WaitForDialog(processId, true);
    if (!dialog) return false;
    const std::wstring name(path.begin(), path.end());
    SendMessageW(FileNameControl(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
}

std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts Quorel on `files`, stops the first item and opens the play list
// window.
class StoppedPlayer {
  public:
    StoppedPlayer(const harness::ScratchTree& tree, const std::vector<std::string>& files)
        : quorel(tree.program(), files) {
        main = harness::WaitForMainWindow(quorel.id());
        if (!main || !harness::WaitUntil([&] { return harness::WindowTextOf(main) != L"Quorel"; }))
            return;
        harness::Click(main, kStopX, kButtonY);
        if (!harness::WaitUntil([&] { return harness::WindowTextOf(main) == L"Quorel"; })) return;
        harness::Click(main, kListButtonX, kListButtonY);
        harness::WaitUntil(
            [&] { return (window = harness::FindVisibleWindow(quorel.id(), L"QuorelPlayList")); });
    }
    ~StoppedPlayer() {
        if (main) PostMessageA(main, WM_CLOSE, 0, 0);
        quorel.WaitForExit();
    }
    harness::Process quorel;
    HWND main = nullptr;
    HWND window = nullptr;
};

TEST(PlayListWindow, SavesM3UThroughTheSaveDialogAndKeepsAReadOnlyOne) {
    harness::ScratchTree tree;
    ASSERT_TRUE(WritePrivateProfileStringA("FileOpenMode", "SaveRelativePath", "1",
                                           (tree.folder() + "\\Quorel.ini").c_str()));
    const std::string folder = tree.folder();
    for (const char* sub : {"\\music", "\\music\\sub", "\\lists"})
        ASSERT_TRUE(CreateDirectoryA((folder + sub).c_str(), nullptr));
    WriteFile(folder + "\\music\\a.wav", QuietWave(2));
    WriteFile(folder + "\\music\\sub\\b.wav", QuietWave(2));
    StoppedPlayer player(tree, {folder + "\\music\\sub\\b.wav", folder + "\\music\\a.wav"});
    ASSERT_NE(player.window, nullptr);
    const DWORD id = player.quorel.id();

    // Relative lines, CR LF, "#M3U" first; no message.
    const std::string list = folder + "\\lists\\all.m3u";
    ASSERT_TRUE(SaveListAs(player.window, id, list));
    ASSERT_TRUE(harness::WaitUntil([&] { return Exists(list); })) << "no list saved";
    const std::string expected = "#M3U\r\n..\\music\\a.wav\r\n..\\music\\sub\\b.wav\r\n";
    EXPECT_TRUE(harness::WaitUntil([&] { return Text(ReadFile(list)) == expected; }))
        << Text(ReadFile(list));

    // Over a read-only list: the overwrite prompt, then the message; the
    // old list whole and no temporary file beside it.
    ASSERT_TRUE(SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SaveListAs(player.window, id, list));
    const std::wstring prompt = AnsweredBoxText(id, IDYES);
    EXPECT_NE(prompt, kNoSuchAnswer) << "no overwrite prompt";
    EXPECT_NE(prompt, L"ファイルが開けませんでした");
    EXPECT_EQ(AnsweredBoxText(id, IDOK), L"ファイルが開けませんでした");
    EXPECT_EQ(Text(ReadFile(list)), expected);
    EXPECT_FALSE(Exists(list + ".tmp"));
    SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A list in a missing folder: the dialog refuses the name, nothing is
    // made, and the dialog stays open for another name.
    ASSERT_TRUE(SaveListAs(player.window, id, folder + "\\missing\\x.m3u"));
    const std::wstring refusal = AnsweredBoxText(id, IDOK);
    EXPECT_NE(refusal, kNoMessage);
    EXPECT_NE(refusal, L"ファイルが開けませんでした");
    HWND dialog = WaitForDialog(id, true);
    ASSERT_NE(dialog, nullptr) << "the dialog closed on a missing folder";
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_FALSE(Exists(folder + "\\missing"));
}

// The names in a folder.
std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Puts `text` (NULs included) on the clipboard as Unicode text.
bool PutOnClipboard(const std::wstring& text) {
    HWND owner =
        CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!owner || !OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool put = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
        std::copy(text.begin(), text.end(), chars);
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) GlobalFree(memory);
    }
    CloseClipboard();
    DestroyWindow(owner);
    return put;
}

// Hostile clipboard texts, characters code page 932 cannot hold, and files
// that vanish, are locked or turn read-only between listing and saving or
// renaming.
TEST(PlayListWindow, HostileClipboardsAndVanishingFilesAreRefusedCleanly) {
    harness::ScratchTree tree;
    const std::string folder = tree.folder() + "\\music";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const Bytes tone = ReadFile(Fixture("tone-22k-tagged.mp3"));
    std::vector<std::string> paths;
    for (const char* name : {"v1.mp3", "v2.mp3", "v3.mp3", "v4.mp3", "v5.mp3"}) {
        paths.push_back(folder + "\\" + name);
        WriteFile(paths.back(), tone);
    }
    StoppedPlayer player(tree, paths);
    ASSERT_NE(player.window, nullptr);
    const DWORD id = player.quorel.id();
    const Grid grid(FindWindowExW(player.window, nullptr, WC_LISTVIEWW, nullptr));
    ChooseListMode(player.window, 1);
    ASSERT_TRUE(harness::WaitUntil([&] {
        harness::ListViewContents contents;
        return harness::ReadListView(grid.view, contents) && contents.titles.size() == 8;
    })) << "no edit mode";

    // Row 3: a megabyte without a line end, then texts with CR LF and NUL,
    // pasted into title, artist and album: the first line, cut to the field
    // between characters.
    POINT cell = grid.Cell(3);
    harness::Click(grid.view, cell.x, cell.y);
    const std::wstring pastes[] = {std::wstring(1 << 19, L'あ'), L"Kiri\r\nsecond line",
                                   std::wstring(L"Al\0bum", 6)};
    const std::wstring shown[] = {std::wstring(63, L'あ'), L"Kiri", L"Al"};
    for (size_t column = 1; column <= 3; ++column) {
        ASSERT_TRUE(PutOnClipboard(pastes[column - 1]));
        harness::PressKey('V', VK_CONTROL);
        EXPECT_TRUE(harness::WaitUntil([&] {
            harness::ListViewContents contents;
            return harness::ReadListView(grid.view, contents) &&
                   Column(contents, column)[2] == shown[column - 1];
        })) << "paste into column "
            << column;
        harness::PressKey(VK_RIGHT);
    }
    // Row 4: characters code page 932 lacks are stored as "?", the slash
    // look-alike included.
    cell = grid.Cell(4);
    harness::Click(grid.view, cell.x, cell.y);
    harness::TypeText(L"한€\x2215x");
    harness::PressKey(VK_RETURN);
    // Rows 1, 2 and 5: titles for files about to vanish, lock and turn
    // read-only.
    for (int row : {1, 2, 5}) {
        cell = grid.Cell(row);
        harness::Click(grid.view, cell.x, cell.y);
        harness::TypeText(L"new");
        harness::PressKey(VK_RETURN);
    }
    ASSERT_TRUE(grid.WaitForColumn(1, {L"new", L"new", shown[0], L"???x", L"new"}));
    ASSERT_TRUE(DeleteFileA(paths[0].c_str()));
    HANDLE lock =
        CreateFileA(paths[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileAttributesA(paths[4].c_str(), FILE_ATTRIBUTE_READONLY));

    // One message; the three refused keep their markers; nothing created.
    harness::PressKey('S', VK_CONTROL);
    EXPECT_EQ(AnsweredBoxText(id, IDOK), L"少なくとも１つのファイルのタグを保存できませんでした。");
    EXPECT_TRUE(grid.WaitForColumn(0, {L"1 ", L"2 ", L"3", L"4", L"5 "}));
    EXPECT_EQ(FolderNames(folder), (std::set<std::string>{"v2.mp3", "v3.mp3", "v4.mp3", "v5.mp3"}));
    EXPECT_EQ(ReadFile(paths[4]), tone);
    const Bytes third = ReadFile(paths[2]);
    ASSERT_GE(third.size(), tone.size());
    EXPECT_TRUE(std::equal(tone.begin(), tone.end() - 128, third.begin()));
    std::string wide;
    for (int i = 0; i < 15; ++i)
        wide += "\x82\xa0";
    const std::string tag(third.end() - 128, third.end());
    EXPECT_EQ(Field(tag, 3, 30), wide);
    EXPECT_EQ(Field(tag, 33, 30), SpaceFilled("Kiri", 30));
    EXPECT_EQ(Field(tag, 63, 30), SpaceFilled("Al", 30));
    const Bytes fourth = ReadFile(paths[3]);
    EXPECT_EQ(Field(std::string(fourth.end() - 128, fourth.end()), 3, 30), SpaceFilled("???x", 30));

    // Renaming: the vanished and the locked file fail (one message), the
    // others move; a read-only file may be renamed.
    ChooseListMode(player.window, 2);
    ASSERT_TRUE(grid.WaitForColumn(
        4, {L"album01.mp3", L"album02.mp3", L"album03.mp3", L"album04.mp3", L"album05.mp3"}));
    harness::Click(ButtonOf(player.window, L"変更"), 5, 5);
    EXPECT_EQ(AnsweredBoxText(id, IDOK), L"少なくとも１つのファイル名を変更できませんでした。");
    EXPECT_TRUE(grid.WaitForColumn(
        3, {L"v1.mp3", L"v2.mp3", L"album03.mp3", L"album04.mp3", L"album05.mp3"}));
    EXPECT_EQ(harness::FindMessageBox(id), nullptr) << "a second message";
    CloseHandle(lock);
    EXPECT_EQ(FolderNames(folder),
              (std::set<std::string>{"v2.mp3", "album03.mp3", "album04.mp3", "album05.mp3"}));
    EXPECT_EQ(ReadFile(paths[1]), tone);
    EXPECT_EQ(ReadFile(folder + "\\album03.mp3"), third);
    EXPECT_EQ(ReadFile(folder + "\\album05.mp3"), tone);
    SetFileAttributesA((folder + "\\album05.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
