// Moving, deleting and sorting entries on both lists in step.
#include "OpenAudioFile.h"

#include <algorithm>

// Items appended to the lists directly (not through AddFiles) start unmarked.
void TOpenAudioFile::FitFlags() {
    modified_.resize(size_t(playList_.GetCount()), 0);
}

bool TOpenAudioFile::SwapEntries(int32_t a, int32_t b) {
    if (editList_.GetItem(a) == nullptr || editList_.GetItem(b) == nullptr) return false;
    if (!playList_.SwapItems(a, b)) return false;
    FitFlags();
    editList_.SwapItems(a, b);
    std::swap(modified_[a - 1], modified_[b - 1]);
    const int32_t current = playList_.GetCurrent();
    if (current == a) playList_.SetCurrent(b);
    if (current == b) playList_.SetCurrent(a);
    return true;
}

bool TOpenAudioFile::DeleteEntry(int32_t number) {
    if (playList_.GetItem(number) == nullptr || editList_.GetItem(number) == nullptr) return false;
    FitFlags();
    const int32_t current = playList_.GetCurrent();
    playList_.DeleteItem(number);
    editList_.DeleteItem(number);
    modified_.erase(modified_.begin() + (number - 1));
    // The entries behind the deleted one move up; a deleted current entry
    // hands over to the one that takes its place (the last when it was last).
    if (current > number) playList_.SetCurrent(current - 1);
    return true;
}

bool TOpenAudioFile::ReorderEntries(const std::vector<int32_t>& order) {
    if (editList_.GetCount() != playList_.GetCount()) return false;
    if (!playList_.Reorder(order)) return false;
    if (!editList_.Reorder(order)) {
        // Out of memory for the second list: put the first one back.
        std::vector<int32_t> back(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            back[order[i] - 1] = static_cast<int32_t>(i + 1);
        playList_.Reorder(back);
        return false;
    }
    FitFlags();
    std::vector<uint8_t> flags(order.size());
    const int32_t current = playList_.GetCurrent();
    for (size_t i = 0; i < order.size(); ++i) {
        flags[i] = modified_[order[i] - 1];
        if (order[i] == current) playList_.SetCurrent(static_cast<int32_t>(i + 1));
    }
    modified_ = std::move(flags);
    return true;
}

void TOpenAudioFile::ClearLists() {
    playList_.Clear();
    editList_.Clear();
    modified_.clear();
}

bool TOpenAudioFile::IsModified(int32_t number) const {
    return number >= 1 && size_t(number) <= modified_.size() && modified_[number - 1] != 0;
}

void TOpenAudioFile::SetModified(int32_t number, bool modified) {
    FitFlags();
    if (number >= 1 && size_t(number) <= modified_.size()) modified_[number - 1] = modified;
}
