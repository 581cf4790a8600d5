#pragma once

#include <cstddef>
#include <string_view>

// Text of a fixed-size field that may lack its NUL.
template <size_t N> std::string_view FieldText(const char (&field)[N]) {
    size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string_view(field, length);
}
