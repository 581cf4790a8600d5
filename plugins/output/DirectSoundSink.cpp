#include "DirectSoundSink.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "VolumeScale.h"

namespace {

constexpr auto kTick = std::chrono::milliseconds(10);
constexpr uint64_t kDrainSlackMs = 3000;

DWORD Distance(DWORD from, DWORD to, DWORD size) {
    return (to + size - from) % size;
}

} // namespace

DirectSoundSink::DirectSoundSink(IDirectSound* sound, IDirectSoundBuffer* buffer,
                                 const StreamPlan& plan)
    : sound(sound), buffer(buffer), plan(plan), bufferBytes(static_cast<DWORD>(plan.queueBytes())),
      queue(plan.queueBytes()) {
    sound->AddRef();
}

std::unique_ptr<DirectSoundSink> DirectSoundSink::Open(IDirectSound* sound, const PcmFormat& format,
                                                       const StreamPlan& plan, int32_t left,
                                                       int32_t right) {
    if (!sound) return nullptr;
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = static_cast<WORD>(format.channels);
    wave.nSamplesPerSec = static_cast<DWORD>(format.samplesPerSecond);
    wave.wBitsPerSample = static_cast<WORD>(format.bitsPerSample);
    wave.nBlockAlign = static_cast<WORD>(plan.blockAlign);
    wave.nAvgBytesPerSec = plan.bytesPerSecond;

    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags =
        DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN;
    description.dwBufferBytes = static_cast<DWORD>(plan.queueBytes());
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(sound->CreateSoundBuffer(&description, &buffer, nullptr))) return nullptr;

    std::unique_ptr<DirectSoundSink> sink(new DirectSoundSink(sound, buffer, plan));
    {
        std::lock_guard<std::mutex> guard(sink->lock);
        if (!sink->SilenceLocked(0, sink->bufferBytes)) return nullptr;
    }
    sink->SetVolume(left, right);
    sink->streamer = std::thread(&DirectSoundSink::Stream, sink.get());
    return sink;
}

DirectSoundSink::~DirectSoundSink() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        tick.notify_all();
    }
    if (streamer.joinable()) streamer.join();
    buffer->Stop();
    buffer->Release();
    sound->Release();
}

void DirectSoundSink::Stream() {
    std::unique_lock<std::mutex> guard(lock);
    while (!stopping) {
        TickLocked();
        tick.wait_for(guard, kTick);
    }
}

bool DirectSoundSink::Finished() const {
    return queue.size() == 0 && unplayed == 0 && !playing;
}

void DirectSoundSink::TickLocked() {
    if (paused || failed || aborted) return;
    if (playing && !FollowCursorLocked()) {
        failed = true;
        progress.notify_all();
        return;
    }
    const DWORD room = bufferBytes - unplayed;
    const DWORD count = static_cast<DWORD>(std::min<size_t>(room, queue.size()));
    if (count > 0) {
        if (!CopyQueueLocked(count)) {
            failed = true;
            progress.notify_all();
            return;
        }
        progress.notify_all();
    }
    // Started on a full buffer (or at the stream's end), so that a slow
    // writer has half a second in hand from the first sound on.
    if (!playing && unplayed > 0 && (unplayed == bufferBytes || ending)) {
        playing = SUCCEEDED(buffer->Play(0, 0, DSBPLAY_LOOPING));
        if (!playing) failed = true;
    } else if (playing && unplayed == 0) {
        RewindLocked();
        progress.notify_all();
    }
    // A drain waits for the cursor to come within its tail.
    if (ending) progress.notify_all();
}

// Accounts for what the play cursor passed since the last pass.
bool DirectSoundSink::FollowCursorLocked() {
    DWORD play = 0;
    DWORD safe = 0;
    if (FAILED(buffer->GetCurrentPosition(&play, &safe))) return false;
    const DWORD advance = Distance(lastPlay, play, bufferBytes);
    // What was played becomes silence, so a late writer is heard as a gap,
    // never as sound from a lap before.
    if (!SilenceLocked(lastPlay, advance)) return false;
    lastPlay = play;
    if (advance >= unplayed) {
        // Ran dry: new data goes behind the position that is safe to write.
        unplayed = 0;
        writeOffset = safe;
    } else {
        unplayed -= advance;
    }
    return true;
}

bool DirectSoundSink::CopyQueueLocked(DWORD count) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    HRESULT locked =
        buffer->Lock(writeOffset, count, &first, &firstBytes, &second, &secondBytes, 0);
    if (locked == DSERR_BUFFERLOST && SUCCEEDED(buffer->Restore()))
        locked = buffer->Lock(writeOffset, count, &first, &firstBytes, &second, &secondBytes, 0);
    if (FAILED(locked)) return false;
    queue.Pop(static_cast<uint8_t*>(first), firstBytes);
    if (second) queue.Pop(static_cast<uint8_t*>(second), secondBytes);
    buffer->Unlock(first, firstBytes, second, secondBytes);
    writeOffset = (writeOffset + count) % bufferBytes;
    unplayed += count;
    return true;
}

bool DirectSoundSink::SilenceLocked(DWORD offset, DWORD count) {
    if (count == 0) return true;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(offset, count, &first, &firstBytes, &second, &secondBytes, 0)))
        return false;
    std::memset(first, plan.silenceByte, firstBytes);
    if (second) std::memset(second, plan.silenceByte, secondBytes);
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return true;
}

// Stops the buffer and starts over at its beginning, all silent.
void DirectSoundSink::RewindLocked() {
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    SilenceLocked(0, bufferBytes);
    playing = false;
    writeOffset = 0;
    lastPlay = 0;
    unplayed = 0;
}

bool DirectSoundSink::Write(const uint8_t* pcm, size_t bytes) {
    std::unique_lock<std::mutex> guard(lock);
    const uint64_t resetsAtStart = resets;
    for (;;) {
        if (aborted || failed) return false;
        if (resets != resetsAtStart) return true; // dropped with the rest of the queue
        const size_t pushed = queue.Push(pcm, bytes);
        pcm += pushed;
        bytes -= pushed;
        if (pushed > 0) tick.notify_all();
        if (bytes == 0) return true;
        progress.wait(guard);
    }
}

void DirectSoundSink::Reset() {
    std::lock_guard<std::mutex> guard(lock);
    ++resets;
    queue.Clear();
    RewindLocked();
    progress.notify_all();
}

void DirectSoundSink::Pause() {
    std::lock_guard<std::mutex> guard(lock);
    paused = true;
    if (playing) buffer->Stop();
}

void DirectSoundSink::Resume() {
    std::lock_guard<std::mutex> guard(lock);
    paused = false;
    if (playing) buffer->Play(0, 0, DSBPLAY_LOOPING);
    tick.notify_all();
}

bool DirectSoundSink::SetVolume(int32_t left, int32_t right) {
    const DirectSoundLevel level = DirectSoundVolume(left, right);
    const bool volumeSet = SUCCEEDED(buffer->SetVolume(level.volume));
    return SUCCEEDED(buffer->SetPan(level.pan)) && volumeSet;
}

bool DirectSoundSink::Drain(uint64_t tailBytes) {
    std::unique_lock<std::mutex> guard(lock);
    if (aborted) return false;
    if (paused) {
        queue.Clear();
        RewindLocked();
        return false;
    }
    const uint64_t resetsAtStart = resets;
    ending = true;
    const uint64_t limitMs =
        MillisecondsForBytes(plan, queue.size() + uint64_t{unplayed}) + kDrainSlackMs;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    // With a tail, the buffer must be playing it (a short stream starts on
    // the next pass); without, it must have stopped.
    auto handedOver = [&] {
        if (tailBytes == 0) return Finished();
        return queue.size() == 0 && unplayed <= tailBytes && (playing || unplayed == 0);
    };
    tick.notify_all();
    while (!handedOver() && !aborted && !failed && resets == resetsAtStart) {
        if (progress.wait_until(guard, deadline) == std::cv_status::timeout) break;
    }
    if (handedOver() && !aborted && !failed && resets == resetsAtStart) return true;
    queue.Clear();
    RewindLocked();
    ending = false;
    return false;
}

void DirectSoundSink::Continue() {
    std::lock_guard<std::mutex> guard(lock);
    // A buffer still playing goes on; one that ran dry (rewound) starts on a
    // full buffer again.
    ending = false;
}

void DirectSoundSink::Abort() {
    std::lock_guard<std::mutex> guard(lock);
    aborted = true;
    queue.Clear();
    RewindLocked();
    progress.notify_all();
}

uint64_t DirectSoundSink::QueuedBytes() {
    std::lock_guard<std::mutex> guard(lock);
    return queue.size() + uint64_t{unplayed};
}
