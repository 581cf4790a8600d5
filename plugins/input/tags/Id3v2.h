// ID3 version 2: only recognised at the start of a file and skipped.
#pragma once

#include "AudioSpan.h"
#include "TagFile.h"

#include <cstddef>
#include <cstdint>

constexpr size_t kId3v2HeaderSize = 10;

// Whole tag length (28-bit size + 10, and 10 more for the footer a version 4
// tag may carry) from the first 10 bytes of a file; 0 when they don't begin
// with "ID3".
int64_t Id3v2TagLength(const uint8_t* header);

// Bytes taken from `end` on by further tags written behind a first one (a tag
// written twice, or one more behind zero padding); 0 when none follows.
int64_t Id3v2StackedLength(TagFile& file, int64_t end);

// The length of the file's ID3v2 tags, the first and those stacked behind
// it, cut to the file's length; false when the file has none. The frame
// search starts there.
bool ReadId3v2Length(TagFile& file, int64_t* length);
// As ReadId3v2Length; the audio then starts behind the tag and is that much
// shorter.
bool SkipId3v2TagForOpen(TagFile& file, AudioSpan* span);
