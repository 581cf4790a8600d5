// How the playback thread and the host thread talk: the host posts a message
// with an event and waits until the thread signals it.
#pragma once

#include <cstdint>

// Thread messages of the playback thread.
constexpr uint32_t kPlaybackStop = 0x8000;
constexpr uint32_t kPlaybackPause = 0x8001;
constexpr uint32_t kPlaybackResume = 0x8002;
constexpr uint32_t kPlaybackSeek = 0x8003;

struct PlaybackMessage {
    uint32_t number;
    uintptr_t event; // signalled once the message is handled; 0 for none
    int32_t argument;
};

// The playback thread's side.
class PlaybackChannel {
  public:
    virtual ~PlaybackChannel() = default;
    // Takes a waiting message without blocking; false when there is none.
    virtual bool Take(PlaybackMessage* message) = 0;
    // Blocks until a message arrives; false when none ever can.
    virtual bool Wait(PlaybackMessage* message) = 0;
    // Waits at most `milliseconds` for a message; false when none came.
    virtual bool WaitFor(PlaybackMessage* message, int32_t milliseconds) = 0;
    // Tells the waiting host that its message was handled.
    virtual void Signal(uintptr_t event) = 0;
};

// The host's side, and the thread itself.
class PlaybackThread {
  public:
    virtual ~PlaybackThread() = default;
    // Starts `body(argument)` on a new thread whose channel is ready for
    // messages when Start returns; false when no thread could be made.
    // Waits for the previous thread to end first.
    virtual bool Start(void (*body)(PlaybackChannel&, void*), void* argument) = 0;
    // Posts a message and waits until the thread handled it or ended.
    virtual void Send(uint32_t number, int32_t argument) = 0;
    // Waits for the thread to end (returns at once when none runs).
    virtual void Join() = 0;
};
