#include "InputItemDB.h"

#include "Cp932.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

TInputItemDB::TInputItemDB(MessageSink messages) : messages_(std::move(messages)) {}

TInputItemDB::~TInputItemDB() {
    std::free(items_);
}

// The block grows by doubling, so appending stays linear overall even where
// a reallocation has to move the whole block every time.
bool TInputItemDB::Reserve(size_t wanted) {
    if (wanted <= capacity_) return true;
    const size_t limit = std::min<size_t>(std::numeric_limits<int32_t>::max(),
                                          std::numeric_limits<size_t>::max() / sizeof(ItemRecord));
    if (wanted > limit) return false;
    size_t target = std::clamp<size_t>(capacity_ * 2, std::max<size_t>(wanted, 16), limit);
    void* grown = std::realloc(items_, target * sizeof(ItemRecord));
    if (grown == nullptr && target > wanted) {
        target = wanted; // near the end of memory: ask for just enough
        grown = std::realloc(items_, target * sizeof(ItemRecord));
    }
    if (grown == nullptr) return false;
    items_ = static_cast<ItemRecord*>(grown);
    capacity_ = target;
    return true;
}

// Gives back memory once the list has shrunk to a quarter of the block.
void TInputItemDB::ReleaseSpare() {
    if (count_ == 0) {
        std::free(items_);
        items_ = nullptr;
        capacity_ = 0;
        return;
    }
    if (capacity_ <= 64 || size_t(count_) > capacity_ / 4) return;
    if (void* shrunk = std::realloc(items_, capacity_ / 2 * sizeof(ItemRecord))) {
        items_ = static_cast<ItemRecord*>(shrunk);
        capacity_ /= 2;
    }
}

ItemRecord* TInputItemDB::AppendItem() {
    if (!Reserve(size_t(count_) + 1)) {
        if (messages_) messages_(kMsgOutOfMemory);
        return nullptr;
    }
    ++count_;
    MarkChanged();
    ItemRecord* added = &items_[count_ - 1];
    std::memset(added, 0, sizeof(ItemRecord));
    return added;
}

void TInputItemDB::DeleteItem(int32_t number) {
    if (!InRange(number)) return;
    std::memmove(&items_[number - 1], &items_[number],
                 size_t(count_ - number) * sizeof(ItemRecord));
    --count_;
    if (current_ > count_) current_ = count_;
    MarkChanged();
    ReleaseSpare();
}

void TInputItemDB::DeleteItems(std::vector<int32_t> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    numbers.erase(std::remove_if(numbers.begin(), numbers.end(),
                                 [this](int32_t number) { return !InRange(number); }),
                  numbers.end());
    if (numbers.empty()) return;
    // One pass: every kept record moves at most once.
    int32_t kept = numbers[0] - 1;
    size_t next = 0;
    for (int32_t index = numbers[0] - 1; index < count_; ++index) {
        if (next < numbers.size() && numbers[next] - 1 == index) {
            ++next;
            continue;
        }
        std::memcpy(&items_[kept++], &items_[index], sizeof(ItemRecord));
    }
    count_ = kept;
    if (current_ > count_) current_ = count_;
    MarkChanged();
    ReleaseSpare();
}

void TInputItemDB::Clear() {
    std::free(items_);
    items_ = nullptr;
    capacity_ = 0;
    current_ = 0;
    count_ = 0;
    MarkChanged();
}

ItemRecord* TInputItemDB::GetCurrentItem() {
    return GetItem(current_);
}

ItemRecord* TInputItemDB::GetItem(int32_t number) {
    return InRange(number) ? &items_[number - 1] : nullptr;
}

const ItemRecord* TInputItemDB::GetItem(int32_t number) const {
    return InRange(number) ? &items_[number - 1] : nullptr;
}

bool TInputItemDB::SetItem(const ItemRecord& record, int32_t number) {
    if (!InRange(number)) return false;
    std::memmove(&items_[number - 1], &record, sizeof(ItemRecord));
    MarkChanged();
    return true;
}

bool TInputItemDB::SwapItems(int32_t a, int32_t b) {
    if (!InRange(a) || !InRange(b)) return false;
    std::swap(items_[a - 1], items_[b - 1]);
    MarkChanged();
    return true;
}

bool TInputItemDB::SetCurrent(int32_t number) {
    if (!InRange(number)) return false;
    current_ = number;
    return true;
}

bool TInputItemDB::Next() {
    if (current_ >= count_) return false;
    ++current_;
    return true;
}

bool TInputItemDB::Previous() {
    if (current_ < 2) return false;
    --current_;
    return true;
}

void TInputItemDB::ClearInfo(InputFileInfo& info) {
    std::memset(&info, 0, sizeof info);
}

bool TInputItemDB::TakeChanged() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

bool TInputItemDB::Contains(const char* path) const {
    const std::string wanted = ToLowerAnsi(path);
    for (int32_t i = 0; i < count_; ++i) {
        if (ToLowerAnsi(FieldText(items_[i].path)) == wanted) return true;
    }
    return false;
}
