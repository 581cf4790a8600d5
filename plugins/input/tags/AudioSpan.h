#pragma once

#include <cstdint>

// Where the audio of an MPEG source lies: the input plug-in's data offset and
// audio size. The Open variants of the tag readers move it past the tags.
struct AudioSpan {
    int64_t dataOffset = 0;
    int64_t audioSize = 0;
};
