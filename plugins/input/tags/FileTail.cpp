#include "FileTail.h"

#include <vector>

namespace {

// Puts the old bytes and the old length back after a failed rewrite.
void RestoreTail(TagFile& file, int64_t start, const std::vector<uint8_t>& oldBytes,
                 int64_t oldSize) {
    if (!oldBytes.empty()) file.WriteAt(start, oldBytes.data(), oldBytes.size());
    file.Resize(oldSize);
}

} // namespace

bool ReplaceFileTail(TagFile& file, int64_t start, const uint8_t* data, size_t size) {
    int64_t oldSize = file.Size();
    if (oldSize < 0 || start < 0 || start > oldSize) return false;
    const int64_t newEnd = start + static_cast<int64_t>(size);
    const int64_t overlapEnd = newEnd < oldSize ? newEnd : oldSize;

    std::vector<uint8_t> oldBytes(static_cast<size_t>(oldSize - start));
    if (!ReadExactAt(file, start, oldBytes.data(), oldBytes.size())) return false;

    if (newEnd > oldSize) {
        size_t skip = static_cast<size_t>(oldSize - start);
        if (!file.WriteAt(oldSize, data + skip, size - skip)) {
            file.Resize(oldSize);
            return false;
        }
    }
    if (overlapEnd > start && !file.WriteAt(start, data, static_cast<size_t>(overlapEnd - start))) {
        RestoreTail(file, start, oldBytes, oldSize);
        return false;
    }
    if (newEnd < oldSize && !file.Resize(newEnd)) {
        RestoreTail(file, start, oldBytes, oldSize);
        return false;
    }
    return true;
}
