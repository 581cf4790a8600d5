// A streaming DirectSound buffer as a sink. The writer fills a byte queue;
// a streaming thread moves it into the looping secondary buffer ahead of the
// play cursor, silences what the cursor has passed (so that a late writer is
// heard as a gap rather than as old sound), and stops the buffer once all
// data has been played.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "ByteRing.h"
#include "OutputSink.h"
#include "StreamPlan.h"

class DirectSoundSink final : public OutputSink {
  public:
    // A buffer of about half a second on `sound`; null when DirectSound
    // refuses the format.
    static std::unique_ptr<DirectSoundSink> Open(IDirectSound* sound, const PcmFormat& format,
                                                 const StreamPlan& plan, int32_t left,
                                                 int32_t right);
    ~DirectSoundSink() override;

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
    DirectSoundSink(IDirectSound* sound, IDirectSoundBuffer* buffer, const StreamPlan& plan);
    DirectSoundSink(const DirectSoundSink&) = delete;
    DirectSoundSink& operator=(const DirectSoundSink&) = delete;

    void Stream();
    // One pass of the streaming thread; *Locked functions run with `lock`.
    void TickLocked();
    bool FollowCursorLocked();
    bool CopyQueueLocked(DWORD count);
    bool SilenceLocked(DWORD offset, DWORD count);
    void RewindLocked();
    bool Finished() const;

    IDirectSound* const sound;
    IDirectSoundBuffer* const buffer;
    const StreamPlan plan;
    const DWORD bufferBytes;
    ByteRing queue;
    std::mutex lock;
    std::condition_variable progress; // writers and the drain wait on it
    std::condition_variable tick;     // the streaming thread waits on it
    DWORD writeOffset = 0;            // where the next data goes in the buffer
    DWORD lastPlay = 0;               // play cursor at the last pass
    DWORD unplayed = 0;               // bytes in the buffer not played yet
    uint64_t resets = 0;
    bool playing = false;
    bool ending = false; // drained: play what is there without a full buffer
    bool paused = false;
    bool aborted = false;
    bool failed = false;
    bool stopping = false;
    std::thread streamer;
};
