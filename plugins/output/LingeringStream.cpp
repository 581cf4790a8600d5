#include "LingeringStream.h"

#include <algorithm>

#include "StreamPlan.h"

namespace {
// The least time between two looks at a tail that has not played yet.
constexpr uint64_t kRecheckMs = 10;
} // namespace

LingeringStream::~LingeringStream() {
    PlayOut();
}

void LingeringStream::Begin(std::shared_ptr<OutputSink> stream, const PcmFormat& streamFormat) {
    std::lock_guard<std::mutex> serial(calls);
    std::unique_lock<std::mutex> guard(lock);
    // Only ever one stream lingers: the open that made this one took over
    // or closed the one before.
    if (sink) sink->Abort();
    FinishLocked(guard);
    sink = std::move(stream);
    format = streamFormat;
    PlanStream(format, plan);
    reuseEnds = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReuseMs);
    finishing = false;
    closing = false;
    closer = std::thread(&LingeringStream::Close, this);
}

std::shared_ptr<OutputSink> LingeringStream::Adopt(const PcmFormat& wanted) {
    std::lock_guard<std::mutex> serial(calls);
    std::unique_lock<std::mutex> guard(lock);
    std::shared_ptr<OutputSink> taken;
    if (sink && !closing && SameSoundFormat(format, wanted)) taken.swap(sink);
    FinishLocked(guard);
    if (taken) taken->Continue();
    return taken;
}

void LingeringStream::PlayOut() {
    std::lock_guard<std::mutex> serial(calls);
    std::unique_lock<std::mutex> guard(lock);
    FinishLocked(guard);
}

bool LingeringStream::Drop() {
    std::lock_guard<std::mutex> serial(calls);
    std::unique_lock<std::mutex> guard(lock);
    const bool lingered = sink != nullptr;
    // Also cuts short a drain the closer is waiting in.
    if (sink) sink->Abort();
    FinishLocked(guard);
    return lingered;
}

uint64_t LingeringStream::QueuedBytes() {
    std::lock_guard<std::mutex> guard(lock);
    return sink ? sink->QueuedBytes() : 0;
}

void LingeringStream::FinishLocked(std::unique_lock<std::mutex>& guard) {
    finishing = true;
    wake.notify_all();
    guard.unlock();
    if (closer.joinable()) closer.join();
    guard.lock();
}

void LingeringStream::Close() {
    std::unique_lock<std::mutex> guard(lock);
    // Once the tail has played, the device is held still until the reuse
    // time is over, so that it does not play silence meanwhile.
    bool still = false;
    while (!finishing && sink) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= reuseEnds) break;
        auto until = reuseEnds;
        if (!still) {
            const uint64_t left = sink->QueuedBytes();
            if (left == 0) {
                sink->Continue();
                still = true;
            } else {
                const uint64_t ms =
                    std::max<uint64_t>(MillisecondsForBytes(plan, left), kRecheckMs);
                until = std::min(until, now + std::chrono::milliseconds(ms));
            }
        }
        wake.wait_until(guard, until);
    }
    // Kept in `sink` while it plays out, so that Drop can still abort it.
    std::shared_ptr<OutputSink> last = sink;
    closing = true;
    guard.unlock();
    if (last) last->Drain(0);
    guard.lock();
    sink.reset();
    guard.unlock();
    // The device closes here, with no lock held.
    last.reset();
}
