// The output plug-in's one object: opens a sink per stream (the wave
// device, DirectSound after OutputInitDirectSound, or the disk writer as
// Varnoth.ini or the environment choose, see VarnothSettings.h) and
// forwards the host's calls to it.
//
// The current sink is held by a shared pointer that each call copies, so a
// call blocked in the sink never holds Varnoth's lock: OutputSetVolume,
// OutputReset and OutputRelease reach the sink while OutputWrite or
// OutputClose waits in it.
//
// OutputWrite answers 1 also when an OutputReset (from another thread)
// dropped the data it was waiting to queue: the stream stays open, as after
// a seek. It answers 0 without an open stream, after OutputRelease, when the
// device fails, and when a WAVE file of the disk writer is full (4 GiB):
// the track ends. OutputClose while paused drops the queue instead of
// waiting for a resume that will not come.
//
// OutputClose at a natural end returns once at most 300 ms are left to be
// played, and the stream lingers with that tail (see LingeringStream.h): an
// OutputOpen of the same sound format within a second takes it over, so two
// tracks join without a gap; any other OutputOpen, and OutputRelease, wait
// until the tail has been played. OutputReset or OutputPause without an open
// stream drop a lingering tail and answer 1. After OutputReset with nothing
// written since (a stop), OutputClose closes the device at once. The disk
// writer keeps a file per track: its streams never linger.
//
// OutputQueuedBytes answers the bytes queued but not yet played, a lingering
// tail's included (0 without either; capped at 2^31 - 1). OutputReserved9
// returns 0.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "DirectSoundDevice.h"
#include "LingeringStream.h"
#include "OutputPlugin.h"
#include "OutputSink.h"

class Varnoth : public OutputPlugin {
  public:
    int32_t OutputOpen(int32_t deviceId, const PcmFormat* format) override;
    int32_t OutputClose() override;
    int32_t OutputWrite(const void* pcm, int32_t bytes) override;
    int32_t OutputReset() override;
    int32_t OutputPause() override;
    int32_t OutputResume() override;
    int32_t OutputSetVolume(int32_t left, int32_t right) override;
    int32_t OutputQueuedBytes() override;
    int32_t OutputReserved9() override;
    int32_t OutputGetVersion(char* buffer8) override;
    int32_t OutputInitDirectSound(WindowHandle window) override;
    int32_t OutputRelease() override;

  private:
    std::shared_ptr<OutputSink> CurrentSink();
    // Aborts the current stream and waits briefly for calls still inside it.
    void AbortCurrent();

    std::mutex lock;
    std::shared_ptr<OutputSink> sink;
    PcmFormat streamFormat{};
    uint64_t tailBytes = 0;                   // the open stream's kTailMs
    std::atomic<bool> resetSinceWrite{false}; // nothing written since OutputReset
    DirectSoundDevice directSound;
    // After directSound: a lingering DirectSound stream goes before the device.
    LingeringStream lingering;
    int32_t volumeLeft = 100;
    int32_t volumeRight = 100;
};
