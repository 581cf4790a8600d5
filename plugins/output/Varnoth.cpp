#include "Varnoth.h"

#include <windows.h>

#include <climits>
#include <cstring>

#include "DirectSoundSink.h"
#include "DiskWriterSink.h"
#include "StreamPlan.h"
#include "VarnothSettings.h"
#include "VolumeScale.h"
#include "WaveOutSink.h"

namespace {

constexpr char kVersion[] = "1.0.0";
static_assert(sizeof kVersion <= 8, "the version fits the host's 8-byte buffer");

// How long OutputRelease waits for a writer it woke to leave the sink.
constexpr DWORD kLeaveWaitMs = 2000;

} // namespace

std::shared_ptr<OutputSink> Varnoth::CurrentSink() {
    std::lock_guard<std::mutex> guard(lock);
    return sink;
}

void Varnoth::AbortCurrent() {
    std::shared_ptr<OutputSink> old;
    {
        std::lock_guard<std::mutex> guard(lock);
        old.swap(sink);
    }
    if (!old) return;
    old->Abort();
    const DWORD start = GetTickCount();
    while (old.use_count() > 1 && GetTickCount() - start < kLeaveWaitMs)
        Sleep(1);
}

// Any device id means the default device: the host always passes 0.
int32_t Varnoth::OutputOpen(int32_t, const PcmFormat* format) {
    if (!format) return 0;
    StreamPlan plan{};
    if (!PlanStream(*format, plan)) return 0;
    AbortCurrent(); // a stream the host never closed

    const SinkSettings settings = ReadSinkSettings();
    // The track before may still be playing its tail: this one follows it
    // on the same device when it has its format; otherwise the tail is
    // played out first, as the device is closed.
    std::shared_ptr<OutputSink> adopted;
    if (settings.sink == SinkKind::DiskWriter)
        lingering.PlayOut();
    else
        adopted = lingering.Adopt(*format);

    std::lock_guard<std::mutex> guard(lock);
    resetSinceWrite = false;
    tailBytes = BytesForMilliseconds(plan, LingeringStream::kTailMs);
    streamFormat = *format;
    if (adopted) {
        sink = std::move(adopted);
        sink->SetVolume(volumeLeft, volumeRight);
    } else if (settings.sink == SinkKind::DiskWriter) {
        sink = DiskWriterSink::Open(*format, plan, settings.diskFolder, settings.pace);
    } else {
        if (directSound.get())
            sink = DirectSoundSink::Open(directSound.get(), *format, plan, volumeLeft, volumeRight);
        // DirectSound refusing the format leaves the wave device to try.
        if (!sink) sink = WaveOutSink::Open(*format, plan, WaveOutVolume(volumeLeft, volumeRight));
    }
    return sink ? 1 : 0;
}

int32_t Varnoth::OutputClose() {
    std::shared_ptr<OutputSink> current;
    uint64_t tail = 0;
    {
        std::lock_guard<std::mutex> guard(lock);
        current = sink;
        tail = tailBytes;
    }
    if (!current) return 0;
    // After a reset (a stop) nothing is left to play: the device closes.
    const bool lingers = !resetSinceWrite && current->Drain(tail);
    std::lock_guard<std::mutex> guard(lock);
    if (sink != current) return 1; // aborted meanwhile
    sink.reset();
    if (lingers) lingering.Begin(std::move(current), streamFormat);
    return 1;
}

int32_t Varnoth::OutputWrite(const void* pcm, int32_t bytes) {
    if (bytes == 0) return 1;
    if (!pcm || bytes < 0) return 0;
    std::shared_ptr<OutputSink> current = CurrentSink();
    if (!current) return 0;
    resetSinceWrite = false;
    return current->Write(static_cast<const uint8_t*>(pcm), static_cast<size_t>(bytes)) ? 1 : 0;
}

// Without a stream, a tail still playing is dropped: the user stopped.
int32_t Varnoth::OutputReset() {
    std::shared_ptr<OutputSink> current = CurrentSink();
    if (!current) return lingering.Drop() ? 1 : 0;
    resetSinceWrite = true;
    current->Reset();
    return 1;
}

// A tail is not held for a resume that belongs to no track: it is dropped.
int32_t Varnoth::OutputPause() {
    std::shared_ptr<OutputSink> current = CurrentSink();
    if (!current) return lingering.Drop() ? 1 : 0;
    current->Pause();
    return 1;
}

int32_t Varnoth::OutputResume() {
    std::shared_ptr<OutputSink> current = CurrentSink();
    if (!current) return 0;
    current->Resume();
    return 1;
}

// Kept for the next stream too: the host sets the volume only when it
// changes.
int32_t Varnoth::OutputSetVolume(int32_t left, int32_t right) {
    std::shared_ptr<OutputSink> current;
    {
        std::lock_guard<std::mutex> guard(lock);
        volumeLeft = left;
        volumeRight = right;
        current = sink;
    }
    if (!current) return 1;
    return current->SetVolume(left, right) ? 1 : 0;
}

int32_t Varnoth::OutputQueuedBytes() {
    std::shared_ptr<OutputSink> current = CurrentSink();
    const uint64_t queued = current ? current->QueuedBytes() : lingering.QueuedBytes();
    return queued > INT32_MAX ? INT32_MAX : static_cast<int32_t>(queued);
}

int32_t Varnoth::OutputReserved9() {
    return 0;
}

int32_t Varnoth::OutputGetVersion(char* buffer8) {
    if (!buffer8) return 0;
    std::memcpy(buffer8, kVersion, sizeof kVersion);
    return 1;
}

int32_t Varnoth::OutputInitDirectSound(WindowHandle window) {
    std::lock_guard<std::mutex> guard(lock);
    return directSound.Create(static_cast<HWND>(window)) ? 1 : 0;
}

int32_t Varnoth::OutputRelease() {
    AbortCurrent();
    lingering.PlayOut();
    std::lock_guard<std::mutex> guard(lock);
    directSound.Release();
    return 1;
}
