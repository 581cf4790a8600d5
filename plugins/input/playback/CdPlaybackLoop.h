// The playback thread's CD loop: the drive plays the track by itself; the
// loop starts it, reports its position, obeys the host's messages and sees
// when the drive stops.
#pragma once

#include "AudioCD.h"
#include "PlaybackChannel.h"
#include "PlaybackLoop.h"

class CdPlaybackLoop {
  public:
    CdPlaybackLoop(TAudioCD& cd, int32_t track, const PlaybackTarget& target);

    // Runs until the drive stops or fails, or a stop arrives.
    void Run(PlaybackChannel& channel);

  private:
    void Notify(int32_t code, int32_t value);
    void Finish(bool reset);
    void Handle(const PlaybackMessage& message, PlaybackChannel& channel);
    // False once the drive no longer plays the track: stopped at the drive,
    // ejected, or answering only errors.
    bool DriveGoesOn();

    TAudioCD& cd;
    int32_t track;
    PlaybackTarget target;
    int32_t statusErrors = 0;
};
