// libFuzzer target: the WAVE reader on any bytes, header and PCM.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "MemoryTagFile.h"
#include "WaveSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryTagFile file(std::vector<uint8_t>(data, data + size));
    WaveFormat format{};
    WaveCounters counters{};
    int64_t position = ReadWaveHeader(file, &format, &counters);
    if (position < 0) return 0;
    if (position > static_cast<int64_t>(size) || format.byteRate == 0) __builtin_trap();
    // Odd block sizes as well, to cross the expansion's halves.
    std::vector<uint8_t> block(16385);
    int64_t total = 0;
    for (int32_t count : {16384, 16385, 3}) {
        const int32_t made = ReadWavePcm(file, format, &counters, &position, block.data(), count);
        if (made < 0 || made > count) __builtin_trap();
        total += made;
    }
    if (total > counters.dataEnd) __builtin_trap();
    return 0;
}
