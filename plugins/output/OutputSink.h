// One opened output stream, whatever it plays into. Varnoth forwards the
// host's calls to it.
//
// Threads: Write, Reset, Pause, Resume and Drain come from the playback
// thread (Drain also from Varnoth's closer, Continue from the main thread), SetVolume and Abort
// from the main thread, and any of them may run while Write or Drain is blocked on another thread.
#pragma once

#include <cstddef>
#include <cstdint>

class OutputSink {
  public:
    virtual ~OutputSink() = default;

    // Queues the bytes and returns once all are queued; blocks while the
    // queue is full. True also when a Reset dropped them while blocked;
    // false when the sink failed or was aborted.
    virtual bool Write(const uint8_t* pcm, size_t bytes) = 0;
    // Drops what is queued and releases a blocked Write; the stream stays
    // open (a seek goes on writing).
    virtual void Reset() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Each 0 ... 100.
    virtual bool SetVolume(int32_t left, int32_t right) = 0;
    // The natural end: hands everything queued to the device and returns
    // once at most `tailBytes` of it remain to be played (0: all played),
    // or at once after Abort; a paused stream is dropped, not waited for.
    // True when the stream plays on and the next track of its format may
    // follow it (Continue); false when it is done with: dropped, failed,
    // timed out, or a sink that keeps each track apart (the disk writer).
    virtual bool Drain(uint64_t tailBytes) = 0;
    // After a Drain that answered true: the next track's writes follow the
    // tail without a gap. A device that already ran dry is held still (it
    // plays not even silence) and waits for a full queue again before it
    // plays, as a new stream does.
    virtual void Continue() = 0;
    // Drops everything and fails every later call; releases any waiter.
    virtual void Abort() = 0;
    // Bytes accepted but not played yet.
    virtual uint64_t QueuedBytes() = 0;
};
