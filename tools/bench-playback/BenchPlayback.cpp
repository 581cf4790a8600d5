// Prints the input plug-in's processor time per second of audio: each file
// is played to its end into an output that discards the PCM at once.
//   bench-playback FILE ...
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>

#include "DiscardingOutput.h"
#include "StdPlaybackThread.h"
#include "Tessaly.h"

namespace {

std::mutex mutex;
std::condition_variable ended;
bool endSeen = false;

int32_t QUOREL_STDCALL OnReport(int32_t code, int32_t, uintptr_t) {
    if (code == kNotifyEnd) {
        std::lock_guard<std::mutex> lock(mutex);
        endSeen = true;
        ended.notify_all();
    }
    return 0;
}

double ProcessorSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-playback FILE ...\n");
        return 2;
    }
    Tessaly tessaly(std::make_unique<StdPlaybackThread>());
    DiscardingOutput output;
    tessaly.SetOutput(&output);
    tessaly.SetCallback(OnReport, 0);
    std::printf("%-40s %10s %12s %14s\n", "file", "audio s", "cpu ms", "cpu ms/audio s");
    for (int i = 1; i < argc; ++i) {
        InputFileInfo info = {};
        if (!tessaly.Open(argv[i], &info)) {
            std::printf("%-40s cannot be opened\n", argv[i]);
            tessaly.Close();
            continue;
        }
        output.bytesWritten = 0;
        endSeen = false;
        const double before = ProcessorSeconds();
        tessaly.Play();
        {
            std::unique_lock<std::mutex> lock(mutex);
            ended.wait(lock, [] { return endSeen; });
        }
        tessaly.Close();
        const double cpu = ProcessorSeconds() - before;
        const double bytesPerSecond = static_cast<double>(output.format.samplesPerSecond) *
                                      output.format.channels * output.format.bitsPerSample / 8;
        const double audio = output.bytesWritten / bytesPerSecond;
        std::printf("%-40s %10.1f %12.1f %14.3f\n", argv[i], audio, cpu * 1000, cpu * 1000 / audio);
    }
    return 0;
}
