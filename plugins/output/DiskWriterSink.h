// The disk writer: each stream becomes a WAVE file "Varnoth-NNNN.wav" (the
// first free number) in a folder. The header is written with size 0 at
// open and made right at every reset and at the end, so the file is valid
// whenever the stream is not in the middle of a write.
//
// Pacing: DiskPace::Fast writes as fast as the disk goes; RealTime holds
// the writer back to the sound's own time (with a lead of half a second),
// so the player's clock and position behave as with a sound device.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "OutputSink.h"
#include "SinkSettings.h"
#include "StreamPlan.h"

class DiskWriterSink final : public OutputSink {
  public:
    // Creates the file in `folder` (created when missing); null when no
    // file can be made.
    static std::unique_ptr<DiskWriterSink> Open(const PcmFormat& format, const StreamPlan& plan,
                                                const std::string& folder, DiskPace pace);
    ~DiskWriterSink() override;

    bool Write(const uint8_t* pcm, size_t bytes) override;
    void Reset() override;
    void Pause() override;
    void Resume() override;
    bool SetVolume(int32_t left, int32_t right) override;
    bool Drain(uint64_t tailBytes) override;
    void Continue() override;
    void Abort() override;
    uint64_t QueuedBytes() override;

  private:
    DiskWriterSink(const PcmFormat& format, const StreamPlan& plan, DiskPace pace);
    DiskWriterSink(const DiskWriterSink&) = delete;
    DiskWriterSink& operator=(const DiskWriterSink&) = delete;

    bool WriteHeaderLocked();
    // Waits while paused or ahead of the clock; false when a Reset or Abort
    // came meanwhile.
    bool WaitForTurn(std::unique_lock<std::mutex>& guard, uint64_t resetsAtStart);
    uint64_t ElapsedMsLocked() const;

    using Clock = std::chrono::steady_clock;

    const PcmFormat format;
    const StreamPlan plan;
    const DiskPace pace;
    HANDLE file = INVALID_HANDLE_VALUE;
    std::mutex lock;
    std::condition_variable wake;
    uint32_t dataBytes = 0;
    // The pace clock: sound written since `clockStart`, paused time excluded.
    uint64_t clockBytes = 0;
    Clock::time_point clockStart;
    Clock::time_point pausedAt;
    uint64_t resets = 0;
    bool paused = false;
    bool aborted = false;
    bool failed = false;
};
