#pragma once

#include "ItemRecord.h"
#include "Messages.h"

#include <cstdint>
#include <string>
#include <vector>

// The play list: one growable block of item records, a current-item cursor
// and a changed flag. Items are numbered from 1. Pointers into the store stay
// valid only until the next operation that changes the count.
class TInputItemDB {
  public:
    explicit TInputItemDB(MessageSink messages = {});
    ~TInputItemDB();
    TInputItemDB(const TInputItemDB&) = delete;
    TInputItemDB& operator=(const TInputItemDB&) = delete;

    // A new zero-filled last record for the caller to fill; null (after the
    // out-of-memory message) when the block can't grow.
    ItemRecord* AppendItem();
    // Removes item `number`; out-of-range numbers do nothing. When the cursor
    // is left past the end it moves to the new last item (0 when empty).
    void DeleteItem(int32_t number);
    // Removes every listed item in one pass, for deleting a selection
    // (repeated and out-of-range numbers are ignored); the cursor as above.
    void DeleteItems(std::vector<int32_t> numbers);
    void Clear();

    int32_t GetCurrent() const { return current_; }
    int32_t GetCount() const { return count_; }
    // Null unless the cursor is on an item.
    ItemRecord* GetCurrentItem();
    // Null unless `number` is 1..count.
    ItemRecord* GetItem(int32_t number);
    const ItemRecord* GetItem(int32_t number) const;
    bool SetItem(const ItemRecord& record, int32_t number);
    bool SwapItems(int32_t a, int32_t b);
    bool SetCurrent(int32_t number);
    bool Next();
    bool Previous();
    static void ClearInfo(InputFileInfo& info);

    void SortItems(int32_t key, bool ascending);
    // Sorts each run of items with equal group text (group key artist, album,
    // year or genre; any other key does nothing).
    void SortWithinGroups(int32_t groupKey, int32_t key, bool ascending);
    // The order of SortItems by keys[0], each run of items equal in the keys
    // so far then sorted by the next key, without moving anything: the old
    // item numbers in their new places.
    std::vector<int32_t> SortOrder(const std::vector<int32_t>& keys, bool ascending) const;
    // Puts old item order[i] at place i + 1. False (nothing moved) unless
    // `order` holds each number 1..count once, or when memory runs out.
    bool Reorder(const std::vector<int32_t>& order);

    bool TakeChanged();
    // Grows with every change of the items; each reader keeps the count it
    // last saw, so one reader's look never hides a change from another.
    uint64_t ChangeCount() const { return changeCount_; }
    // Path equality without regard to the case of ASCII letters.
    bool Contains(const char* path) const;

  private:
    bool InRange(int32_t number) const { return number >= 1 && number <= count_; }
    void MarkChanged() {
        changed_ = true;
        ++changeCount_;
    }

    std::vector<std::string> KeyTextsOf(int32_t key) const;
    bool Reserve(size_t wanted);
    void ReleaseSpare();

    ItemRecord* items_ = nullptr; // count_ records in use, null when empty
    int32_t current_ = 0;
    int32_t count_ = 0;
    bool changed_ = false;
    uint64_t changeCount_ = 0;
    MessageSink messages_;
    size_t capacity_ = 0; // records the block has room for
};
