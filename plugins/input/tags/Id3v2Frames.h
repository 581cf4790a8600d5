// ID3 version 2 read for display: the title, artist, album, year, genre and
// comment frames of versions 2.2, 2.3 and 2.4, with unsynchronisation and
// extended headers; compressed and encrypted frames are passed over. Nothing
// here writes: the player saves its edits as ID3v1 (and Lyrics3 or INFO).
// The track number (TRCK) is not read: the record has no field for it and no
// window shows one.
#pragma once

#include "InputFileInfo.h"
#include "TagFile.h"

#include <cstddef>
#include <cstdint>

// TagRecord::textFrom when a text of the record came from an ID3v2 tag.
constexpr uint8_t kTextFromId3v2 = 1;

// The texts of the ID3v2 tags at the start of the file, in the ANSI code page,
// cut between characters to their record fields (the year to 4 characters);
// `genre` is the ID3v1 genre number the tags name, or -1. A tag stacked
// behind another fills only what the ones before it left blank. False when
// the file has no ID3v2 tag of a version this reader knows.
bool ReadId3v2Texts(TagFile& file, TagRecord* texts);

// As ReadId3v2Texts for the one tag at `start` (a WAVE file's "id3 " chunk),
// whose bytes end at `limit`.
bool ReadId3v2TextsAt(TagFile& file, int64_t start, int64_t limit, TagRecord* texts);

// Fills the record's blank texts (empty or only spaces) from ID3v2 texts,
// and its genre unless `genreKept` (a tag read before named one). Marks the
// record when a text was taken.
void TakeId3v2Texts(const TagRecord& texts, bool genreKept, TagRecord* tag);
