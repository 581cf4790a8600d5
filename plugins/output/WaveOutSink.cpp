#include "WaveOutSink.h"

#include <algorithm>
#include <cstring>

#include "VolumeScale.h"

namespace {

// Once the device plays, below this many buffers at it a partly filled
// buffer goes out at once, so that a slow writer does not starve it.
constexpr size_t kStarvingBuffers = 2;
// How long Reset waits for the device to hand back its buffers.
constexpr DWORD kReturnWaitMs = 1000;
// Slack on top of the queued sound's length before a drain gives up.
constexpr uint64_t kDrainSlackMs = 3000;

WAVEFORMATEX WaveFormatOf(const PcmFormat& format, const StreamPlan& plan) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = static_cast<WORD>(format.channels);
    wave.nSamplesPerSec = static_cast<DWORD>(format.samplesPerSecond);
    wave.wBitsPerSample = static_cast<WORD>(format.bitsPerSample);
    wave.nBlockAlign = static_cast<WORD>(plan.blockAlign);
    wave.nAvgBytesPerSec = plan.bytesPerSecond;
    return wave;
}

} // namespace

WaveOutSink::WaveOutSink(const StreamPlan& plan)
    : plan(plan), memory(size_t{plan.blockBytes} * plan.blockCount), headers(plan.blockCount) {
    for (size_t i = 0; i < headers.size(); ++i)
        headers[i].lpData = reinterpret_cast<LPSTR>(memory.data() + i * plan.blockBytes);
}

std::unique_ptr<WaveOutSink> WaveOutSink::Open(const PcmFormat& format, const StreamPlan& plan,
                                               uint32_t volume) {
    std::unique_ptr<WaveOutSink> sink(new WaveOutSink(plan));
    sink->doneEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    sink->wakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!sink->doneEvent || !sink->wakeEvent) return nullptr;
    WAVEFORMATEX wave = WaveFormatOf(format, plan);
    const MMRESULT opened =
        waveOutOpen(&sink->device, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(sink->doneEvent),
                    0, CALLBACK_EVENT);
    if (opened != MMSYSERR_NOERROR) {
        sink->device = nullptr;
        return nullptr;
    }
    waveOutSetVolume(sink->device, volume);
    // Held until the queue is full: see StartWhenFullLocked.
    waveOutPause(sink->device);
    return sink;
}

WaveOutSink::~WaveOutSink() {
    if (device) {
        std::lock_guard<std::mutex> guard(lock);
        DropLocked();
        waveOutClose(device);
    }
    if (doneEvent) CloseHandle(doneEvent);
    if (wakeEvent) CloseHandle(wakeEvent);
}

void WaveOutSink::ReclaimLocked() {
    while (submitted > 0 && (headers[oldest].dwFlags & WHDR_DONE)) {
        waveOutUnprepareHeader(device, &headers[oldest], sizeof(WAVEHDR));
        headers[oldest].dwFlags = 0;
        oldest = (oldest + 1) % headers.size();
        --submitted;
    }
}

bool WaveOutSink::SubmitFillLocked() {
    if (filled == 0) return true;
    WAVEHDR& header = headers[(oldest + submitted) % headers.size()];
    header.dwBufferLength = filled;
    header.dwFlags = 0;
    if (waveOutPrepareHeader(device, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR));
        header.dwFlags = 0;
        return false;
    }
    ++submitted;
    filled = 0;
    return true;
}

// Takes every buffer back from the device and forgets the one being filled.
void WaveOutSink::DropLocked() {
    waveOutReset(device);
    const DWORD start = GetTickCount();
    for (;;) {
        ReclaimLocked();
        if (submitted == 0 || GetTickCount() - start > kReturnWaitMs) break;
        Sleep(1);
    }
    filled = 0;
    // The stream after a seek fills the queue again before it plays.
    started = false;
    waveOutPause(device);
}

// A device started on its first buffer runs dry as soon as the writer is
// slow to follow (a busy machine, a new track being opened); one started on
// a full queue has half a second in hand. A short stream starts at its end.
void WaveOutSink::StartWhenFullLocked(bool streamEnds) {
    if (started || (!streamEnds && submitted < headers.size())) return;
    started = true;
    if (!paused) waveOutRestart(device);
}

uint64_t WaveOutSink::QueuedLocked() const {
    uint64_t bytes = filled;
    for (size_t i = 0; i < submitted; ++i) {
        const WAVEHDR& header = headers[(oldest + i) % headers.size()];
        if (!(header.dwFlags & WHDR_DONE)) bytes += header.dwBufferLength;
    }
    return bytes;
}

void WaveOutSink::WaitForProgress(DWORD timeoutMs) {
    const HANDLE events[] = {doneEvent, wakeEvent};
    WaitForMultipleObjects(2, events, FALSE, timeoutMs);
}

bool WaveOutSink::Write(const uint8_t* pcm, size_t bytes) {
    std::unique_lock<std::mutex> guard(lock);
    const uint64_t resetsAtStart = resets;
    while (bytes > 0) {
        if (aborted) return false;
        if (resets != resetsAtStart) return true; // dropped with the rest of the queue
        ReclaimLocked();
        if (submitted == headers.size()) {
            StartWhenFullLocked(false);
            guard.unlock();
            WaitForProgress(INFINITE);
            guard.lock();
            continue;
        }
        uint8_t* block = memory.data() + ((oldest + submitted) % headers.size()) * plan.blockBytes;
        const size_t piece = std::min<size_t>(bytes, plan.blockBytes - filled);
        std::memcpy(block + filled, pcm, piece);
        filled += static_cast<uint32_t>(piece);
        pcm += piece;
        bytes -= piece;
        if (filled == plan.blockBytes && !SubmitFillLocked()) return false;
    }
    ReclaimLocked();
    if (started && submitted < kStarvingBuffers) return SubmitFillLocked();
    return true;
}

void WaveOutSink::Reset() {
    std::lock_guard<std::mutex> guard(lock);
    ++resets;
    DropLocked();
    SetEvent(wakeEvent);
}

void WaveOutSink::Pause() {
    std::lock_guard<std::mutex> guard(lock);
    paused = true;
    waveOutPause(device);
}

void WaveOutSink::Resume() {
    std::lock_guard<std::mutex> guard(lock);
    paused = false;
    if (started) waveOutRestart(device);
}

bool WaveOutSink::SetVolume(int32_t left, int32_t right) {
    // waveOutSetVolume needs none of our state: no lock, so a blocked
    // writer never holds it up.
    return waveOutSetVolume(device, WaveOutVolume(left, right)) == MMSYSERR_NOERROR;
}

bool WaveOutSink::Drain(uint64_t tailBytes) {
    std::unique_lock<std::mutex> guard(lock);
    if (aborted) return false;
    if (paused) {
        // A paused stream would never finish: drop it instead.
        DropLocked();
        return false;
    }
    if (!SubmitFillLocked()) {
        DropLocked();
        return false;
    }
    StartWhenFullLocked(true);
    const uint64_t resetsAtStart = resets;
    const uint64_t limitMs = MillisecondsForBytes(plan, QueuedLocked()) + kDrainSlackMs;
    const DWORD start = GetTickCount();
    for (;;) {
        ReclaimLocked();
        if (aborted || resets != resetsAtStart) return false;
        if (QueuedLocked() <= tailBytes) return true;
        const DWORD waited = GetTickCount() - start;
        if (waited >= limitMs) break;
        guard.unlock();
        WaitForProgress(static_cast<DWORD>(std::min<uint64_t>(limitMs - waited, 100)));
        guard.lock();
    }
    // The device stopped reporting progress: give up on what is left.
    DropLocked();
    return false;
}

void WaveOutSink::Continue() {
    std::lock_guard<std::mutex> guard(lock);
    ReclaimLocked();
    if (submitted > 0 || !started) return;
    // The tail has been played: start on a full queue, as a new stream.
    started = false;
    waveOutPause(device);
}

void WaveOutSink::Abort() {
    std::lock_guard<std::mutex> guard(lock);
    aborted = true;
    DropLocked();
    SetEvent(wakeEvent);
}

uint64_t WaveOutSink::QueuedBytes() {
    std::lock_guard<std::mutex> guard(lock);
    ReclaimLocked();
    return QueuedLocked();
}
