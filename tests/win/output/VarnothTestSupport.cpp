#include "VarnothTestSupport.h"

#include <algorithm>
#include <cstdio>

#include "Harness.h"

namespace varnoth_test {

OutputPlugin* LoadVarnoth(const std::string& dllPath) {
    const std::string path =
        dllPath.empty() ? harness::BuiltTreeFolder() + "\\Plugin\\Varnoth.dll" : dllPath;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    auto factory = reinterpret_cast<GetOutputInstanceFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "_GetInstance")));
    return factory ? factory() : nullptr;
}

PcmFormat Format(int32_t channels, int32_t bits, int32_t rate, int32_t bufferBytes) {
    return PcmFormat{channels, bits, rate, bufferBytes};
}

std::vector<uint8_t> Signal(size_t bytes, uint32_t seed) {
    std::vector<uint8_t> pcm(bytes);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& byte : pcm) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return pcm;
}

bool WriteInBlocks(OutputPlugin* output, const std::vector<uint8_t>& pcm, size_t block) {
    for (size_t at = 0; at < pcm.size(); at += block) {
        const size_t count = std::min(block, pcm.size() - at);
        if (!output->OutputWrite(pcm.data() + at, static_cast<int32_t>(count))) return false;
    }
    return true;
}

Capture::Capture() {
    char unixPath[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUOREL_CAPTURE", unixPath, sizeof unixPath);
    if (length == 0 || length >= sizeof unixPath || unixPath[0] != '/') return;
    path = "Z:" + std::string(unixPath, length);
    std::replace(path.begin(), path.end(), '/', '\\');
}

uint64_t Capture::Size() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

std::vector<uint8_t> Capture::ReadFrom(uint64_t offset, uint64_t end) const {
    std::vector<uint8_t> all = ReadFileBytes(path);
    end = std::min<uint64_t>(end, all.size());
    if (offset >= end) return {};
    return std::vector<uint8_t>(all.begin() + static_cast<ptrdiff_t>(offset),
                                all.begin() + static_cast<ptrdiff_t>(end));
}

uint64_t Capture::SettledSize(DWORD quietMs) const {
    uint64_t size = Size();
    DWORD since = GetTickCount();
    const DWORD start = since;
    while (GetTickCount() - since < quietMs && GetTickCount() - start < 30000) {
        Sleep(20);
        const uint64_t now = Size();
        if (now != size) {
            size = now;
            since = GetTickCount();
        }
    }
    return size;
}

namespace {

// Wine's sound engine feeds the device in periods of 10 ms.
uint64_t PeriodBytes(uint32_t bytesPerSecond) {
    return (uint64_t{bytesPerSecond} + 99) / 100;
}

// How many bytes of `pcm` arrived from `at` on.
size_t SamePrefix(const std::vector<uint8_t>& played, size_t at, const std::vector<uint8_t>& pcm) {
    size_t same = 0;
    while (same < pcm.size() && at + same < played.size() && played[at + same] == pcm[same])
        ++same;
    return same;
}

// Says where stream `index`, expected from `at`, stops arriving as written.
template <typename Silent>
std::string Break(const std::vector<uint8_t>& played, size_t at, const Stream& stream, size_t index,
                  Silent silent) {
    const size_t expected = at;
    while (at < played.size() && silent(played[at]) && !stream.pcm.empty() &&
           played[at] != stream.pcm.front())
        ++at;
    const size_t same = SamePrefix(played, at, stream.pcm);
    size_t quiet = 0;
    while (at + same + quiet < played.size() && played[at + same + quiet] == stream.silence)
        ++quiet;
    return "stream " + std::to_string(index + 1) + ", after " + std::to_string(at - expected) +
           " bytes of silence, breaks after " + std::to_string(same) + " of its " +
           std::to_string(stream.pcm.size()) + " bytes (byte " + std::to_string(at + same) +
           " of " + std::to_string(played.size()) + " played), where " + std::to_string(quiet) +
           " bytes of silence follow";
}

} // namespace

std::string Misplayed(const std::vector<uint8_t>& played, const std::vector<Stream>& streams) {
    size_t at = 0;
    const Stream* previous = nullptr;
    for (size_t index = 0; index < streams.size(); ++index) {
        const Stream& stream = streams[index];
        const uint32_t rate = previous ? std::max(previous->bytesPerSecond, stream.bytesPerSecond)
                                       : stream.bytesPerSecond;
        uint64_t slack = PeriodBytes(rate);
        if (previous && (previous->cutAfter > 0 || stream.before == Gap::kAny))
            slack = played.size();
        else if (previous && stream.before == Gap::kNone)
            slack = 0;
        auto silent = [&](uint8_t byte) {
            return byte == stream.silence || (previous && byte == previous->silence);
        };
        // The first place, behind silence only, where the whole stream (or
        // enough of a cut one) follows.
        size_t start = at;
        size_t arrived = 0;
        for (;;) {
            arrived = SamePrefix(played, start, stream.pcm);
            if (arrived == stream.pcm.size() || (stream.cutAfter > 0 && arrived >= stream.cutAfter))
                break;
            if (start == played.size() || !silent(played[start]) || start - at >= slack)
                return Break(played, at, stream, index, silent);
            ++start;
        }
        if (start - at > 0 && index > 0)
            std::printf("note: %zu bytes of silence before stream %zu\n", start - at, index + 1);
        at = start + arrived;
        previous = &stream;
    }
    if (!previous) return played.empty() ? std::string() : "sound where none was written";
    if (!std::all_of(played.begin() + static_cast<ptrdiff_t>(at), played.end(),
                     [&](uint8_t byte) { return byte == previous->silence; }))
        return "sound after the end, from byte " + std::to_string(at);
    return std::string();
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::string contents;
    if (!harness::ReadWholeFile(path, contents)) return {};
    return std::vector<uint8_t>(contents.begin(), contents.end());
}

} // namespace varnoth_test
