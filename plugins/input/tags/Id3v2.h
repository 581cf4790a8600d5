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

// Walks the ID3v2 tags at the start of a file: the first, then each further
// tag written behind the one before (a tag written twice, or one more behind
// zero padding). Behind the first tag only a well-formed header counts, and at
// most 64 tags follow it.
class Id3v2Tags {
  public:
    explicit Id3v2Tags(TagFile& file) : file(file) {}
    // Moves to the next tag; false when there is none.
    bool Next();
    int64_t Start() const { return start; }
    // Behind the tag and its footer (may lie past the end of the file).
    int64_t End() const { return end; }
    const uint8_t* Header() const { return header; }

  private:
    TagFile& file;
    int64_t start = 0;
    int64_t end = 0;
    int count = 0;
    uint8_t header[kId3v2HeaderSize] = {};
};

// The length of the file's ID3v2 tags, the first and those stacked behind
// it, cut to the file's length; false when the file has none. The frame
// search starts there.
bool ReadId3v2Length(TagFile& file, int64_t* length);
// As ReadId3v2Length; the audio then starts behind the tag and is that much
// shorter.
bool SkipId3v2TagForOpen(TagFile& file, AudioSpan* span);
