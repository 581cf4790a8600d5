// Edit and unite mode: recording edits into the edit list, the tag save over
// every kind of file, the proposed names and the renaming with its refusals.
#include "FakeInput.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "PlayListGrid.h"
#include "TestItems.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using Texts = std::vector<std::string>;

class Requests : public PlayListRequests {
  public:
    std::vector<int32_t> posted;
    std::vector<PlayListMessage> messages;
    int32_t state = 0;
    void Post(int32_t command) override { posted.push_back(command); }
    int32_t InputState() override { return state; }
    void EntryCountChanged() override {}
    void ShowMessage(PlayListMessage message) override { messages.push_back(message); }
};

// Records every tag writer call; ID3v1 fails for the files in `failing`.
class WritingInput : public FakeInput {
  public:
    std::vector<std::string> calls;
    std::set<std::string> failing;
    std::map<std::string, std::string> writtenTitles;
    int32_t WriteID3v1(const char* path, const TagRecord* tag) override {
        calls.push_back(std::string("ID3v1 ") + path);
        if (failing.count(path) != 0) return 0;
        writtenTitles[path] = tag->title;
        return 1;
    }
    int32_t WriteRiffInfo(const char* path, const TagRecord*) override {
        calls.push_back(std::string("RIFF ") + path);
        return 1;
    }
    int32_t WriteLyrics3(const char* path, const TagRecord*) override {
        calls.push_back(std::string("Lyrics3 ") + path);
        return 1;
    }
};

// Moves names in a set of existing files; never replaces.
class FakeMover : public FileMover {
  public:
    std::set<std::string> files;
    std::vector<std::string> moves;
    bool Move(const std::string& from, const std::string& to) override {
        if (files.count(from) == 0 || files.count(to) != 0) return false;
        files.erase(from);
        files.insert(to);
        moves.push_back(to);
        return true;
    }
};

class TagEditingTest : public ::testing::Test {
  protected:
    MemoryFileAccess files;
    TOpenAudioFile lists{files, {}};
    Requests requests;
    PlayListGrid grid{lists, requests};

    void Add(const std::string& path, const std::string& title, int32_t genre = 255) {
        for (TInputItemDB* list : {&lists.PlayList(), &lists.EditList()}) {
            ItemRecord* item = AddTestItem(*list, path, "artist " + path, title);
            std::strcpy(item->info.tag.year, "1999");
            item->info.tag.genre = genre;
        }
    }
    const TagRecord& Edited(int32_t n) { return lists.EditList().GetItem(n)->info.tag; }
    const TagRecord& Shown(int32_t n) { return lists.PlayList().GetItem(n)->info.tag; }
};

TEST_F(TagEditingTest, EditsGoIntoTheEditListCutBetweenCharacters) {
    Add("C:\\a.mp3", "A", 255);
    Add("C:\\b.mp3", "B", 17);
    Add("C:\\c.mp3", "C", 13);
    grid.SetupListMode(kEditMode);

    // A two-byte character across the 127- and 4-byte limits is left out whole.
    const std::string wide = "\x82\xa0";
    EXPECT_TRUE(grid.SetEditText(1, 1, std::string(126, 't') + wide));
    EXPECT_TRUE(grid.SetEditText(4, 1, "199" + wide));
    EXPECT_TRUE(grid.SetEditText(6, 1, std::string(200, 'c')));
    EXPECT_EQ(std::string(Edited(1).title), std::string(126, 't'));
    EXPECT_STREQ(Edited(1).year, "199");
    EXPECT_EQ(std::string(Edited(1).comment), std::string(127, 'c'));
    EXPECT_STREQ(Shown(1).title, "A"); // the play list waits for the save
    EXPECT_EQ(grid.CellText(1, 0), "1 ");
    EXPECT_EQ(grid.CellText(2, 0), "2");
    // Genre names to numbers; text that names none keeps the number, so a
    // file without a genre does not get 147 by an edit of another field.
    EXPECT_EQ(Edited(1).genre, 255);
    const std::pair<const char*, int32_t> genres[] = {{"Pop", 13},       {"JPop", 146},
                                                      {"Synthpop", 146}, {"Unknown", 146},
                                                      {"pop", 146},      {"Blues", 0}};
    for (const auto& [name, number] : genres) {
        EXPECT_TRUE(grid.SetEditText(5, 2, name));
        EXPECT_EQ(Edited(2).genre, number) << name;
    }
    // FileName is shown but never taken; a row without a record is refused.
    EXPECT_FALSE(grid.SetEditText(7, 3, "x.mp3"));
    EXPECT_STREQ(lists.EditList().GetItem(3)->path, "C:\\c.mp3");
    EXPECT_FALSE(grid.SetEditText(1, 9, "x"));
    EXPECT_EQ(requests.messages, std::vector<PlayListMessage>{PlayListMessage::NoEditRecord});

    // "コピー": row 2's title copies its other texts into row 3, selects row
    // 3's title, and leaves row 3's record alone until row 3 is edited.
    grid.SetTagCopy(true);
    EXPECT_TRUE(grid.SetEditText(1, 2, "Rain"));
    EXPECT_EQ(grid.CurrentColumn(), 1);
    EXPECT_EQ(grid.CurrentRow(), 3);
    EXPECT_EQ(grid.CellText(3, 2), "artist C:\\b.mp3");
    EXPECT_EQ(grid.CellText(3, 5), "Blues");
    EXPECT_EQ(grid.CellText(3, 0), "3");
    EXPECT_EQ(Edited(3).genre, 13);
    EXPECT_TRUE(grid.SetEditText(1, 3, "Snow")); // the last row copies nowhere
    EXPECT_STREQ(Edited(3).artist, "artist C:\\b.mp3");
    EXPECT_EQ(Edited(3).genre, 0);
    EXPECT_STREQ(Edited(3).title, "Snow");
    EXPECT_EQ(grid.CurrentRow(), 3);
}

// Hostile clipboard texts through the paste's first-line cut and the edit:
// only the first line arrives, cut to the field between characters, and a
// megabyte costs no more than a field's worth.
TEST_F(TagEditingTest, PastedTextsArriveAsTheirFirstLineCutToTheField) {
    Add("C:\\a.mp3", "A");
    grid.SetupListMode(kEditMode);
    const std::string wide = "\x82\xa0"; // one two-byte character
    std::string megabyte;
    for (size_t i = 0; i < 512 * 1024; ++i)
        megabyte += wide;
    struct Case {
        std::string clipboard;
        int32_t column;
        std::string line;   // what the paste takes
        std::string stored; // what the record's field holds
    };
    const Case cases[] = {
        {megabyte, 1, megabyte.substr(0, 1024), megabyte.substr(0, 126)},
        {std::string(1 << 20, 'y'), 4, std::string(1024, 'y'), "yyyy"},
        {"Kiri\r\nsecond line", 2, "Kiri", "Kiri"},
        {"Rain\nx", 3, "Rain", "Rain"},
        {"Snow\rx", 6, "Snow", "Snow"},
        {std::string("Al\0bum", 6), 3, "Al", "Al"},
        {"\r\nbelow", 1, "", ""},
        {"", 2, "", ""},
    };
    for (const Case& c : cases) {
        const std::string_view line = PastedLine(std::string_view(c.clipboard), 1024);
        EXPECT_EQ(line, c.line) << c.column;
        EXPECT_TRUE(grid.SetEditText(c.column, 1, std::string(line)));
        const TagRecord& tag = Edited(1);
        const char* fields[] = {nullptr,  tag.title, tag.artist, tag.album,
                                tag.year, nullptr,   tag.comment};
        EXPECT_EQ(fields[c.column], c.stored) << c.column;
    }
    // The clipboard's own characters are 16 bits wide on Windows.
    const std::u16string wideText = u"\u96e8\r\n\u96ea";
    EXPECT_EQ(PastedLine(std::u16string_view(wideText), 1024), u"\u96e8");
    EXPECT_EQ(PastedLine(std::u16string_view(u"abc"), 2), u"ab");
}

TEST_F(TagEditingTest, SavingWritesEachKindItsWayAndKeepsTheFailedMarked) {
    WritingInput input;
    input.failing.insert("C:\\b.mp3");
    for (const char* path :
         {"C:\\a.rmp", "C:\\b.mp3", "C:\\c.mp2", "C:\\d.wav", "D:\\Track01.cda", "C:\\f.mp3"})
        Add(path, "old");
    grid.SetupListMode(kEditMode);
    for (int32_t n = 1; n <= 5; ++n)
        grid.SetEditText(1, n, "new " + std::to_string(n));

    grid.SaveTags(input);
    EXPECT_EQ(input.calls, (Texts{"RIFF C:\\a.rmp", "ID3v1 C:\\a.rmp", "Lyrics3 C:\\b.mp3",
                                  "ID3v1 C:\\b.mp3", "Lyrics3 C:\\c.mp2", "ID3v1 C:\\c.mp2"}));
    EXPECT_EQ(input.writtenTitles["C:\\c.mp2"], "new 3");
    Texts titles;
    for (int32_t n = 1; n <= 6; ++n)
        titles.push_back(Shown(n).title);
    EXPECT_EQ(titles, (Texts{"new 1", "old", "new 3", "old", "old", "old"}));
    EXPECT_EQ(std::memcmp(&lists.PlayList().GetItem(1)->info, &lists.EditList().GetItem(1)->info,
                          sizeof(InputFileInfo)),
              0);
    // Only the failed file stays marked; its edit waits in the edit list.
    Texts numbers;
    for (int32_t n = 1; n <= 6; ++n)
        numbers.push_back(grid.CellText(n, 0));
    EXPECT_EQ(numbers, (Texts{"1", "2 ", "3", "4", "5", "6"}));
    EXPECT_STREQ(Edited(2).title, "new 2");
    EXPECT_EQ(requests.posted, std::vector<int32_t>{kRequestRefresh});
    EXPECT_EQ(requests.messages, std::vector<PlayListMessage>{PlayListMessage::TagSaveFailed});

    // A second save writes only the one still marked, and succeeds.
    input.failing.clear();
    input.calls.clear();
    requests.messages.clear();
    grid.SaveTags(input);
    EXPECT_EQ(input.calls, (Texts{"Lyrics3 C:\\b.mp3", "ID3v1 C:\\b.mp3"}));
    EXPECT_STREQ(Shown(2).title, "new 2");
    EXPECT_TRUE(requests.messages.empty());
}

TEST(UnitedNames, KeywordAndTitleNaming) {
    struct Case {
        UniteNaming naming;
        int32_t number;
        const char* title;
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {{false, true, "album"}, 3, "x", "C:\\m\\Song.MP3", "album03.mp3"},
        {{false, false, ""}, 1, "x", "C:\\m\\a.mp3", "01.mp3"},
        {{false, true, "k"}, 123, "x", "C:\\a.b.WAV", "k123.wav"},
        {{true, true, "-"}, 12, "Rain", "C:\\m\\x.mp3", "12-Rain.mp3"},
        {{true, true, " "}, 9, "Rain", "C:\\m\\x.mp3", "09 Rain.mp3"},
        {{true, false, "-"}, 12, "Rain", "C:\\m\\x.mp3", "Rain.mp3"},
        {{true, false, "-"}, 1, "a\\b", "C:\\m\\x.mp3", "a\\b.mp3"}, // nothing replaced
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnitedName(c.naming, c.number, c.title, c.path), c.name);

    EXPECT_TRUE(IsAcceptableNewPath("12-Rain.mp3", "C:\\m\\12-Rain.mp3"));
    EXPECT_TRUE(IsAcceptableNewPath("CONCERT.mp3", "C:\\CONCERT.mp3"));
    for (const char* name :
         {".mp3", "..\\..\\x.mp3", "a/b.mp3", "con.mp3", "NUL.wav", "COM1.mp3", "lpt9.mp3", ""})
        EXPECT_FALSE(IsAcceptableNewPath(name, std::string("C:\\") + name)) << name;
    EXPECT_TRUE(IsAcceptableNewPath("a.mp3", std::string(259, 'p')));
    EXPECT_FALSE(IsAcceptableNewPath("a.mp3", std::string(260, 'p')));
}

TEST_F(TagEditingTest, RenamingMovesWhatItMayAndReportsTheRest) {
    const std::string deep = "C:\\" + std::string(240, 'd') + "\\";
    Add("C:\\m\\a.mp3", "Rain");
    Add("C:\\m\\b.mp3", "..\\..\\x");    // would leave the folder
    Add("C:\\m\\c.MP3", "Snow");         // the target exists
    Add("D:\\Track04.cda", "CD");        // skipped, not failed
    Add(deep + "e.mp3", "A long title"); // the new path would not fit the record
    Add("C:\\m\\f.wav", "CON");          // numbered: no device name
    FakeMover mover;
    for (int32_t n = 1; n <= 6; ++n)
        mover.files.insert(lists.PlayList().GetItem(n)->path);
    mover.files.insert("C:\\m\\03-Snow.mp3");
    grid.SetupListMode(kUniteMode);
    grid.SetUniteNaming({true, true, "-"});
    EXPECT_EQ(grid.CellText(1, 4), "01-Rain.mp3");

    requests.state = 2; // paused: nothing moves
    EXPECT_FALSE(grid.RenameFiles(mover));
    EXPECT_TRUE(mover.moves.empty());
    requests.state = 0;
    EXPECT_FALSE(grid.RenameFiles(mover));
    EXPECT_EQ(mover.moves, (Texts{"C:\\m\\01-Rain.mp3", "C:\\m\\06-CON.wav"}));
    EXPECT_EQ(PathsOf(lists.PlayList()),
              (Texts{"C:\\m\\01-Rain.mp3", "C:\\m\\b.mp3", "C:\\m\\c.MP3", "D:\\Track04.cda",
                     deep + "e.mp3", "C:\\m\\06-CON.wav"}));
    EXPECT_EQ(PathsOf(lists.EditList()), PathsOf(lists.PlayList()));
    EXPECT_EQ(requests.messages, (std::vector<PlayListMessage>{PlayListMessage::RenameWhilePlaying,
                                                               PlayListMessage::RenameFailed}));

    // A second run over names already given moves nothing and fails nothing.
    for (int32_t n = 6; n >= 2; --n) {
        grid.SelectCell(1, n);
        grid.DeleteRow();
    }
    requests.messages.clear();
    mover.moves.clear();
    EXPECT_TRUE(grid.RenameFiles(mover));
    EXPECT_TRUE(mover.moves.empty());
    EXPECT_TRUE(requests.messages.empty());
}

} // namespace
