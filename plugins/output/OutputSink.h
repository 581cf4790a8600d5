// One opened output stream, whatever it plays into. Varnoth forwards the
// host's calls to it.
//
// Threads: Write, Reset, Pause, Resume and Drain come from the playback
// thread, SetVolume and Abort from the main thread, and any of them may
// run while Write or Drain is blocked on another thread.
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
    // The natural end: returns when everything queued has been played (or
    // at once after Abort; a paused stream is dropped, not waited for).
    virtual void Drain() = 0;
    // Drops everything and fails every later call; releases any waiter.
    virtual void Abort() = 0;
    // Bytes accepted but not played yet.
    virtual uint64_t QueuedBytes() = 0;
};
