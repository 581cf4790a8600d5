#include "InputItemDB.h"

#include "SortKeys.h"
#include "TextCompare.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

using KeyTexts = std::vector<std::string>; // by item number - 1

// Quicksort of the places first..last of `order` (item numbers) by their
// key texts, with the key of the middle place as pivot. Equal keys stop both
// scans and get swapped, so where equal items land is part of the contract:
// play lists sorted twice in a row must come out the same way. The smaller
// side is sorted by recursion and the larger by looping, which keeps the
// depth logarithmic without changing the result.
void SortRange(const KeyTexts& keys, std::vector<int32_t>& order, int32_t first, int32_t last,
               bool ascending) {
    const int direction = ascending ? 1 : -1;
    auto key = [&](int32_t place) { return keys[order[place] - 1].c_str(); };
    while (first < last) {
        const std::string pivot = key(first + (last - first) / 2);
        int32_t left = first;
        int32_t right = last;
        while (left <= right) {
            while (direction * CompareKeys(key(left), pivot.c_str()) < 0)
                ++left;
            while (direction * CompareKeys(key(right), pivot.c_str()) > 0)
                --right;
            if (left <= right) {
                if (left < right) std::swap(order[left], order[right]);
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

// Sorts by `keys` each run of places whose items are equal in every one of
// `groups` (exact comparison).
void SortRuns(const std::vector<KeyTexts>& groups, size_t groupCount, const KeyTexts& keys,
              std::vector<int32_t>& order, bool ascending) {
    const int32_t count = int32_t(order.size());
    auto sameGroup = [&](int32_t a, int32_t b) {
        for (size_t g = 0; g < groupCount; ++g) {
            if (groups[g][order[a] - 1] != groups[g][order[b] - 1]) return false;
        }
        return true;
    };
    int32_t runStart = 0;
    for (int32_t place = 0; place < count; ++place) {
        if (place + 1 < count && sameGroup(place, place + 1)) continue;
        SortRange(keys, order, runStart, place, ascending);
        runStart = place + 1;
    }
}

std::vector<int32_t> Unsorted(int32_t count) {
    std::vector<int32_t> order(count);
    for (int32_t i = 0; i < count; ++i)
        order[i] = i + 1;
    return order;
}

} // namespace

std::vector<std::string> TInputItemDB::KeyTextsOf(int32_t key) const {
    std::vector<std::string> keys;
    keys.reserve(count_);
    for (int32_t i = 0; i < count_; ++i)
        keys.push_back(SortKeyOf(items_[i], key));
    return keys;
}

std::vector<int32_t> TInputItemDB::SortOrder(const std::vector<int32_t>& keys,
                                             bool ascending) const {
    std::vector<int32_t> order = Unsorted(count_);
    if (keys.empty()) return order;
    std::vector<KeyTexts> texts;
    for (int32_t key : keys)
        texts.push_back(KeyTextsOf(key));
    SortRange(texts[0], order, 0, count_ - 1, ascending);
    for (size_t next = 1; next < texts.size(); ++next)
        SortRuns(texts, next, texts[next], order, ascending);
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
    MarkChanged();
    return true;
}

void TInputItemDB::SortItems(int32_t key, bool ascending) {
    Reorder(SortOrder({key}, ascending));
    MarkChanged();
}

void TInputItemDB::SortWithinGroups(int32_t groupKey, int32_t key, bool ascending) {
    if (groupKey != kKeyArtist && groupKey != kKeyAlbum && groupKey != kKeyYear &&
        groupKey != kKeyGenre) {
        return;
    }
    const std::vector<KeyTexts> groups = {KeyTextsOf(groupKey)};
    std::vector<int32_t> order = Unsorted(count_);
    SortRuns(groups, 1, KeyTextsOf(key), order, ascending);
    Reorder(order);
    MarkChanged();
}
