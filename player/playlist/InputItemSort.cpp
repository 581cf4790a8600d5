#include "InputItemDB.h"

#include "SortKeys.h"
#include "TextCompare.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Quicksort with the key text of the middle entry as pivot. Equal keys stop
// both scans and get swapped, so where equal items land is part of the
// contract: play lists sorted twice in a row must come out the same way.
// The smaller side is sorted by recursion and the larger by looping, which
// keeps the depth logarithmic without changing the result. `order` moves
// with the keys: it ends as the old item numbers in their new places.
void SortRange(std::vector<std::string>& keys, std::vector<int32_t>& order, int32_t first,
               int32_t last, bool ascending) {
    const int direction = ascending ? 1 : -1;
    while (first < last) {
        const std::string pivot = keys[first + (last - first) / 2];
        int32_t left = first;
        int32_t right = last;
        while (left <= right) {
            while (direction * CompareKeys(keys[left].c_str(), pivot.c_str()) < 0)
                ++left;
            while (direction * CompareKeys(keys[right].c_str(), pivot.c_str()) > 0)
                --right;
            if (left <= right) {
                if (left < right) {
                    std::swap(keys[left], keys[right]);
                    std::swap(order[left], order[right]);
                }
                ++left;
                --right;
            }
        }
        if (right - first < last - left) {
            SortRange(keys, order, first, right, ascending);
            first = left;
        } else {
            SortRange(keys, order, left, last, ascending);
            last = right;
        }
    }
}

std::vector<int32_t> Unsorted(int32_t count) {
    std::vector<int32_t> order(count);
    for (int32_t i = 0; i < count; ++i)
        order[i] = i + 1;
    return order;
}

} // namespace

std::vector<int32_t> TInputItemDB::SortOrder(int32_t key, bool ascending) const {
    std::vector<std::string> keys;
    keys.reserve(count_);
    for (int32_t i = 0; i < count_; ++i)
        keys.push_back(SortKeyOf(items_[i], key));
    std::vector<int32_t> order = Unsorted(count_);
    SortRange(keys, order, 0, count_ - 1, ascending);
    return order;
}

std::vector<int32_t> TInputItemDB::GroupSortOrder(const std::vector<int32_t>& groupKeys,
                                                  int32_t key, bool ascending) const {
    std::vector<int32_t> order = Unsorted(count_);
    std::vector<std::string> groups;
    std::vector<std::string> keys;
    groups.reserve(count_);
    keys.reserve(count_);
    for (int32_t i = 0; i < count_; ++i) {
        // The group texts joined by NUL, which no key text contains.
        std::string group;
        for (int32_t groupKey : groupKeys)
            group += SortKeyOf(items_[i], groupKey) + '\0';
        groups.push_back(std::move(group));
        keys.push_back(SortKeyOf(items_[i], key));
    }
    int32_t runStart = 0;
    for (int32_t i = 0; i < count_; ++i) {
        if (i + 1 < count_ && groups[i] == groups[i + 1]) continue;
        SortRange(keys, order, runStart, i, ascending);
        runStart = i + 1;
    }
    return order;
}

bool TInputItemDB::Reorder(const std::vector<int32_t>& order) {
    if (order.size() != size_t(count_)) return false;
    std::vector<bool> seen(count_, false);
    for (int32_t number : order) {
        if (!InRange(number) || seen[number - 1]) return false;
        seen[number - 1] = true;
    }
    if (count_ == 0) return true;
    auto* copy = static_cast<ItemRecord*>(std::malloc(size_t(count_) * sizeof(ItemRecord)));
    if (copy == nullptr) {
        if (messages_) messages_(kMsgOutOfMemory);
        return false;
    }
    std::memcpy(copy, items_, size_t(count_) * sizeof(ItemRecord));
    for (int32_t i = 0; i < count_; ++i)
        std::memcpy(&items_[i], &copy[order[i] - 1], sizeof(ItemRecord));
    std::free(copy);
    changed_ = true;
    return true;
}

void TInputItemDB::SortItems(int32_t key, bool ascending) {
    Reorder(SortOrder(key, ascending));
    changed_ = true;
}

void TInputItemDB::SortWithinGroups(int32_t groupKey, int32_t key, bool ascending) {
    if (groupKey != kKeyArtist && groupKey != kKeyAlbum && groupKey != kKeyYear &&
        groupKey != kKeyGenre) {
        return;
    }
    Reorder(GroupSortOrder({groupKey}, key, ascending));
    changed_ = true;
}
