// The play list window's logic: columns per mode, cell texts, sorting both
// lists in one order, moving and deleting entries with their markers and the
// current entry, playing a row, and placing the window.
#include "CellTexts.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "PlayListGrid.h"
#include "TestItems.h"
#include "WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Texts = std::vector<std::string>;
using Widths = std::vector<int32_t>;

class RecordedRequests : public PlayListRequests {
  public:
    std::vector<int32_t> posted;
    int32_t state = 0;
    int countChanges = 0;
    std::vector<PlayListMessage> messages;
    void Post(int32_t command) override { posted.push_back(command); }
    int32_t InputState() override { return state; }
    void EntryCountChanged() override { ++countChanges; }
    void ShowMessage(PlayListMessage message) override { messages.push_back(message); }
};

struct Entry {
    const char* path;
    const char* title;
    const char* artist;
    const char* album;
    int32_t genre;
};

class PlayListGridTest : public ::testing::Test {
  protected:
    MemoryFileAccess files;
    TOpenAudioFile lists{files, {}};
    RecordedRequests requests;
    PlayListGrid grid{lists, requests};

    void Add(const Entry& entry) {
        for (TInputItemDB* list : {&lists.PlayList(), &lists.EditList()}) {
            ItemRecord* item = AddTestItem(*list, entry.path, entry.artist, entry.title);
            std::strncpy(item->info.tag.album, entry.album, sizeof item->info.tag.album - 1);
            item->info.tag.genre = entry.genre;
        }
    }
    void AddPaths(std::initializer_list<const char*> paths) {
        for (const char* path : paths)
            Add({path, "", "", "", 0});
    }
    Texts Column(int32_t column) const {
        Texts texts;
        for (int32_t row = 1; row <= grid.RowCount(); ++row)
            texts.push_back(grid.CellText(row, column));
        return texts;
    }
    // Both lists hold the same files in the same order.
    void ExpectListsInStep() const {
        EXPECT_EQ(PathsOf(lists.PlayList()), PathsOf(lists.EditList()));
    }
};

Texts TitlesOf(const std::vector<GridColumn>& columns) {
    Texts titles;
    for (const GridColumn& column : columns)
        titles.push_back(column.title);
    return titles;
}

Widths WidthsOf(const std::vector<GridColumn>& columns) {
    Widths widths;
    for (const GridColumn& column : columns)
        widths.push_back(column.width);
    return widths;
}

TEST(GridColumns, EveryModesColumnsWidthsAndFittedWidths) {
    ColumnFlags none;
    none = {false, false, false, false, false, false, false, false};
    ColumnFlags four = none;
    four.title = four.artist = four.year = four.time = true;
    ColumnFlags fixedOnly = none;
    fixedOnly.year = fixedOnly.time = true;
    const ColumnFlags all;

    struct Case {
        int32_t mode;
        ColumnFlags flags;
        Texts titles;
        Widths widths;
        int32_t gridWidth;
        Widths fitted;
    };
    const Case cases[] = {
        // No flag set: the title alone takes the whole budget.
        {kListMode, none, {"<->", "Title"}, {21, 340}, 400, {21, 353}},
        {kListMode,
         four,
         {"<->", "Title", "Artist", "Year", "Time"},
         {21, 135, 135, 30, 40},
         400,
         {21, 141, 141, 30, 40}},
        {kListMode,
         all,
         {"<->", "Title", "Artist", "Album", "Year", "Genre", "Comment", "FileName", "Time"},
         {21, 45, 45, 45, 30, 45, 45, 45, 40},
         32,
         {21, 0, 0, 0, 30, 0, 0, 0, 40}},
        // Nothing shares the rest: the fixed widths stay.
        {kListMode, fixedOnly, {"<->", "Year", "Time"}, {21, 30, 40}, 500, {21, 30, 40}},
        {kEditMode,
         all,
         {"<->", "Title", "Artist", "Album", "Year", "Genre", "Comment", "FileName"},
         {21, 70, 60, 45, 30, 42, 30, 60},
         477,
         {21, 92, 80, 40, 30, 40, 60, 80}},
        {kEditMode,
         none,
         TitlesOf(ColumnsFor(kEditMode, all)),
         {21, 70, 60, 45, 30, 42, 30, 60},
         32,
         {21, 0, 0, 0, 30, 0, 0, 0}},
        {kUniteMode,
         none,
         {"<->", "Title", "Album", "FName Before", "FName After"},
         {21, 80, 80, 90, 90},
         447,
         {21, 100, 100, 100, 100}},
        {kUniteMode,
         all,
         TitlesOf(ColumnsFor(kUniteMode, all)),
         {21, 80, 80, 90, 90},
         32,
         {21, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", grid " << c.gridWidth);
        const std::vector<GridColumn> columns = ColumnsFor(c.mode, c.flags);
        EXPECT_EQ(TitlesOf(columns), c.titles);
        EXPECT_EQ(WidthsOf(columns), c.widths);
        EXPECT_EQ(FitColumnWidths(c.mode, c.flags, c.gridWidth), c.fitted);
    }

    const GridColours list = ColoursFor(kListMode);
    EXPECT_EQ(list.text, 0xFFFFFFu);
    EXPECT_EQ(list.background, 0u);
    EXPECT_EQ(list.fixed, 0x808080u);
    EXPECT_FALSE(list.fixedIsButtonFace);
    EXPECT_EQ(ColoursFor(kEditMode).background, 0xE1FFE1u);
    EXPECT_EQ(ColoursFor(kUniteMode).background, 0xE1E1FFu);
    EXPECT_TRUE(ColoursFor(kEditMode).fixedIsButtonFace &&
                ColoursFor(kUniteMode).fixedIsButtonFace);
}

TEST_F(PlayListGridTest, CellTextsAndHostileTags) {
    Add({"C:\\music\\song.mp3", "", "", "", 13});
    // Line breaks and a tab, a lead byte cut off at the field's end.
    Add({"C:\\b.mp3", "a\rb\nc\td", "\x82\xa0x\x82", "", 146});
    ItemRecord* first = lists.PlayList().GetItem(1);
    first->info.playLength = 3725;
    std::strcpy(first->info.tag.year, "1999");
    std::strcpy(first->info.tag.comment, "note");
    std::strcpy(first->info.tag.title, "   "); // blank: the file name shows
    for (int32_t genre : {147, 255, -1, 300}) {
        Add({"C:\\x.mp3", "t", "", "", genre});
        EXPECT_EQ(grid.CellText(grid.RowCount(), 5), "Unknown") << genre;
    }
    // A path that fills the whole field without a terminator.
    ItemRecord* last = lists.PlayList().GetItem(lists.PlayList().GetCount());
    std::memset(last->path, 'p', sizeof last->path);
    std::memcpy(last->path, "C:\\", 3);
    lists.SetModified(2, true);

    EXPECT_EQ(Column(0), (Texts{"1", "2 ", "3", "4", "5", "6"}));
    EXPECT_EQ(grid.CellText(1, 1), "song.mp3");
    EXPECT_EQ(grid.CellText(1, 4), "1999");
    EXPECT_EQ(grid.CellText(1, 5), "Pop");
    EXPECT_EQ(grid.CellText(1, 6), "note");
    EXPECT_EQ(grid.CellText(1, 7), "song.mp3");
    EXPECT_EQ(grid.CellText(1, 8), "62:05");
    EXPECT_EQ(grid.CellText(2, 1), "a b c d");
    EXPECT_EQ(grid.CellText(2, 2), "\x82\xa0x");
    EXPECT_EQ(grid.CellText(2, 5), "JPop");
    EXPECT_EQ(grid.CellText(6, 7), std::string(257, 'p'));
    EXPECT_EQ(grid.CellText(7, 1), "");
    EXPECT_EQ(grid.CellText(1, 9), "");

    EXPECT_EQ(PlayTimeText(125 * 60 + 7), "125:07");
    EXPECT_EQ(TotalTimeText(3725), "1:02:05 ");
    lists.PlayList().GetItem(1)->info.playLength = 0x7FFFFFFF;
    lists.PlayList().GetItem(2)->info.playLength = 0x7FFFFFFF;
    EXPECT_EQ(grid.TotalTimeText(), "1193046:28:14 ");

    // Unite mode shows the play list's title, album and file name.
    grid.SetupListMode(kUniteMode);
    EXPECT_EQ(grid.CellText(1, 3), "song.mp3");
    EXPECT_EQ(grid.CellText(2, 1), "a b c d");
}

TEST_F(PlayListGridTest, SortingKeepsBothListsAndMarkersAndTheCurrentEntryTogether) {
    Add({"C:\\3.mp3", "Beta", "Zed", "B", 17});
    Add({"C:\\1.mp3", "Alpha", "Zed", "Z", 13});
    Add({"C:\\4.mp3", "Gamma", "Abe", "C", 13});
    Add({"C:\\2.mp3", "Delta", "Abe", "C", 13});
    Add({"C:\\5.mp3", "Delta", "Zed", "B", 17});

    // Title: ascending, then descending; then Artist starts ascending.
    grid.SortByColumn(1);
    EXPECT_EQ(Column(1), (Texts{"Alpha", "Beta", "Delta", "Delta", "Gamma"}));
    grid.SortByColumn(1);
    EXPECT_EQ(Column(1), (Texts{"Gamma", "Delta", "Delta", "Beta", "Alpha"}));
    grid.SortByColumn(2); // artist, then album, then path
    EXPECT_EQ(PathsOf(lists.PlayList()),
              (Texts{"C:\\2.mp3", "C:\\4.mp3", "C:\\3.mp3", "C:\\5.mp3", "C:\\1.mp3"}));
    // Genre (Pop before Rock), then artist, album, path: "Zed" in both
    // genres must not pull entries across the genre boundary.
    grid.SortByColumn(5);
    EXPECT_EQ(PathsOf(lists.PlayList()),
              (Texts{"C:\\2.mp3", "C:\\4.mp3", "C:\\1.mp3", "C:\\3.mp3", "C:\\5.mp3"}));
    ExpectListsInStep();

    // An edit pending on the sort key in edit mode: the grid shows the edit
    // list, both lists follow its order, the marker and the current entry
    // stay with their files.
    lists.PlayList().SetCurrent(3); // 1.mp3
    ItemRecord* edited = lists.EditList().GetItem(5);
    std::strcpy(edited->info.tag.title, "Aaa"); // 5.mp3, was "Delta"
    lists.SetModified(5, true);
    grid.SetupListMode(kEditMode);
    grid.SortByColumn(1); // title: its flag flips back up, ascending
    EXPECT_EQ(Column(1), (Texts{"Aaa", "Alpha", "Beta", "Delta", "Gamma"}));
    ExpectListsInStep();
    EXPECT_EQ(Column(0), (Texts{"1 ", "2", "3", "4", "5"}));
    EXPECT_STREQ(lists.PlayList().GetItem(1)->path, "C:\\5.mp3");
    EXPECT_STREQ(lists.PlayList().GetItem(1)->info.tag.title, "Delta"); // not saved yet
    EXPECT_STREQ(lists.PlayList().GetCurrentItem()->path, "C:\\1.mp3");

    // Comment does not sort but flips the flag that FileName shares.
    const Texts before = PathsOf(lists.PlayList());
    EXPECT_FALSE(grid.SortByColumn(6));
    EXPECT_EQ(PathsOf(lists.PlayList()), before);
    grid.SortByColumn(7); // the shared flag goes back down: descending
    EXPECT_EQ(PathsOf(lists.PlayList()),
              (Texts{"C:\\5.mp3", "C:\\4.mp3", "C:\\3.mp3", "C:\\2.mp3", "C:\\1.mp3"}));
    EXPECT_EQ(Column(0), (Texts{"1 ", "2", "3", "4", "5"}));
    EXPECT_FALSE(grid.SortByColumn(0));
}

TEST_F(PlayListGridTest, MovesAndDeletesCarryMarkersAndTheCurrentEntry) {
    AddPaths({"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\d.mp3"});
    lists.SetModified(2, true);
    lists.PlayList().SetCurrent(3);

    ASSERT_TRUE(grid.SelectCell(1, 2));
    EXPECT_TRUE(grid.MoveDown()); // the marked b onto the unmarked c
    EXPECT_EQ(PathsOf(lists.PlayList()),
              (Texts{"C:\\a.mp3", "C:\\c.mp3", "C:\\b.mp3", "C:\\d.mp3"}));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3 ", "4"}));
    EXPECT_EQ(grid.CurrentRow(), 3);
    EXPECT_EQ(lists.PlayList().GetCurrent(), 2); // c.mp3 still
    grid.SelectCell(1, 2);
    EXPECT_TRUE(grid.MoveUp()); // the unmarked c past a
    EXPECT_TRUE(grid.SelectCell(1, 2));
    EXPECT_TRUE(grid.MoveDown()); // unmarked a onto marked b: the marker moves up
    EXPECT_EQ(PathsOf(lists.EditList()),
              (Texts{"C:\\c.mp3", "C:\\b.mp3", "C:\\a.mp3", "C:\\d.mp3"}));
    EXPECT_EQ(Column(0), (Texts{"1", "2 ", "3", "4"}));
    EXPECT_EQ(lists.PlayList().GetCurrent(), 1);
    grid.SelectCell(1, 1);
    EXPECT_FALSE(grid.MoveUp());
    grid.SelectCell(1, 4);
    EXPECT_FALSE(grid.MoveDown());
    EXPECT_EQ(Column(0), (Texts{"1", "2 ", "3", "4"}));

    // Deleting the first entry: the marker and the current entry move up with theirs.
    lists.PlayList().SetCurrent(3); // a.mp3
    grid.SelectCell(1, 1);
    EXPECT_TRUE(grid.DeleteRow());
    EXPECT_EQ(PathsOf(lists.PlayList()), (Texts{"C:\\b.mp3", "C:\\a.mp3", "C:\\d.mp3"}));
    ExpectListsInStep();
    EXPECT_EQ(Column(0), (Texts{"1 ", "2", "3"}));
    EXPECT_STREQ(lists.PlayList().GetCurrentItem()->path, "C:\\a.mp3");
    EXPECT_EQ(requests.countChanges, 1);
    EXPECT_TRUE(requests.posted.empty());
    // The last row: the selection stays on the new last row.
    grid.SelectCell(2, 3);
    EXPECT_TRUE(grid.DeleteRow());
    EXPECT_EQ(grid.CurrentRow(), 2);
    grid.DeleteRow();
    grid.DeleteRow();
    EXPECT_EQ(requests.posted, (std::vector<int32_t>{kRequestRefresh}));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(Column(0), (Texts{""}));
    EXPECT_FALSE(grid.DeleteRow());
    EXPECT_FALSE(grid.MoveDown());
}

TEST_F(PlayListGridTest, KeysStepTheCurrentRowWithinTheRowsAndKeepItsColumn) {
    AddPaths({"C:\\1.mp3", "C:\\2.mp3", "C:\\3.mp3", "C:\\4.mp3", "C:\\5.mp3",
              "C:\\6.mp3", "C:\\7.mp3", "C:\\8.mp3", "C:\\9.mp3", "C:\\10.mp3"});
    using Step = PlayListGrid::RowStep;
    struct Case {
        int32_t from;
        Step step;
        int32_t perPage;
        int32_t to; // 0: stays, false
    };
    const Case cases[] = {
        {5, Step::Up, 4, 4},     {5, Step::Down, 4, 6},     {5, Step::PageUp, 4, 1},
        {5, Step::PageDown, 4, 9}, {9, Step::PageDown, 4, 10}, {2, Step::PageUp, 4, 1},
        {1, Step::Up, 4, 0},     {10, Step::Down, 4, 0},    {10, Step::PageDown, 4, 0},
        {5, Step::First, 4, 1},  {5, Step::Last, 4, 10},    {1, Step::First, 4, 0},
        {5, Step::PageDown, 0, 6}, // no whole row visible: a page is one row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << ", step " << int(c.step));
        ASSERT_TRUE(grid.SelectCell(2, c.from));
        EXPECT_EQ(grid.StepRow(c.step, c.perPage), c.to != 0);
        EXPECT_EQ(grid.CurrentRow(), c.to != 0 ? c.to : c.from);
        EXPECT_EQ(grid.CurrentColumn(), 2);
    }
}

TEST_F(PlayListGridTest, PlayingARowAndClearing) {
    AddPaths({"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"});
    struct Case {
        int32_t state, column, row;
        bool plays;
        std::vector<int32_t> posted;
    };
    const Case cases[] = {
        {0, 1, 3, true, {kRequestPlay}},
        {1, 2, 2, true, {kRequestStop, kRequestPlay}},
        {2, 0, 1, true, {kRequestStop, kRequestPlay}},
        {3, 1, 2, true, {}},  // an unknown state posts nothing
        {0, 1, 0, false, {}}, // the title row
        {0, -1, 2, false, {}},
        {0, 1, 4, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "state " << c.state << " cell " << c.column << "," << c.row);
        lists.PlayList().SetCurrent(1);
        grid.SelectCell(1, 1);
        requests.posted.clear();
        requests.state = c.state;
        EXPECT_EQ(grid.PlayRow(c.column, c.row), c.plays);
        EXPECT_EQ(requests.posted, c.posted);
        EXPECT_EQ(lists.PlayList().GetCurrent(), c.plays ? c.row : 1);
        EXPECT_EQ(grid.CurrentRow(), c.plays ? c.row : 1);
    }
    // List mode selects the current entry's row when set up.
    lists.PlayList().SetCurrent(2);
    grid.SetupListMode(kListMode);
    EXPECT_EQ(grid.CurrentRow(), 2);

    requests.posted.clear();
    grid.ClearAll();
    EXPECT_EQ(requests.posted, (std::vector<int32_t>{kRequestStop, kRequestClearList}));
    EXPECT_EQ(grid.CurrentRow(), 1);
}

TEST(WindowPlacement, BesideTheMainWindowAndStretchedOnEverySide) {
    const Box screen{0, 0, 1024, 738};
    const Box second{1024, 0, 1280, 984}; // a monitor right of the first
    struct Place {
        Box main, work;
        int32_t height;
        int32_t left, top;
    };
    const Place places[] = {
        {{100, 100, 268, 45}, screen, 232, 100, 145},   // below
        {{100, 700, 268, 45}, screen, 232, 100, 468},   // above
        {{900, 100, 268, 45}, screen, 232, 543, 145},   // below, pulled in from the right
        {{100, 300, 268, 45}, screen, 700, 368, 0},     // neither: at the top, to the right
        {{800, 300, 268, 45}, screen, 700, 319, 0},     // at the top, to the left
        {{300, 300, 700, 45}, screen, 700, 0, 0},       // at the top, no room either side
        {{1100, 950, 268, 45}, second, 232, 1100, 718}, // above, on the second monitor
    };
    for (const Place& p : places) {
        const Box placed = PlaceBeside(p.main, 481, p.height, p.work);
        EXPECT_EQ(placed.left, p.left) << p.main.left << "," << p.main.top;
        EXPECT_EQ(placed.top, p.top) << p.main.left << "," << p.main.top;
        EXPECT_EQ(placed.width, 481);
        EXPECT_EQ(placed.height, p.height);
    }

    struct Stretch {
        Box window, main, work;
        int32_t top, height, left, width;
    };
    const Stretch stretches[] = {
        // Main window above / left of the list: fill below / to its right.
        {{100, 145, 481, 232}, {100, 100, 268, 45}, screen, 145, 593, 0, 1024},
        {{368, 100, 481, 232}, {100, 100, 268, 45}, screen, 0, 738, 368, 656},
        // Main window below / right of it: fill above / to its left.
        {{100, 300, 481, 232}, {150, 600, 268, 45}, screen, 0, 600, 0, 1024},
        {{100, 100, 481, 232}, {700, 150, 268, 45}, screen, 0, 738, 0, 700},
        // Nowhere near: the whole work area, here on the second monitor.
        {{1500, 100, 481, 232}, {1100, 800, 268, 45}, second, 0, 984, 1024, 1280},
    };
    for (const Stretch& s : stretches) {
        const Box tall = StretchToHeight(s.window, s.main, s.work);
        EXPECT_EQ(tall.top, s.top) << s.window.left << "," << s.window.top;
        EXPECT_EQ(tall.height, s.height) << s.window.left << "," << s.window.top;
        EXPECT_EQ(tall.left, s.window.left);
        const Box wide = StretchToWidth(s.window, s.main, s.work);
        EXPECT_EQ(wide.left, s.left) << s.window.left << "," << s.window.top;
        EXPECT_EQ(wide.width, s.width) << s.window.left << "," << s.window.top;
        EXPECT_EQ(wide.top, s.window.top);
    }

    EXPECT_EQ(GridWidthFor(481), 393);
    EXPECT_EQ(GridWidthFor(119), 32);
    const Box shrunk = ResizedBy({10, 20, 481, 232}, -400, -5);
    EXPECT_EQ(shrunk.width, 120);
    EXPECT_EQ(shrunk.height, 230);
    EXPECT_EQ(ResizedBy({10, 20, 481, 232}, 19, 40).width, 500);
    EXPECT_EQ(ResizedBy({10, 20, 481, 232}, 19, 40).left, 10);
}

} // namespace
