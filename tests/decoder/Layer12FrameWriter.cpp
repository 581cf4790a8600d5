#include "Layer12FrameWriter.h"

namespace {

int32_t Channels(const SubbandFrame& frame) {
    return frame.mode == 3 ? 1 : 2;
}

// First subband written once for both channels.
int32_t Bound(const SubbandFrame& frame, int32_t subbands) {
    if (frame.mode == 1) return 4 * (frame.modeExtension + 1);
    return subbands;
}

void PutHeader(BitWriter& writer, uint32_t layerBits, uint32_t bitrateIndex,
               const SubbandFrame& frame) {
    writer.Put(0xFFF, 12);
    writer.Put(1, 1); // MPEG-1
    writer.Put(layerBits, 2);
    writer.Put(1, 1); // no CRC
    writer.Put(bitrateIndex, 4);
    writer.Put(1, 2); // 48 kHz
    writer.Put(0, 2); // no padding, private bit
    writer.Put(static_cast<uint32_t>(frame.mode), 2);
    writer.Put(static_cast<uint32_t>(frame.modeExtension), 2);
    writer.Put(0, 4);
}

int32_t Layer2AllocationBits(int32_t subband) {
    if (subband < 11) return 4;
    return subband < 23 ? 3 : 2;
}

int32_t BitsOfSteps(int32_t steps) {
    int32_t bits = 0;
    while ((1 << bits) < steps + 1)
        ++bits;
    return bits;
}

} // namespace

std::vector<uint8_t> WriteLayer1Frame(const SubbandFrame& frame) {
    BitWriter writer;
    PutHeader(writer, 3, 12, frame);
    const int32_t channels = Channels(frame);
    const int32_t bound = Bound(frame, 32);
    for (int32_t k = 0; k < 32; ++k)
        for (int32_t c = 0; c < (k < bound ? channels : 1); ++c)
            writer.Put(static_cast<uint32_t>(frame.allocation[c][k]), 4);
    for (int32_t k = 0; k < 32; ++k)
        for (int32_t c = 0; c < channels; ++c)
            if (frame.allocation[k < bound ? c : 0][k] != 0)
                writer.Put(static_cast<uint32_t>(frame.scaleFactor[c][k]), 6);
    for (int32_t s = 0; s < 12; ++s)
        for (int32_t k = 0; k < 32; ++k)
            for (int32_t c = 0; c < (k < bound ? channels : 1); ++c)
                if (frame.allocation[c][k] != 0)
                    writer.Put(frame.samples[s][c][k], frame.allocation[c][k] + 1);
    return writer.Bytes(384);
}

int32_t Layer2Steps(int32_t subband, int32_t allocation) {
    static const int32_t kLow[16] = {0,   3,    7,    15,   31,   63,    127,   255,
                                     511, 1023, 2047, 4095, 8191, 16383, 32767, 65535};
    static const int32_t kMiddle[16] = {0,   3,   5,   7,    9,    15,   31,   63,
                                        127, 255, 511, 1023, 2047, 4095, 8191, 65535};
    static const int32_t kUpper[8] = {0, 3, 5, 7, 9, 15, 31, 65535};
    static const int32_t kTop[4] = {0, 3, 5, 65535};
    if (subband < 3) return kLow[allocation];
    if (subband < 11) return kMiddle[allocation];
    if (subband < 23) return kUpper[allocation];
    return kTop[allocation];
}

std::vector<uint8_t> WriteLayer2Frame(const SubbandFrame& frame) {
    constexpr int32_t kSubbands = 27;
    BitWriter writer;
    PutHeader(writer, 2, 10, frame);
    const int32_t channels = Channels(frame);
    const int32_t bound = Bound(frame, kSubbands);
    auto allocationOf = [&](int32_t c, int32_t k) {
        return frame.allocation[k < bound ? c : 0][k];
    };
    for (int32_t k = 0; k < kSubbands; ++k)
        for (int32_t c = 0; c < (k < bound ? channels : 1); ++c)
            writer.Put(static_cast<uint32_t>(frame.allocation[c][k]), Layer2AllocationBits(k));
    for (int32_t k = 0; k < kSubbands; ++k)
        for (int32_t c = 0; c < channels; ++c)
            if (allocationOf(c, k) != 0) writer.Put(2, 2);
    for (int32_t k = 0; k < kSubbands; ++k)
        for (int32_t c = 0; c < channels; ++c)
            if (allocationOf(c, k) != 0)
                writer.Put(static_cast<uint32_t>(frame.scaleFactor[c][k]), 6);
    for (int32_t g = 0; g < 12; ++g) {
        for (int32_t k = 0; k < kSubbands; ++k) {
            for (int32_t c = 0; c < (k < bound ? channels : 1); ++c) {
                const int32_t steps = Layer2Steps(k, frame.allocation[c][k]);
                if (steps == 0) continue;
                const bool grouped = steps == 3 || steps == 5 || steps == 9;
                if (grouped) {
                    writer.Put(frame.samples[3 * g][c][k], BitsOfSteps(steps * steps * steps - 1));
                    continue;
                }
                for (int32_t n = 0; n < 3; ++n)
                    writer.Put(frame.samples[3 * g + n][c][k], BitsOfSteps(steps));
            }
        }
    }
    return writer.Bytes(kLayer2FrameBytes);
}
