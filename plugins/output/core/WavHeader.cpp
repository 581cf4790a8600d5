#include "WavHeader.h"

#include <cstring>

namespace {

void PutTag(uint8_t* at, const char (&tag)[5]) {
    std::memcpy(at, tag, 4);
}

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

constexpr uint32_t kRiffOverhead = kWavHeaderBytes - 8; // RIFF size minus data and pad

} // namespace

WavHeader MakeWavHeader(const PcmFormat& format, uint32_t dataBytes) {
    const uint32_t channels = static_cast<uint32_t>(format.channels);
    const uint32_t bits = static_cast<uint32_t>(format.bitsPerSample);
    const uint32_t rate = static_cast<uint32_t>(format.samplesPerSecond);
    const uint32_t blockAlign = channels * bits / 8;

    WavHeader header{};
    uint8_t* h = header.data();
    PutTag(h, "RIFF");
    Put32(h + 4, kRiffOverhead + dataBytes + (dataBytes & 1));
    PutTag(h + 8, "WAVE");
    PutTag(h + 12, "fmt ");
    Put32(h + 16, 16);
    Put16(h + 20, 1); // PCM
    Put16(h + 22, channels);
    Put32(h + 24, rate);
    Put32(h + 28, rate * blockAlign);
    Put16(h + 32, blockAlign);
    Put16(h + 34, bits);
    PutTag(h + 36, "data");
    Put32(h + 40, dataBytes);
    return header;
}

uint32_t WavDataLimit(uint32_t blockAlign) {
    // Leave room for the header's RIFF overhead and a pad byte.
    const uint32_t limit = 0xFFFFFFFFu - kRiffOverhead - 1;
    return blockAlign == 0 ? 0 : limit - limit % blockAlign;
}
