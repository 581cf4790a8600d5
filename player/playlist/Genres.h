#pragma once

#include <cstdint>

// The ID3v1 genre names as the player shows them, spelling included.
constexpr int32_t kGenreCount = 148;

// The name of an ID3v1 genre number; the empty text for a number without one.
const char* GenreNameOf(int32_t genre);

// The genre number of a name, without regard to ASCII case; the usual
// spellings of the names the player spells its own way count too ("Jazz+Funk"
// as well as "Juzz+Funk"). -1 for a name that is no genre's.
int32_t GenreNumberOf(const char* name);
