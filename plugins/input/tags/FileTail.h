#pragma once

#include "TagFile.h"

#include <cstddef>
#include <cstdint>

// Replaces everything from `start` to the end of the file by `size` bytes of
// `data`, so the file ends at start + size. Bytes before `start` are never
// written. The part that lies beyond the old end is written first: when the
// disk is full the file is cut back to its old length and nothing else has
// changed. On any later failure the old bytes are put back as far as the
// file allows. False on failure.
bool ReplaceFileTail(TagFile& file, int64_t start, const uint8_t* data, size_t size);
