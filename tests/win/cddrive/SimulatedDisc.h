// The disc in the simulated CD drive: a data track, then four audio tracks.
// Track 2 is short so that a test sees the drive end a track by itself.
#pragma once

namespace simulated_disc {

struct Track {
    bool audio;
    int seconds;
};

constexpr Track kTracks[] = {{false, 60}, {true, 6}, {true, 205}, {true, 130}, {true, 285}};
constexpr int kTrackCount = sizeof kTracks / sizeof kTracks[0];

// The environment variable naming the file the drive logs its commands to.
constexpr char kLogVariable[] = "QUOREL_CD_LOG";

} // namespace simulated_disc
