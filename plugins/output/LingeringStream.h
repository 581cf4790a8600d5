// A stream whose track ended naturally while its device still plays the
// last of it. OutputClose hands a stream over once at most kTailMs of it
// are left to be played, so the track counts as ended while its tail is
// heard. The next track of the same sound format takes the stream over
// (Adopt) and follows the tail with no gap and no device reopen. A stream
// nobody takes over is played out and closed by a thread of its own, the
// closer, once kReuseMs have passed since the close; the closer holds a
// device whose tail has played still meanwhile.
//
// Threads: Begin comes from the playback thread (OutputClose), the others
// from any thread; each call waits for the one before it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "OutputSink.h"
#include "PcmFormat.h"
#include "StreamPlan.h"

class LingeringStream {
  public:
    static constexpr uint32_t kTailMs = 300;
    static constexpr uint32_t kReuseMs = 1000;

    LingeringStream() = default;
    ~LingeringStream();
    LingeringStream(const LingeringStream&) = delete;
    LingeringStream& operator=(const LingeringStream&) = delete;

    // Lingers `stream`, which Drain left playing its tail.
    void Begin(std::shared_ptr<OutputSink> stream, const PcmFormat& streamFormat);
    // The lingering stream when `wanted` has its sound format and the reuse
    // time is not over: it no longer lingers, and goes on from its tail.
    // Otherwise lets any tail play out, closes it and answers null.
    std::shared_ptr<OutputSink> Adopt(const PcmFormat& wanted);
    // Lets the tail play out (as long as a drain waits at most), then
    // closes the stream.
    void PlayOut();
    // Drops the tail and closes the stream at once; true when one lingered.
    bool Drop();
    // Bytes of the tail not played yet; 0 when nothing lingers.
    uint64_t QueuedBytes();

  private:
    // The closer thread's work.
    void Close();
    // Tells the closer to finish now and waits for it.
    void FinishLocked(std::unique_lock<std::mutex>& guard);

    std::mutex calls; // one public call at a time: they join the closer
    std::mutex lock;  // the state below, shared with the closer
    std::condition_variable wake;
    std::shared_ptr<OutputSink> sink;
    PcmFormat format{};
    StreamPlan plan{};
    std::chrono::steady_clock::time_point reuseEnds;
    bool finishing = false; // the closer plays the tail out now
    bool closing = false;   // the closer has taken the stream to close it
    std::thread closer;
};
