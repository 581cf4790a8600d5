// Read values pulled back into the ranges the program relies on.
#pragma once

#include <cstdint>

inline int32_t ClampedTo(int32_t value, int32_t lowest, int32_t highest) {
    return value < lowest ? lowest : (value > highest ? highest : value);
}

// For codes with a meaning per value: anything else is the default.
inline int32_t WithinOr(int32_t value, int32_t lowest, int32_t highest, int32_t fallback) {
    return (value >= lowest && value <= highest) ? value : fallback;
}
