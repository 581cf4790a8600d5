// The tag writers as the input plug-in exports them (its entries 15 to 17):
// each opens the file for reading and writing (others may read), writes and
// closes it, and returns 1 on success, 0 on failure. No exception leaves
// them. The audio bytes are never written.
#pragma once

#include "InputFileInfo.h"

#include <cstdint>

// ID3v1 at the end of the file: replaced, or appended when there is none.
int32_t WriteId3v1Tag(const char* fileName, const TagRecord* tag);
// RIFF INFO list of an "rmp" file, ending with an "IID3" tag.
int32_t WriteRiffInfoTag(const char* fileName, const TagRecord* tag);
// Lyrics3 v2.00 block in front of the ID3v1 tag of an MPEG file.
int32_t WriteLyrics3Tag(const char* fileName, const TagRecord* tag);
