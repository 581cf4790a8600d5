#pragma once

#include <cstdint>

// The ID3v1 genre names as the player shows them, spelling included.
constexpr int32_t kGenreCount = 148;

// The name of an ID3v1 genre number; the empty text for a number without one.
const char* GenreNameOf(int32_t genre);
