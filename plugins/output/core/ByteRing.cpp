#include "ByteRing.h"

#include <algorithm>
#include <cstring>

ByteRing::ByteRing(size_t capacity) : storage(capacity) {}

size_t ByteRing::Push(const uint8_t* bytes, size_t count) {
    const size_t total = std::min(count, room());
    size_t done = 0;
    while (done < total) {
        const size_t end = (start + held) % storage.size();
        const size_t piece = std::min(total - done, storage.size() - end);
        std::memcpy(storage.data() + end, bytes + done, piece);
        held += piece;
        done += piece;
    }
    return total;
}

size_t ByteRing::Pop(uint8_t* out, size_t count) {
    const size_t total = std::min(count, held);
    size_t done = 0;
    while (done < total) {
        const size_t piece = std::min(total - done, storage.size() - start);
        std::memcpy(out + done, storage.data() + start, piece);
        start = (start + piece) % storage.size();
        held -= piece;
        done += piece;
    }
    if (held == 0) start = 0;
    return total;
}

void ByteRing::Clear() {
    start = 0;
    held = 0;
}
