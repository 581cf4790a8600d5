// The playback thread as a Win32 thread with a message queue: the host posts
// thread messages carrying an auto-reset event and waits for it.
#pragma once

#include "PlaybackChannel.h"

class Win32PlaybackThread : public PlaybackThread {
  public:
    Win32PlaybackThread() = default;
    ~Win32PlaybackThread() override;
    Win32PlaybackThread(const Win32PlaybackThread&) = delete;
    Win32PlaybackThread& operator=(const Win32PlaybackThread&) = delete;

    bool Start(void (*body)(PlaybackChannel&, void*), void* argument) override;
    void Send(uint32_t number, int32_t argument) override;
    void Join() override;

  private:
    void* handle = nullptr; // HANDLE of the running or finished thread
    unsigned long threadId = 0;
};
