#include "InputItemDB.h"

#include "SortKeys.h"
#include "TextCompare.h"

#include <cstring>
#include <utility>

void TInputItemDB::SwapRecords(std::vector<std::string>& keys, int32_t a, int32_t b) {
    std::swap(items_[a], items_[b]);
    std::swap(keys[a], keys[b]);
}

// Quicksort with the key text of the middle record as pivot. Equal keys stop
// both scans and get swapped, so where equal items land is part of the
// contract: play lists sorted twice in a row must come out the same way.
// The smaller side is sorted by recursion and the larger by looping, which
// keeps the depth logarithmic without changing the result.
void TInputItemDB::SortRange(std::vector<std::string>& keys, int32_t first, int32_t last,
                             bool ascending) {
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
                if (left < right) SwapRecords(keys, left, right);
                ++left;
                --right;
            }
        }
        if (right - first < last - left) {
            SortRange(keys, first, right, ascending);
            first = left;
        } else {
            SortRange(keys, left, last, ascending);
            last = right;
        }
    }
}

void TInputItemDB::SortItems(int32_t key, bool ascending) {
    std::vector<std::string> keys;
    keys.reserve(count_);
    for (int32_t i = 0; i < count_; ++i)
        keys.push_back(SortKeyOf(items_[i], key));
    SortRange(keys, 0, count_ - 1, ascending);
    MarkChanged();
}

void TInputItemDB::SortWithinGroups(int32_t groupKey, int32_t key, bool ascending) {
    if (groupKey != kKeyArtist && groupKey != kKeyAlbum && groupKey != kKeyYear &&
        groupKey != kKeyGenre) {
        return;
    }
    std::vector<std::string> groups;
    std::vector<std::string> keys;
    groups.reserve(count_);
    keys.reserve(count_);
    for (int32_t i = 0; i < count_; ++i) {
        groups.push_back(SortKeyOf(items_[i], groupKey));
        keys.push_back(SortKeyOf(items_[i], key));
    }
    int32_t runStart = 0;
    for (int32_t i = 0; i < count_; ++i) {
        if (i + 1 < count_ && groups[i] == groups[i + 1]) continue;
        SortRange(keys, runStart, i, ascending);
        runStart = i + 1;
    }
    MarkChanged();
}
