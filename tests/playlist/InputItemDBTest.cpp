// The item store: numbering, cursor, changes and the specified quicksort.
#include "InputItemDB.h"
#include "Messages.h"
#include "SortKeys.h"
#include "TestItems.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Paths = std::vector<std::string>;

void Fill(TInputItemDB& store, const Paths& paths) {
    for (const std::string& path : paths)
        ASSERT_NE(AddTestItem(store, path), nullptr);
}

TEST(InputItemDBTest, RecordIs828BytesWithTheFixedOffsets) {
    ItemRecord record;
    const char* base = reinterpret_cast<const char*>(&record);
    EXPECT_EQ(sizeof record, 828u);
    EXPECT_EQ(reinterpret_cast<const char*>(record.info.tag.title) - base, 260);
    EXPECT_EQ(reinterpret_cast<const char*>(&record.info.tag.genre) - base, 780);
    EXPECT_EQ(reinterpret_cast<const char*>(&record.info.emphasis) - base, 824);
}

TEST(InputItemDBTest, AppendNumbersFromOneAndZeroFills) {
    TInputItemDB store;
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetItem(1), nullptr);
    ItemRecord* first = store.AppendItem();
    ASSERT_NE(first, nullptr);
    for (size_t i = 0; i < sizeof *first; ++i) {
        ASSERT_EQ(reinterpret_cast<const unsigned char*>(first)[i], 0) << i;
    }
    std::strcpy(first->path, "C:\\a.mp3");
    AddTestItem(store, "C:\\b.mp3");
    EXPECT_EQ(store.GetCount(), 2);
    EXPECT_STREQ(store.GetItem(1)->path, "C:\\a.mp3");
    EXPECT_STREQ(store.GetItem(2)->path, "C:\\b.mp3");
}

TEST(InputItemDBTest, GetItemOutsideOneToCountIsNull) {
    TInputItemDB store;
    Fill(store, {"a", "b", "c"});
    EXPECT_EQ(store.GetItem(0), nullptr);
    EXPECT_EQ(store.GetItem(4), nullptr);
    EXPECT_EQ(store.GetItem(-1), nullptr);
    EXPECT_NE(store.GetItem(3), nullptr);
}

TEST(InputItemDBTest, CursorMovesWithinTheList) {
    TInputItemDB store;
    EXPECT_EQ(store.GetCurrentItem(), nullptr);
    Fill(store, {"a", "b", "c"});
    EXPECT_EQ(store.GetCurrent(), 0);
    EXPECT_EQ(store.GetCurrentItem(), nullptr); // no current item yet
    EXPECT_TRUE(store.Next());
    EXPECT_EQ(store.GetCurrent(), 1);
    EXPECT_FALSE(store.SetCurrent(4));
    EXPECT_FALSE(store.SetCurrent(0));
    EXPECT_TRUE(store.SetCurrent(3));
    EXPECT_FALSE(store.Next());
    EXPECT_EQ(store.GetCurrent(), 3);
    EXPECT_STREQ(store.GetCurrentItem()->path, "c");
    EXPECT_TRUE(store.Previous());
    EXPECT_TRUE(store.Previous());
    EXPECT_FALSE(store.Previous());
    EXPECT_EQ(store.GetCurrent(), 1);
}

TEST(InputItemDBTest, DeleteClosesTheGap) {
    TInputItemDB store;
    Fill(store, {"a", "b", "c", "d"});
    store.DeleteItem(2);
    EXPECT_EQ(PathsOf(store), (Paths{"a", "c", "d"}));
    store.DeleteItem(3);
    EXPECT_EQ(PathsOf(store), (Paths{"a", "c"}));
    store.DeleteItem(1);
    store.DeleteItem(1);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetItem(1), nullptr);
    AddTestItem(store, "e");
    EXPECT_EQ(PathsOf(store), (Paths{"e"}));
}

TEST(InputItemDBTest, DeleteOutOfRangeDoesNothing) {
    TInputItemDB store;
    store.DeleteItem(1);
    Fill(store, {"a", "b"});
    store.TakeChanged();
    store.DeleteItem(0);
    store.DeleteItem(3);
    store.DeleteItem(-5);
    EXPECT_EQ(PathsOf(store), (Paths{"a", "b"}));
    EXPECT_FALSE(store.TakeChanged());
}

TEST(InputItemDBTest, DeletingKeepsTheCursorOnAnItem) {
    TInputItemDB store;
    Fill(store, {"a", "b", "c"});
    ASSERT_TRUE(store.SetCurrent(2));
    store.DeleteItem(1); // the cursor is not moved: it now shows "c"
    EXPECT_EQ(store.GetCurrent(), 2);
    store.DeleteItem(2); // the current and last item: the cursor falls back
    EXPECT_EQ(store.GetCurrent(), 1);
    EXPECT_STREQ(store.GetCurrentItem()->path, "b");
    store.DeleteItem(1);
    EXPECT_EQ(store.GetCurrent(), 0);
    EXPECT_EQ(store.GetCurrentItem(), nullptr);
}

TEST(InputItemDBTest, DeleteItemsRemovesASelectionInOnePass) {
    TInputItemDB store;
    Fill(store, {"a", "b", "c", "d", "e"});
    ASSERT_TRUE(store.SetCurrent(5));
    store.TakeChanged();
    store.DeleteItems({4, 2, 9, 2, 0});
    EXPECT_EQ(PathsOf(store), (Paths{"a", "c", "e"}));
    EXPECT_EQ(store.GetCurrent(), 3);
    EXPECT_TRUE(store.TakeChanged());
    store.DeleteItems({7, -1});
    EXPECT_FALSE(store.TakeChanged());
    store.DeleteItems({1, 2, 3});
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetCurrent(), 0);
}

TEST(InputItemDBTest, GrowingAndShrinkingKeepsEveryRecord) {
    TInputItemDB store;
    for (int i = 0; i < 3000; ++i)
        AddTestItem(store, std::to_string(i));
    for (int i = 0; i < 2990; ++i)
        store.DeleteItem(1);
    std::vector<int32_t> odd;
    for (int32_t number = 1; number <= 10; number += 2)
        odd.push_back(number);
    store.DeleteItems(odd);
    EXPECT_EQ(PathsOf(store), (Paths{"2991", "2993", "2995", "2997", "2999"}));
    AddTestItem(store, "x");
    EXPECT_STREQ(store.GetItem(6)->path, "x");
}

TEST(InputItemDBTest, SetSwapAndClear) {
    TInputItemDB store;
    Fill(store, {"a", "b"});
    ItemRecord replacement = *store.GetItem(1);
    std::strcpy(replacement.path, "z");
    EXPECT_FALSE(store.SetItem(replacement, 3));
    EXPECT_TRUE(store.SetItem(replacement, 2));
    EXPECT_FALSE(store.SwapItems(1, 3));
    EXPECT_FALSE(store.SwapItems(0, 1));
    EXPECT_EQ(PathsOf(store), (Paths{"a", "z"}));
    EXPECT_TRUE(store.SwapItems(1, 2));
    EXPECT_EQ(PathsOf(store), (Paths{"z", "a"}));
    store.SetCurrent(2);
    store.Clear();
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetCurrent(), 0);
}

TEST(InputItemDBTest, ChangedFlagIsSetByChangesAndTakenOnce) {
    TInputItemDB store;
    EXPECT_FALSE(store.TakeChanged());
    AddTestItem(store, "a");
    AddTestItem(store, "b");
    EXPECT_TRUE(store.TakeChanged());
    EXPECT_FALSE(store.TakeChanged());
    store.SetCurrent(1);
    store.Next();
    EXPECT_FALSE(store.TakeChanged());
    store.SwapItems(1, 2);
    EXPECT_TRUE(store.TakeChanged());
    store.SortItems(kKeyPath, true);
    EXPECT_TRUE(store.TakeChanged());
    store.DeleteItem(1);
    EXPECT_TRUE(store.TakeChanged());
    store.Clear();
    EXPECT_TRUE(store.TakeChanged());
}

TEST(InputItemDBTest, ClearInfoEmptiesTextsAndNumbers) {
    TInputItemDB store;
    ItemRecord* item = AddTestItem(store, "C:\\a.mp3", "artist", "title");
    item->info.tag.genre = 13;
    item->info.playLength = 200;
    item->info.emphasis = 1;
    TInputItemDB::ClearInfo(item->info);
    EXPECT_STREQ(item->info.tag.title, "");
    EXPECT_STREQ(item->info.tag.artist, "");
    EXPECT_EQ(item->info.tag.genre, 0);
    EXPECT_EQ(item->info.playLength, 0);
    EXPECT_EQ(item->info.emphasis, 0);
    EXPECT_STREQ(item->path, "C:\\a.mp3");
}

TEST(InputItemDBTest, ContainsIgnoresTheCaseOfLettersOnly) {
    TInputItemDB store;
    Fill(store, {"C:\\Music\\A.mp3", "C:\\\x83\x41.mp3"});
    EXPECT_TRUE(store.Contains("c:\\MUSIC\\a.MP3"));
    EXPECT_FALSE(store.Contains("C:\\Music\\A.mp"));
    EXPECT_TRUE(store.Contains("C:\\\x83\x41.MP3"));
    EXPECT_FALSE(store.Contains("C:\\\x83\x61.mp3")); // another character
}

// Items whose artist is the key text; the path tells them apart.
void FillArtists(TInputItemDB& store, const Paths& artists) {
    for (size_t i = 0; i < artists.size(); ++i) {
        AddTestItem(store, "item" + std::to_string(i + 1), artists[i]);
    }
}

Paths ArtistsOf(const TInputItemDB& store) {
    Paths artists;
    for (int32_t i = 1; i <= store.GetCount(); ++i) {
        artists.push_back(store.GetItem(i)->info.tag.artist);
    }
    return artists;
}

TEST(InputItemSortTest, SortsFiveKeysBothWays) {
    TInputItemDB store;
    FillArtists(store, {"3", "1", "2", "5", "4"});
    store.SortItems(kKeyArtist, true);
    EXPECT_EQ(ArtistsOf(store), (Paths{"1", "2", "3", "4", "5"}));
    store.SortItems(kKeyArtist, false);
    EXPECT_EQ(ArtistsOf(store), (Paths{"5", "4", "3", "2", "1"}));
}

TEST(InputItemSortTest, PrefixKeysCountAsEqual) {
    // Pivot "abc" stops both scans at once, so the two records trade places:
    // a comparison that put "abc" first would have left them alone.
    TInputItemDB store;
    FillArtists(store, {"abc", "abcd"});
    store.SortItems(kKeyArtist, true);
    EXPECT_EQ(ArtistsOf(store), (Paths{"abcd", "abc"}));
}

TEST(InputItemSortTest, EqualKeysLandWhereTheQuicksortPutsThem) {
    // Three equal keys: the outer two are swapped round the middle pivot.
    TInputItemDB store;
    FillArtists(store, {"x", "x", "x"});
    store.SortItems(kKeyArtist, true);
    EXPECT_EQ(PathsOf(store), (Paths{"item3", "item2", "item1"}));
}

TEST(InputItemSortTest, DoubleByteTextsSortBeforeAscii) {
    TInputItemDB store;
    FillArtists(store, {"B", "\x82\xa0", "A"});
    store.SortItems(kKeyArtist, true);
    EXPECT_EQ(ArtistsOf(store), (Paths{"\x82\xa0", "A", "B"}));
}

TEST(InputItemSortTest, EmptyKeysSortAsDash) {
    TInputItemDB store;
    FillArtists(store, {"b", "", "+"}); // '+' < '-' < 'b'
    store.SortItems(kKeyArtist, true);
    EXPECT_EQ(ArtistsOf(store), (Paths{"+", "", "b"}));
}

TEST(InputItemSortTest, TitleFallsBackToTheFileName) {
    TInputItemDB store;
    AddTestItem(store, "C:\\x\\c.mp3", "", "c title");
    AddTestItem(store, "C:\\z\\b.mp3", "", "");
    AddTestItem(store, "C:\\y\\d.mp3", "", "a title");
    store.SortItems(kKeyTitle, true);
    EXPECT_EQ(PathsOf(store), (Paths{"C:\\y\\d.mp3", "C:\\z\\b.mp3", "C:\\x\\c.mp3"}));
}

TEST(InputItemSortTest, NumericKeysSortAsTenDigits) {
    TInputItemDB store;
    Fill(store, {"C:\\Track10.cda", "C:\\x.mp3", "C:\\Track2.cda"});
    store.SortItems(kKeyTrailingNumber, true); // x.mp3 has -1: "-000000001"
    EXPECT_EQ(PathsOf(store), (Paths{"C:\\x.mp3", "C:\\Track2.cda", "C:\\Track10.cda"}));

    TInputItemDB lengths;
    for (int32_t seconds : {100, 9, 1000}) {
        AddTestItem(lengths, std::to_string(seconds))->info.playLength = seconds;
    }
    lengths.SortItems(kKeyPlayLength, true);
    EXPECT_EQ(PathsOf(lengths), (Paths{"9", "100", "1000"}));
}

TEST(InputItemSortTest, GenreSortsByName) {
    TInputItemDB store;
    AddTestItem(store, "pop")->info.tag.genre = 13;
    AddTestItem(store, "none")->info.tag.genre = 200;
    AddTestItem(store, "blues")->info.tag.genre = 0;
    store.SortItems(kKeyGenre, true);
    EXPECT_EQ(PathsOf(store), (Paths{"none", "blues", "pop"}));
}

TEST(InputItemSortTest, UnknownKeySortsEverythingAsEqual) {
    TInputItemDB store;
    FillArtists(store, {"b", "a"});
    store.SortItems(99, true);
    EXPECT_EQ(PathsOf(store), (Paths{"item2", "item1"})); // two equal keys swap
}

TEST(InputItemSortTest, YearWithoutNulStaysInsideItsField) {
    TInputItemDB store;
    ItemRecord* late = AddTestItem(store, "late", "", "zzz");
    std::memcpy(late->info.tag.year, "2001", 5);
    ItemRecord* early = AddTestItem(store, "early", "", "zzz");
    std::memcpy(early->info.tag.year, "19999", 5); // no NUL: the comment follows
    store.SortItems(kKeyYear, true);
    EXPECT_EQ(PathsOf(store), (Paths{"early", "late"}));
}

TEST(InputItemSortTest, SortWithinGroups) {
    TInputItemDB store;
    AddTestItem(store, "1", "A", "t2");
    AddTestItem(store, "2", "A", "t1");
    AddTestItem(store, "3", "B", "t3");
    AddTestItem(store, "4", "B", "t0");
    AddTestItem(store, "5", "C", "t9");
    store.SortWithinGroups(kKeyArtist, kKeyTitle, true);
    EXPECT_EQ(PathsOf(store), (Paths{"2", "1", "4", "3", "5"}));
    store.SortWithinGroups(kKeyArtist, kKeyTitle, false);
    EXPECT_EQ(PathsOf(store), (Paths{"1", "2", "3", "4", "5"}));
}

TEST(InputItemSortTest, GroupsEndWhereTheGroupTextDiffersExactly) {
    TInputItemDB store;
    AddTestItem(store, "1", "abc", "t2");
    AddTestItem(store, "2", "abcd", "t1");
    store.SortWithinGroups(kKeyArtist, kKeyTitle, true);
    EXPECT_EQ(PathsOf(store), (Paths{"1", "2"}));
}

TEST(InputItemSortTest, OtherGroupKeysDoNothing) {
    TInputItemDB store;
    AddTestItem(store, "b", "A", "t2");
    AddTestItem(store, "a", "A", "t1");
    store.TakeChanged();
    store.SortWithinGroups(kKeyPath, kKeyTitle, true);
    store.SortWithinGroups(kKeyTitle, kKeyTitle, true);
    EXPECT_EQ(PathsOf(store), (Paths{"b", "a"}));
    EXPECT_FALSE(store.TakeChanged());
}

TEST(InputItemSortTest, LargeSortIsOrderedAndKeepsEveryItem) {
    TInputItemDB store;
    const int count = 5000;
    for (int i = 0; i < count; ++i) {
        char artist[16];
        std::snprintf(artist, sizeof artist, "%05d", (i * 7919) % count);
        AddTestItem(store, std::to_string(i), artist);
    }
    store.SortItems(kKeyArtist, true);
    for (int i = 1; i <= count; ++i) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%05d", i - 1);
        ASSERT_STREQ(store.GetItem(i)->info.tag.artist, expected);
    }
}

} // namespace
