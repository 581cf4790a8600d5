// ID3 version 2 read for display: the title, artist, album, year, genre and
// comment frames of versions 2.2, 2.3 and 2.4, with unsynchronisation and
// extended headers; compressed and encrypted frames are passed over. Nothing
// here writes: the player saves its edits as ID3v1 (and Lyrics3 or INFO).
#pragma once

#include "InputFileInfo.h"
#include "TagFile.h"

#include <cstddef>
#include <cstdint>

// TagRecord::textFrom when a text of the record came from an ID3v2 tag.
constexpr uint8_t kTextFromId3v2 = 1;

// The texts of the ID3v2 tag at the start of the file, in the ANSI code page,
// cut between characters to their record fields (the year to 4 characters);
// `genre` is the ID3v1 genre number the tag names, or -1. False when the file
// has no ID3v2 tag of a version this reader knows.
bool ReadId3v2Texts(TagFile& file, TagRecord* texts);

// Fills the record from ID3v2 texts: every field when the file had no ID3v1
// tag, else only the fields the ID3v1 tag left blank (only spaces, or genre
// 255). Marks the record when a text was taken.
void TakeId3v2Texts(const TagRecord& texts, bool hadId3v1, TagRecord* tag);
