// The playback thread on std::thread, for running the input plug-in off Windows
// (tests, benchmarks):
// the same post-and-wait protocol as the Win32 thread messages.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

#include "PlaybackChannel.h"

class StdPlaybackThread : public PlaybackThread, private PlaybackChannel {
  public:
    ~StdPlaybackThread() override { Join(); }

    bool Start(void (*body)(PlaybackChannel&, void*), void* argument) override {
        Join();
        std::lock_guard<std::mutex> lock(mutex);
        running = true;
        queue.clear();
        worker = std::thread([this, body, argument] {
            body(*this, argument);
            std::lock_guard<std::mutex> lock(mutex);
            running = false;
            changed.notify_all();
        });
        return true;
    }

    void Send(uint32_t number, int32_t argument) override {
        std::unique_lock<std::mutex> lock(mutex);
        if (!running) return;
        const uintptr_t event = ++lastEvent;
        queue.push_back({number, event, argument});
        changed.notify_all();
        changed.wait(lock, [&] { return signalled.count(event) || !running; });
        signalled.erase(event);
    }

    void Join() override {
        if (worker.joinable()) worker.join();
    }

  protected:
    bool Take(PlaybackMessage* message) override {
        std::lock_guard<std::mutex> lock(mutex);
        if (queue.empty()) return false;
        *message = queue.front();
        queue.pop_front();
        return true;
    }
    bool Wait(PlaybackMessage* message) override {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return !queue.empty(); });
        *message = queue.front();
        queue.pop_front();
        return true;
    }
    bool WaitFor(PlaybackMessage* message, int32_t milliseconds) override {
        std::unique_lock<std::mutex> lock(mutex);
        if (!changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return !queue.empty(); }))
            return false;
        *message = queue.front();
        queue.pop_front();
        return true;
    }
    void Signal(uintptr_t event) override {
        std::lock_guard<std::mutex> lock(mutex);
        signalled.insert(event);
        changed.notify_all();
    }

  private:
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<PlaybackMessage> queue;
    std::set<uintptr_t> signalled;
    uintptr_t lastEvent = 0;
    bool running = false;
    std::thread worker;
};
