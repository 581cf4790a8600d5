#pragma once

#include "OpenAudioFile.h"

// Counts how deep ScanFolder and ReadM3U call each other; the outermost call
// forgets the folders walked when it ends.
class ListNesting {
  public:
    // A folder line read this deep is not scanned (each level needs a list
    // that names a further folder, and each level takes stack).
    static constexpr int kMaxDepth = 16;

    explicit ListNesting(TOpenAudioFile& owner) : owner_(owner) { ++owner_.nesting_; }
    ~ListNesting() {
        if (--owner_.nesting_ == 0) owner_.visitedFolders_.clear();
    }
    ListNesting(const ListNesting&) = delete;
    ListNesting& operator=(const ListNesting&) = delete;

    int Depth() const { return owner_.nesting_; }

  private:
    TOpenAudioFile& owner_;
};
