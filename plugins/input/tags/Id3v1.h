// ID3 version 1: the 128-byte tag at the end of an MPEG file.
#pragma once

#include "AudioSpan.h"
#include "InputFileInfo.h"
#include "TagFile.h"

#include <cstddef>
#include <cstdint>

constexpr size_t kId3v1Size = 128;

// True when the block begins with "TAG".
bool Id3v1HasMark(const uint8_t* block);

// Fills the record's texts and genre from a tag block; false (record
// untouched) when the block does not begin with "TAG".
bool DecodeId3v1Block(const uint8_t* block, TagRecord* tag);

// Writes the record's texts and genre into the fields of a tag block; the
// first three bytes are left alone.
void EncodeId3v1Block(const TagRecord& tag, uint8_t* block);

// Copies a record text into a field of `width` bytes: the first byte always,
// then as many whole characters as fit, then spaces. An empty text gives a
// NUL and width - 1 spaces.
void SpaceFillCopy(uint8_t* field, size_t width, const char* text, size_t textFieldSize);

// Reads the tag at the end of the file; true when there is one.
bool ReadId3v1Tag(TagFile& file, TagRecord* tag);
// As ReadId3v1Tag; a tag found is also taken off the end of the audio.
bool ReadId3v1TagForOpen(TagFile& file, TagRecord* tag, AudioSpan* span);

// Replaces the tag at the end of the file, or appends one when there is none.
// False when the file is shorter than a tag or can't be read or written.
bool WriteId3v1(TagFile& file, const TagRecord& tag);
