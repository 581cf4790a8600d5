// Locating and walking a Lyrics3 version 2.00 block: "LYRICSBEGIN", fields of
// a 3-character identifier, 5 decimal digits of length and data, then the
// block size in 6 digits and "LYRICS200", right before an ID3v1 tag.
#pragma once

#include "TagFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr size_t kLyrics3BeginSize = 11;      // "LYRICSBEGIN"
constexpr size_t kLyrics3TrailerSize = 15;    // size digits and "LYRICS200"
constexpr size_t kLyrics3FieldHeaderSize = 8; // identifier and length digits

struct Lyrics3Block {
    int64_t start;        // of "LYRICSBEGIN"
    int64_t fieldsOffset; // behind "LYRICSBEGIN"
    int64_t fieldsSize;
    int64_t end; // behind "LYRICS200", where the ID3v1 tag begins (if any)
};

struct Lyrics3Field {
    char id[3];
    int64_t dataOffset;
    size_t length;
};

inline bool Lyrics3FieldIs(const Lyrics3Field& field, const char* id) {
    return std::memcmp(field.id, id, 3) == 0;
}

// Parses `count` decimal digits; false when any byte is not a digit.
bool ParseLyrics3Digits(const uint8_t* digits, size_t count, int64_t* value);

// What follows a block: an ID3v1 tag, as the format has it, or nothing (a
// block written to a file that has not yet got its ID3v1 tag).
enum class Lyrics3Follower { Id3v1Tag, EndOfFile };

// Finds a block whose size digits and marks are in place, followed as asked.
bool LocateLyrics3Block(TagFile& file, Lyrics3Follower follower, Lyrics3Block* block);

// Reads the field header at `offset`; false when it does not fit before
// `end`, can't be read, has a length that is not 5 digits or data that runs
// past `end`.
bool ReadLyrics3FieldHeader(TagFile& file, int64_t offset, int64_t end, Lyrics3Field* field);

// Calls visit(const Lyrics3Field&) for each field in order. True when the
// fields fill the block (fewer bytes than a field header may be left over);
// false when a field is broken or can't be read, after visiting those before.
template <typename Visit>
bool ForEachLyrics3Field(TagFile& file, const Lyrics3Block& block, Visit visit) {
    const int64_t end = block.fieldsOffset + block.fieldsSize;
    int64_t at = block.fieldsOffset;
    while (end - at >= static_cast<int64_t>(kLyrics3FieldHeaderSize)) {
        Lyrics3Field field;
        if (!ReadLyrics3FieldHeader(file, at, end, &field) || !visit(field)) return false;
        at = field.dataOffset + static_cast<int64_t>(field.length);
    }
    return true;
}
