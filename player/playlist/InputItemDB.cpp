#include "InputItemDB.h"

#include "Cp932.h"

#include <cstdlib>
#include <cstring>
#include <limits>

TInputItemDB::TInputItemDB(MessageSink messages) : messages_(std::move(messages)) {}

TInputItemDB::~TInputItemDB() {
    std::free(items_);
}

ItemRecord* TInputItemDB::AppendItem() {
    const size_t newCount = size_t(count_) + 1;
    const bool tooMany = newCount > size_t(std::numeric_limits<int32_t>::max()) ||
                         newCount > std::numeric_limits<size_t>::max() / sizeof(ItemRecord);
    void* grown = tooMany ? nullptr : std::realloc(items_, newCount * sizeof(ItemRecord));
    if (grown == nullptr) {
        if (messages_) messages_(kMsgOutOfMemory);
        return nullptr;
    }
    items_ = static_cast<ItemRecord*>(grown);
    ++count_;
    changed_ = true;
    ItemRecord* added = &items_[count_ - 1];
    std::memset(added, 0, sizeof(ItemRecord));
    return added;
}

void TInputItemDB::DeleteItem(int32_t number) {
    if (!InRange(number)) return;
    // Close the gap in place; a failed shrink just keeps the larger block.
    std::memmove(&items_[number - 1], &items_[number],
                 size_t(count_ - number) * sizeof(ItemRecord));
    --count_;
    if (count_ == 0) {
        std::free(items_);
        items_ = nullptr;
    } else if (void* shrunk = std::realloc(items_, size_t(count_) * sizeof(ItemRecord))) {
        items_ = static_cast<ItemRecord*>(shrunk);
    }
    if (current_ > count_) current_ = count_;
    changed_ = true;
}

void TInputItemDB::Clear() {
    std::free(items_);
    items_ = nullptr;
    current_ = 0;
    count_ = 0;
    changed_ = true;
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
    changed_ = true;
    return true;
}

bool TInputItemDB::SwapItems(int32_t a, int32_t b) {
    if (!InRange(a) || !InRange(b)) return false;
    std::swap(items_[a - 1], items_[b - 1]);
    changed_ = true;
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
