// Files, a recording output and a callback recorder for the input plug-in's
// tests, natively and under Wine.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "InputPlugin.h"
#include "decoder/Decoder.h"

namespace tessaly_test {

using Bytes = std::vector<uint8_t>;

inline std::string Fixture(const char* name) {
    return std::string(QUOREL_TEST_DATA) + "/input/" + name;
}

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A thread-safe output that keeps every byte and call.
class SinkOutput : public OutputPlugin {
  public:
    int32_t OutputOpen(int32_t, const PcmFormat* f) override {
        std::lock_guard<std::mutex> lock(mutex);
        format = *f;
        calls.push_back("open");
        return refuseOpen ? 0 : 1;
    }
    int32_t OutputClose() override { return Log("close"); }
    int32_t OutputWrite(const void* pcm, int32_t bytes) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            const auto* p = static_cast<const uint8_t*>(pcm);
            written.insert(written.end(), p, p + bytes);
        }
        // A device takes its time: the write returns once the block "played".
        if (microsecondsPerKilobyte > 0)
            std::this_thread::sleep_for(
                std::chrono::microseconds(bytes / 1024 * microsecondsPerKilobyte));
        return 1;
    }
    int32_t OutputReset() override { return Log("reset"); }
    int32_t OutputPause() override { return Log("pause"); }
    int32_t OutputResume() override { return Log("resume"); }
    int32_t OutputSetVolume(int32_t, int32_t) override { return 1; }
    int32_t OutputQueuedBytes() override { return 0; }
    int32_t OutputReserved9() override { return 0; }
    int32_t OutputGetVersion(char*) override { return 0; }
    int32_t OutputInitDirectSound(WindowHandle) override { return 0; }
    int32_t OutputRelease() override { return 1; }

    Bytes Written() {
        std::lock_guard<std::mutex> lock(mutex);
        return written;
    }
    std::vector<std::string> Calls() {
        std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex);
        written.clear();
        calls.clear();
    }

    PcmFormat format = {};
    bool refuseOpen = false;
    int microsecondsPerKilobyte = 0;

  private:
    int32_t Log(const char* call) {
        std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(call);
        return 1;
    }
    std::mutex mutex;
    Bytes written;
    std::vector<std::string> calls;
};

// Collects callback reports and lets a test wait for the end notice.
struct Reports {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<int32_t, int32_t>> list;

    bool WaitForEnd(int seconds = 20) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(seconds), [&] {
            for (const auto& report : list)
                if (report.first == kNotifyEnd) return true;
            return false;
        });
    }
    std::vector<std::pair<int32_t, int32_t>> Snapshot() {
        std::lock_guard<std::mutex> lock(mutex);
        return list;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex);
        list.clear();
    }
};

inline int32_t QUOREL_STDCALL Report(int32_t code, int32_t value, uintptr_t userData) {
    auto* reports = reinterpret_cast<Reports*>(userData);
    std::lock_guard<std::mutex> lock(reports->mutex);
    reports->list.push_back({code, value});
    reports->changed.notify_all();
    return 0;
}

// The decoder's PCM for a whole file, decoded frame by frame from its first
// frame with the default options.
inline Bytes DecodeWhole(const Bytes& file, size_t firstFrame) {
    // This process's own decoder (under Wine the plug-in has another copy).
    DecoderInitTables();
    FrameHeader header;
    int32_t offset = 0;
    EXPECT_TRUE(FindFrameHeader(file.data() + firstFrame, 4, header, offset));
    OutputShape shape;
    EXPECT_TRUE(GetOutputShape(header, shape));
    EXPECT_TRUE(DecoderStart(header));
    Bytes padded = file;
    padded.resize(file.size() + 4096, 0);
    Bytes pcm;
    std::vector<uint8_t> frame(static_cast<size_t>(shape.pcmBytesPerFrame));
    size_t at = firstFrame;
    while (at + 4 <= file.size()) {
        const int32_t length = FrameLength(padded.data() + at);
        if (length == 0 || at + static_cast<size_t>(length) > file.size()) break;
        const DecodeResult result = DecodeFrame(padded.data() + at, frame.data());
        if (result.consumed == 0 || result.produced == 0) break;
        pcm.insert(pcm.end(), frame.begin(), frame.begin() + result.produced);
        at += static_cast<size_t>(result.consumed);
    }
    return pcm;
}

inline size_t FirstSync(const Bytes& file, size_t from) {
    for (size_t i = from; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] >= 0xF0) return i;
    return file.size();
}

inline void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A RIFF WAVE file; `after` follows the data chunk.
inline Bytes MakeWave(uint16_t tag, uint16_t channels, uint32_t rate, const Bytes& data,
                      const Bytes& after = {}) {
    const uint16_t bits = tag == 1 ? 16 : 8;
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    Put32(b, 16);
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * channels * bits / 8);
    Put16(b, static_cast<uint16_t>(channels * bits / 8));
    Put16(b, bits);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    Put32(b, static_cast<uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    b.insert(b.end(), after.begin(), after.end());
    const uint32_t riff = static_cast<uint32_t>(b.size() - 8);
    std::memcpy(b.data() + 4, &riff, 4);
    return b;
}

inline Bytes Pattern(size_t size, uint32_t seed) {
    Bytes bytes(size);
    std::mt19937 random(seed);
    for (auto& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

} // namespace tessaly_test
