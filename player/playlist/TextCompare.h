#pragma once

#include <cstddef>

// True for an empty text or one of spaces only.
bool IsBlank(const char* text);

// The play list's sort comparison: byte by byte as signed 8-bit values, so
// double-byte characters sort before ASCII; a text that is a prefix of the
// other compares equal. <0, 0 or >0.
int CompareKeys(const char* a, const char* b);

// Compares the first `count` characters without regard to the case of ASCII
// letters (the second byte of a double-byte character is never folded).
// -1, 0 or 1.
int CompareFolded(const char* a, const char* b, size_t count);

// Replaces every line feed by NUL; true if there was one.
bool StripLineFeeds(char* text);
