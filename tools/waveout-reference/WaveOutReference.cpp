// waveout-reference FILE.wav: streams a PCM WAV file through the default wave
// device with four 16 KB buffers and CALLBACK_EVENT, refilling each buffer as
// soon as the device returns it, and never sleeping on a timer. It shares no
// code with Quorel, so silences it lets through the device are the
// platform's, not the player's. Exit code 0 when the whole file was played.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kBuffers = 4;
constexpr DWORD kBufferBytes = 16384;

// The format and the data of a RIFF WAVE file, or false.
bool ReadWave(const char* path, WAVEFORMATEX& format, std::vector<char>& data) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    std::vector<char> bytes;
    char block[65536];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        DWORD size;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        const size_t body = at + 8, end = body + size < bytes.size() ? body + size : bytes.size();
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && end - body >= 16) {
            format = {};
            std::memcpy(&format, bytes.data() + body, 16);
            haveFormat = format.wFormatTag == WAVE_FORMAT_PCM;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            data.assign(bytes.begin() + body, bytes.begin() + end);
            return haveFormat;
        }
        at = body + size + (size & 1);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    WAVEFORMATEX format;
    std::vector<char> data;
    if (argc != 2 || !ReadWave(argv[1], format, data)) {
        std::fprintf(stderr, "usage: waveout-reference FILE.wav (16-bit PCM)\n");
        return 2;
    }
    HANDLE returned = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, DWORD_PTR(returned), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR)
        return 1;
    std::vector<char> memory(size_t(kBuffers) * kBufferBytes);
    WAVEHDR headers[kBuffers] = {};
    size_t next = 0;
    // Fills a free buffer from the file; false at the end of the data.
    auto queue = [&](WAVEHDR& header, char* space) {
        if (next >= data.size()) return false;
        const DWORD bytes = DWORD(data.size() - next < kBufferBytes ? data.size() - next : kBufferBytes);
        std::memcpy(space, data.data() + next, bytes);
        next += bytes;
        header.lpData = space;
        header.dwBufferLength = bytes;
        header.dwFlags = 0;
        waveOutPrepareHeader(device, &header, sizeof header);
        waveOutWrite(device, &header, sizeof header);
        return true;
    };
    for (int i = 0; i < kBuffers; ++i) queue(headers[i], &memory[size_t(i) * kBufferBytes]);
    for (;;) {
        bool playing = false;
        for (int i = 0; i < kBuffers; ++i) {
            WAVEHDR& header = headers[i];
            if (header.dwFlags & WHDR_DONE) {
                waveOutUnprepareHeader(device, &header, sizeof header);
                header.dwFlags = 0;
                queue(header, &memory[size_t(i) * kBufferBytes]);
            }
            playing = playing || (header.dwFlags & WHDR_PREPARED);
        }
        if (!playing) break;
        WaitForSingleObject(returned, INFINITE);
    }
    waveOutClose(device);
    CloseHandle(returned);
    return 0;
}
