// The wave-out device as a sink: a ring of device buffers filled by the
// writer and handed to waveOutWrite. The device plays once the ring is full
// (or the stream ends), at the start and after each reset. The device reports finished buffers
// through an event (CALLBACK_EVENT), so none of our code runs on the
// driver's thread and nothing can deadlock with it.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <memory>
#include <mutex>
#include <vector>

#include "OutputSink.h"
#include "StreamPlan.h"

class WaveOutSink final : public OutputSink {
  public:
    // Opens the default wave-out device (the wave mapper) for the format;
    // null when it refuses. `volume` is waveOutSetVolume's value.
    static std::unique_ptr<WaveOutSink> Open(const PcmFormat& format, const StreamPlan& plan,
                                             uint32_t volume);
    ~WaveOutSink() override;

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
    explicit WaveOutSink(const StreamPlan& plan);
    WaveOutSink(const WaveOutSink&) = delete;
    WaveOutSink& operator=(const WaveOutSink&) = delete;

    // All *Locked functions run with `lock` held.
    void ReclaimLocked();
    bool SubmitFillLocked();
    void DropLocked();
    void StartWhenFullLocked(bool streamEnds);
    uint64_t QueuedLocked() const;
    // Waits for the device to finish a buffer, or for Reset or Abort.
    void WaitForProgress(DWORD timeoutMs);

    const StreamPlan plan;
    HWAVEOUT device = nullptr;
    HANDLE doneEvent = nullptr; // signalled by the device
    HANDLE wakeEvent = nullptr; // signalled by Reset and Abort
    std::mutex lock;
    std::vector<uint8_t> memory;
    std::vector<WAVEHDR> headers;
    size_t oldest = 0;    // oldest buffer at the device
    size_t submitted = 0; // buffers at the device
    uint32_t filled = 0;  // bytes in the buffer being filled (the one after them)
    uint64_t resets = 0;  // counts Reset calls, so a blocked writer sees one
    bool paused = false;  // by the host
    bool started = false; // the queue was filled once: the device may play
    bool aborted = false;
};
