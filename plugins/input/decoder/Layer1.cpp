// Layer I frames: 4-bit allocations, one scale factor per entry, 12 slots of samples.
#include "DecoderCore.h"
#include "Layer12.h"
#include "Layer12State.h"

namespace {

// Reads the allocations; a shared pair gets one allocation for both entries.
void L1ReadAllocations(BitReader& reader, int32_t bound) {
    Layer12State& s = gLayer12;
    for (int32_t e = 0; e < s.codedEntries;) {
        const int32_t allocation = static_cast<int32_t>(reader.Read(4));
        s.allocation[e] = allocation;
        s.sharedPair[e] = e >= bound;
        if (!s.sharedPair[e]) {
            ++e;
            continue;
        }
        s.allocation[e + 1] = allocation;
        s.sharedPair[e + 1] = false;
        e += 2;
    }
}

// Sample bits per slot of the entries above the subband limit (a shared pair once).
int32_t L1SkippedBitsPerSlot() {
    const Layer12State& s = gLayer12;
    int32_t bits = 0;
    for (int32_t e = s.decodedEntries; e < s.codedEntries; e += s.sharedPair[e] ? 2 : 1)
        if (s.allocation[e] != 0) bits += s.allocation[e] + 1;
    return bits;
}

void L1ReadScaleFactors(BitReader& reader) {
    Layer12State& s = gLayer12;
    const Layer12Tables& t = gLayer12Tables;
    for (int32_t e = 0; e < s.codedEntries; ++e) {
        if (s.allocation[e] == 0) continue;
        const uint32_t index = reader.Read(6);
        s.factors[0][e] = t.scaleFactors[index] * t.layer1StepFactors[s.allocation[e]];
    }
}

// The samples of the decoded entries, slot by slot from bit position on: each
// entry's code at its place in the slot (a shared pair's once), the entries above the
// subband limit skipped. Allocation 15, which encoders never write, reads 16-bit
// samples like the pattern of the others: a damaged frame keeps its layout and its
// values stay within the scale factor.
void L1ReadSamples(const uint8_t* input, int32_t frameBytes, int32_t position) {
    Layer12State& s = gLayer12;
    const float* factors = s.factors[0];
    struct Entry {
        int32_t index, shared, offset, width, middle;
    };
    Entry entries[kMaxEntries];
    int32_t count = 0;
    int32_t slotBits = 0;
    for (int32_t e = 0; e < s.decodedEntries; e += s.sharedPair[e] ? 2 : 1) {
        const int32_t allocation = s.allocation[e];
        const int32_t width = allocation != 0 ? allocation + 1 : 0;
        entries[count++] = {e, s.sharedPair[e] ? 1 : 0, slotBits, width, (1 << allocation) - 1};
        slotBits += width;
    }
    slotBits += L1SkippedBitsPerSlot();
    const uint8_t* bits = L12CopyFrame(input, frameBytes, position + kLayer1Slots * slotBits);
    for (int32_t slot = 0; slot < kLayer1Slots; ++slot, position += slotBits) {
        float* samples = s.samples + kEntriesPerSlot * slot;
        for (int32_t i = 0; i < count; ++i) {
            const Entry& entry = entries[i];
            const int32_t code =
                static_cast<int32_t>(L12BitsAt(bits, position + entry.offset, entry.width));
            const float value = static_cast<float>(code - entry.middle);
            samples[entry.index] = value * factors[entry.index];
            if (entry.shared) samples[entry.index + 1] = value * factors[entry.index + 1];
        }
    }
}

} // namespace

bool L1Setup() {
    return L12SetupEntries(32);
}

DecodeResult L1Frame(const uint8_t* input, uint8_t* output) {
    Layer12State& s = gLayer12;
    const OutputShape& shape = gDecoder.shape;
    L12FrameStart start;
    if (!L12BeginFrame(input, shape.frameBytes, 4, start)) return {0, 0};
    BitReader& reader = start.reader;
    L1ReadAllocations(reader, start.bound);
    L1ReadScaleFactors(reader);
    L1ReadSamples(input, reader.size, reader.BitPosition());
    s.synthesis(s.samples, output, kLayer1Slots);
    return {shape.frameBytes + 4 * start.padding, shape.pcmBytesPerFrame};
}
