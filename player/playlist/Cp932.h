#pragma once

#include <string>
#include <string_view>
#include <vector>

// Byte text in code page 932 (Shift-JIS). A backslash or a letter byte can be
// the second half of a double-byte character, so path splitting and case
// folding walk the text character by character.

bool IsLeadByte932(unsigned char byte);

// Byte length of the character that starts at `index` (1 or 2; 1 for a lead
// byte cut off by the end of the text).
size_t CharLength932(std::string_view text, size_t index);

// Index of the last backslash that is a character of its own, or npos.
size_t LastBackslash(std::string_view text);

// Index of the first backslash at or after `from` that is a character of its
// own, or npos. `from` must be at a character boundary.
size_t NextBackslash(std::string_view text, size_t from);

// At most `maxBytes` bytes of `text`, cut between characters: a lead byte
// whose second half is cut off (or missing in `text`) is dropped.
std::string_view WholeCharacters(std::string_view text, size_t maxBytes = std::string_view::npos);

// ASCII letters in lower case; double-byte characters untouched.
std::string ToLowerAnsi(std::string_view text);

// Ordering of file names without regard to case: ASCII letters folded, the
// backslash lowest, everything else by unsigned byte value. <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);

// Sorts file names ascending by CompareNoCase; equal names keep their order.
void SortNoCase(std::vector<std::string>& names);
