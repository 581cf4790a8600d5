#include "VarnothTestSupport.h"

#include <algorithm>

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

bool ArrivedInOrder(const std::vector<uint8_t>& played, const std::vector<uint8_t>& expected,
                    uint8_t silence, size_t* inserted) {
    // Matching each expected byte at its earliest place is optimal here: a
    // byte skipped over must be silence, and skipping never helps later.
    *inserted = 0;
    size_t e = 0;
    for (uint8_t byte : played) {
        if (e < expected.size() && byte == expected[e]) {
            ++e;
        } else if (byte == silence) {
            ++*inserted;
        } else {
            return false;
        }
    }
    return e == expected.size();
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::string contents;
    if (!harness::ReadWholeFile(path, contents)) return {};
    return std::vector<uint8_t>(contents.begin(), contents.end());
}

} // namespace varnoth_test
