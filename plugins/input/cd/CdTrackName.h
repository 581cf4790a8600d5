// Play list names of audio-CD tracks: "D:\Track05.cda".
#pragma once

#include <cstdint>
#include <string>

struct CdTrackName {
    std::string root; // lower case, with its backslash: "d:\"
    int32_t track = 0;
};

// The root and track number a name stands for; false for a name that is not
// a CD track (no root, no "cda" extension, no track number from 1 to 99).
bool ParseCdTrackName(const std::string& name, CdTrackName* parsed);
