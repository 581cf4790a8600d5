// Byte text of the tags. Text is in the ANSI code page, Shift-JIS on the
// target: a lead byte and its trail byte form one character, and a cut must
// never leave a lead byte without its trail.
#pragma once

#include <cstddef>
#include <cstdint>

bool IsShiftJisLeadByte(uint8_t byte);
bool IsShiftJisTrailByte(uint8_t byte);

// Length of the longest prefix of text[0, length) that is at most `limit`
// bytes long and does not end inside a double-byte character.
size_t ShiftJisPrefixLength(const char* text, size_t length, size_t limit);

// `length` less one when the text ends with a lead byte that has no trail.
// Only for cuts made when writing: a text read is kept as stored, since its
// last byte may be a letter of another code page (Latin-1 "é" is 0xE9).
size_t WithoutDanglingLeadByte(const char* text, size_t length);

// Copies the text of source[0, sourceLength) up to its first NUL into `dest`
// with a NUL behind it, as stored; only a text longer than capacity - 1 bytes
// is cut, and then between characters.
void CopyTagText(char* dest, size_t capacity, const char* source, size_t sourceLength);

// Length of a record text: up to its NUL, but never past its field.
size_t RecordTextLength(const char* field, size_t fieldSize);

// The ID3v1 genre number a tag's genre text names: "(17)", "(17)Rock", "17",
// or a genre name; -1 for anything else.
int32_t GenreNumberOfTagText(const char* text);
