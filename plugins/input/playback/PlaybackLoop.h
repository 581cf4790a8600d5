// The playback thread's file loop: moves PCM from a producer to the output,
// reports the position, obeys the host's messages, and finishes.
#pragma once

#include <cstdint>
#include <vector>

#include "InputPlugin.h"
#include "PcmProducer.h"
#include "PlaybackChannel.h"

// What the loop shares with the plug-in object.
struct PlaybackTarget {
    OutputPlugin* output;
    InputCallback callback;
    uintptr_t userData;
    // Written here, read by the host thread without a lock.
    volatile int32_t* state;
};

class PlaybackLoop {
  public:
    // `pcmCapacity` and `flushThreshold` size the PCM buffer (capacity must
    // hold the threshold plus one block of the producer).
    PlaybackLoop(PcmProducer& producer, const PlaybackTarget& target, int32_t pcmCapacity,
                 int32_t flushThreshold);

    // Runs until the source ends, the output refuses, or a stop arrives.
    void Run(PlaybackChannel& channel);

  private:
    void Notify(int32_t code, int32_t value);
    void Finish(bool reset);
    void Handle(const PlaybackMessage& message, PlaybackChannel& channel);
    bool Flush();

    PcmProducer& producer;
    PlaybackTarget target;
    std::vector<uint8_t> pcm;
    int32_t pcmHeld = 0;
    int32_t flushThreshold;
    int32_t lastPosition = 0;
};
