// Measures Varnoth: how long OutputReset takes to release a blocked writer,
// how much CPU time streaming costs per second of sound (wave device and
// DirectSound), and how many bytes a second the disk writer takes.
//   varnothbench <folder of Varnoth.dll> <scratch folder>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "OutputPlugin.h"

namespace {

double Now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>(uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<uint8_t> Noise(size_t bytes) {
    std::vector<uint8_t> pcm(bytes);
    uint32_t state = 12345;
    for (uint8_t& b : pcm) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(state >> 24);
    }
    return pcm;
}

const PcmFormat kCdFormat{2, 16, 44100, 8 * 4608};
constexpr size_t kCdBytesPerSecond = 176400;
constexpr size_t kWriteBlock = 6 * 4608; // what an MPEG source writes

// Milliseconds from OutputReset to the blocked writer's return, `rounds` times.
void MeasureResetLatency(OutputPlugin* output, const char* sink, int rounds) {
    const std::vector<uint8_t> pcm = Noise(30 * kCdBytesPerSecond);
    std::vector<double> release;
    std::vector<double> call;
    for (int i = 0; i < rounds; ++i) {
        if (!output->OutputOpen(0, &kCdFormat)) {
            std::printf("%s: open refused\n", sink);
            return;
        }
        std::atomic<double> returned{0};
        std::thread writer([&] {
            output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size()));
            returned = Now();
        });
        Sleep(150); // the queue is full and the writer waits
        const double start = Now();
        output->OutputReset();
        const double resetDone = Now();
        writer.join();
        release.push_back((returned - start) * 1000);
        call.push_back((resetDone - start) * 1000);
        output->OutputClose();
    }
    std::printf("%-12s reset: writer released after %.2f ms (median of %d, worst %.2f); "
                "OutputReset itself %.2f ms\n",
                sink, Median(release), rounds, *std::max_element(release.begin(), release.end()),
                Median(call));
}

// Process CPU seconds per second of sound while `seconds` of sound stream.
void MeasureStreamingCpu(OutputPlugin* output, const char* sink, int seconds) {
    const std::vector<uint8_t> pcm = Noise(seconds * kCdBytesPerSecond);
    if (!output->OutputOpen(0, &kCdFormat)) {
        std::printf("%s: open refused\n", sink);
        return;
    }
    const double cpuStart = ProcessCpuSeconds();
    const double start = Now();
    for (size_t at = 0; at < pcm.size(); at += kWriteBlock)
        output->OutputWrite(pcm.data() + at,
                            static_cast<int32_t>(std::min(kWriteBlock, pcm.size() - at)));
    output->OutputClose();
    const double wall = Now() - start;
    const double cpu = ProcessCpuSeconds() - cpuStart;
    std::printf("%-12s streaming: %.1f ms CPU per second of sound (%d s of sound in %.2f s of "
                "wall time; includes the system's mixing threads)\n",
                sink, cpu * 1000 / seconds, seconds, wall);
}

void MeasureDiskWriter(OutputPlugin* output, int seconds, int streams) {
    const std::vector<uint8_t> pcm = Noise(seconds * kCdBytesPerSecond);
    const double cpuStart = ProcessCpuSeconds();
    const double start = Now();
    size_t total = 0;
    for (int s = 0; s < streams; ++s) {
        if (!output->OutputOpen(0, &kCdFormat)) {
            std::printf("disk writer: open refused\n");
            return;
        }
        for (size_t at = 0; at < pcm.size(); at += kWriteBlock) {
            const size_t count = std::min(kWriteBlock, pcm.size() - at);
            output->OutputWrite(pcm.data() + at, static_cast<int32_t>(count));
            total += count;
        }
        output->OutputClose();
    }
    const double wall = Now() - start;
    const double cpu = ProcessCpuSeconds() - cpuStart;
    std::printf("disk writer  fast pace: %.1f MB/s delivered (%zu bytes in %.2f s, %.1f x real "
                "time, %.2f s CPU)\n",
                total / wall / 1e6, total, wall, total / wall / kCdBytesPerSecond, cpu);
}

HWND MakeWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "VarnothBenchWindow";
    RegisterClassA(&type);
    return CreateWindowA("VarnothBenchWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                         type.hInstance, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: varnothbench <folder of Varnoth.dll> <scratch folder>\n");
        return 2;
    }
    const std::string dll = std::string(argv[1]) + "\\Varnoth.dll";
    HMODULE module = LoadLibraryA(dll.c_str());
    auto factory = module ? reinterpret_cast<GetOutputInstanceFn>(reinterpret_cast<void (*)()>(
                                GetProcAddress(module, "_GetInstance")))
                          : nullptr;
    OutputPlugin* output = factory ? factory() : nullptr;
    if (!output) {
        std::fprintf(stderr, "cannot load %s\n", dll.c_str());
        return 1;
    }
    output->OutputSetVolume(100, 100);

    SetEnvironmentVariableA("VARNOTH_SINK", "wave");
    MeasureResetLatency(output, "wave device", 40);
    MeasureStreamingCpu(output, "wave device", 20);

    HWND window = MakeWindow();
    if (window && output->OutputInitDirectSound(window)) {
        MeasureResetLatency(output, "DirectSound", 40);
        MeasureStreamingCpu(output, "DirectSound", 20);
    } else {
        std::printf("DirectSound unavailable\n");
    }
    output->OutputRelease();

    SetEnvironmentVariableA("VARNOTH_SINK", "disk");
    SetEnvironmentVariableA("VARNOTH_DISK_PACE", "fast");
    SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", argv[2]);
    MeasureDiskWriter(output, 60, 5);
    output->OutputRelease();
    return 0;
}
