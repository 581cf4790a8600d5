// The output plug-in (Varnoth): plays PCM on a wave device, through
// DirectSound, or into WAV files.
//
// Threads: OutputOpen, OutputSetVolume, OutputGetVersion,
// OutputInitDirectSound and OutputRelease come from the host's main thread;
// OutputWrite, OutputReset, OutputPause, OutputResume and OutputClose mostly
// from the input plug-in's playback thread. OutputSetVolume may run while
// OutputWrite is in progress on the other thread.
//
// Results: non-zero is success, 0 is refusal or failure.
#pragma once

#include "PcmFormat.h"
#include "PluginAbi.h"

class OutputPlugin {
  public:
    // Entry 0. Never called by the host: the object belongs to its module.
    virtual ~OutputPlugin() = default;

    // Entry 1. Opens the sink for the format; deviceId is always 0 (the
    // default device). 0 refuses, and playback does not start.
    virtual int32_t OutputOpen(int32_t deviceId, const PcmFormat* format) = 0;
    // Entry 2. A natural end: plays out what is queued, then closes. After
    // OutputReset it just closes.
    virtual int32_t OutputClose() = 0;
    // Entry 3. Queues `bytes` bytes of PCM. Blocks while the queue is full;
    // the caller's buffer is reusable on return. 0 ends the track.
    virtual int32_t OutputWrite(const void* pcm, int32_t bytes) = 0;
    // Entry 4. Drops everything queued and releases a blocked OutputWrite.
    virtual int32_t OutputReset() = 0;
    // Entries 5 and 6. Halt and continue the sound.
    virtual int32_t OutputPause() = 0;
    virtual int32_t OutputResume() = 0;
    // Entry 7. Stream volume, each 0 ... 100.
    virtual int32_t OutputSetVolume(int32_t left, int32_t right) = 0;
    // Entry 8. Not called by the host: the bytes written but not yet played
    // (0 without a stream), for tests and tools.
    virtual int32_t OutputQueuedBytes() = 0;
    // Entry 9. Not called by the host; keeps the entries below in place.
    // Returns 0.
    virtual int32_t OutputReserved9() = 0;
    // Entry 10. Writes a NUL-terminated version text into an 8-byte buffer.
    virtual int32_t OutputGetVersion(char* buffer8) = 0;
    // Entry 11. Switches to DirectSound with `window` as the cooperative
    // window. 0 when DirectSound is unavailable; the wave device stays.
    virtual int32_t OutputInitDirectSound(WindowHandle window) = 0;
    // Entry 12. Frees every device and buffer; the first step of the host's
    // shutdown.
    virtual int32_t OutputRelease() = 0;
};

// The output module's factory.
using GetOutputInstanceFn = OutputPlugin* (*)();
