#include "Shuffle.h"

#include <new>
#include <utility>

TShuffle::TShuffle(RandomGenerator& random) : random_(random) {}

TShuffle::~TShuffle() {
    Clear();
}

bool TShuffle::Build(int32_t n) {
    if (order_ != nullptr || n < 1) return false;
    order_ = new (std::nothrow) int32_t[n];
    if (order_ == nullptr) return false;
    size_ = n;
    position_ = 0;
    for (int32_t i = 0; i < n; ++i)
        order_[i] = i + 1;
    for (int32_t i = 0; i < n; ++i)
        std::swap(order_[i], order_[random_.Next31() % n]);
    return true;
}

bool TShuffle::Rebuild(int32_t n) {
    Clear();
    return Build(n);
}

void TShuffle::Clear() {
    delete[] order_;
    order_ = nullptr;
    position_ = 0;
    size_ = 0;
}

int32_t TShuffle::NextInOrder() {
    if (order_ == nullptr) return 1;
    if (++position_ > size_ - 1) position_ = 0;
    return order_[position_];
}

int32_t TShuffle::PreviousInOrder() {
    if (order_ == nullptr) return 1;
    if (--position_ < 0) position_ = size_ - 1;
    return order_[position_];
}
