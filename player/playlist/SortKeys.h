#pragma once

#include "ItemRecord.h"

#include <cstdint>
#include <string>

// Sort key numbers of the play list's columns.
enum SortKey : int32_t {
    kKeyTrailingNumber = 0,
    kKeyPath = 1,
    kKeyArtist = 2,
    kKeyAlbum = 3,
    kKeyTitle = 4, // the file name when the title is empty
    kKeyPlayLength = 5,
    kKeyYear = 6,
    kKeyGenre = 7,
};

// The text an item sorts by (at most 260 bytes; "-" instead of empty).
std::string SortKeyOf(const ItemRecord& item, int32_t key);
