#include "DiskWriterSink.h"

#include <algorithm>

#include "PaceClock.h"
#include "WavHeader.h"

namespace {

constexpr uint64_t kLeadMs = 500;

std::string FolderWithSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
    return folder + "\\";
}

// The first free "Varnoth-NNNN.wav", created exclusively so that two
// writers never share a file.
HANDLE CreateNextFile(const std::string& folder) {
    const std::string prefix = FolderWithSlash(folder);
    for (int index = 1; index <= kMostDiskFiles; ++index) {
        const std::string path = prefix + DiskFileName(index);
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(count, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes, piece, &written, nullptr) || written != piece) return false;
        bytes += piece;
        count -= piece;
    }
    return true;
}

} // namespace

DiskWriterSink::DiskWriterSink(const PcmFormat& format, const StreamPlan& plan, DiskPace pace)
    : format(format), plan(plan), pace(pace), clockStart(Clock::now()) {}

std::unique_ptr<DiskWriterSink> DiskWriterSink::Open(const PcmFormat& format,
                                                     const StreamPlan& plan,
                                                     const std::string& folder, DiskPace pace) {
    if (folder.empty()) return nullptr;
    CreateDirectoryA(folder.c_str(), nullptr); // fails harmlessly when it exists
    std::unique_ptr<DiskWriterSink> sink(new DiskWriterSink(format, plan, pace));
    sink->file = CreateNextFile(folder);
    if (sink->file == INVALID_HANDLE_VALUE) return nullptr;
    std::lock_guard<std::mutex> guard(sink->lock);
    if (!sink->WriteHeaderLocked()) return nullptr;
    return sink;
}

DiskWriterSink::~DiskWriterSink() {
    if (file == INVALID_HANDLE_VALUE) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        WriteHeaderLocked();
        // RIFF pads odd-sized data to an even length.
        if (dataBytes & 1) {
            const uint8_t pad = 0;
            SetFilePointer(file, 0, nullptr, FILE_END);
            WriteAll(file, &pad, 1);
        }
    }
    CloseHandle(file);
}

bool DiskWriterSink::WriteHeaderLocked() {
    const WavHeader header = MakeWavHeader(format, dataBytes);
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    const bool written = WriteAll(file, header.data(), header.size());
    const LONG end = static_cast<LONG>(kWavHeaderBytes + dataBytes);
    LONG endHigh = static_cast<LONG>((uint64_t{kWavHeaderBytes} + dataBytes) >> 32);
    SetFilePointer(file, end, &endHigh, FILE_BEGIN);
    return written;
}

uint64_t DiskWriterSink::ElapsedMsLocked() const {
    const Clock::time_point now = paused ? pausedAt : Clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now - clockStart).count());
}

bool DiskWriterSink::WaitForTurn(std::unique_lock<std::mutex>& guard, uint64_t resetsAtStart) {
    for (;;) {
        if (aborted || resets != resetsAtStart) return false;
        if (paused) {
            wake.wait(guard);
            continue;
        }
        if (pace == DiskPace::Fast) return true;
        const uint64_t delayMs =
            PaceDelayMs(clockBytes, plan.bytesPerSecond, ElapsedMsLocked(), kLeadMs);
        if (delayMs == 0) return true;
        wake.wait_for(guard, std::chrono::milliseconds(delayMs));
    }
}

bool DiskWriterSink::Write(const uint8_t* pcm, size_t bytes) {
    std::unique_lock<std::mutex> guard(lock);
    const uint64_t resetsAtStart = resets;
    // Real-time pacing goes in steps of one device buffer, like a device.
    while (bytes > 0) {
        if (!WaitForTurn(guard, resetsAtStart)) return !aborted;
        if (failed) return false;
        const size_t piece = std::min<size_t>(bytes, plan.blockBytes);
        if (piece > WavDataLimit(plan.blockAlign) - dataBytes) {
            failed = true; // the file is full: end the track, keep the file valid
            return false;
        }
        if (!WriteAll(file, pcm, piece)) {
            failed = true;
            return false;
        }
        dataBytes += static_cast<uint32_t>(piece);
        clockBytes += piece;
        pcm += piece;
        bytes -= piece;
    }
    return true;
}

void DiskWriterSink::Reset() {
    std::lock_guard<std::mutex> guard(lock);
    ++resets;
    WriteHeaderLocked();
    // Nothing is queued; the clock starts again so a seek does not wait.
    clockBytes = 0;
    clockStart = Clock::now();
    pausedAt = clockStart;
    wake.notify_all();
}

void DiskWriterSink::Pause() {
    std::lock_guard<std::mutex> guard(lock);
    if (paused) return;
    paused = true;
    pausedAt = Clock::now();
}

void DiskWriterSink::Resume() {
    std::lock_guard<std::mutex> guard(lock);
    if (!paused) return;
    paused = false;
    clockStart += Clock::now() - pausedAt;
    wake.notify_all();
}

bool DiskWriterSink::SetVolume(int32_t, int32_t) {
    // The file keeps the exact PCM: saving is not listening.
    return true;
}

// Every track keeps a file of its own, also when the next one has the same
// format: nothing lingers.
bool DiskWriterSink::Drain(uint64_t) {
    std::lock_guard<std::mutex> guard(lock);
    WriteHeaderLocked();
    return false;
}

void DiskWriterSink::Continue() {}

void DiskWriterSink::Abort() {
    std::lock_guard<std::mutex> guard(lock);
    aborted = true;
    wake.notify_all();
}

uint64_t DiskWriterSink::QueuedBytes() {
    // Every byte is on disk when Write returns.
    return 0;
}
