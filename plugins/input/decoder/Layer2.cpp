// Layer II frames: allocations by table, scale-factor selection, up to three scale
// factors per entry, and 12 granules of sample triples (4 per part).
#include "DecoderCore.h"
#include "Layer12.h"
#include "Layer12State.h"
#include "MpegHeader.h"

namespace {

constexpr int32_t kGranules = 12;
constexpr int32_t kGranulesPerPart = 4;

// Reads the allocations group by group and maps them to classes; a shared pair gets
// one allocation for both entries.
void L2ReadAllocations(BitReader& reader, int32_t bound) {
    Layer12State& s = gLayer12;
    int32_t e = 0;
    for (int32_t g = 0; g < s.table.groupCount; ++g) {
        const AllocationGroup& group = s.table.groups[g];
        const int32_t end = e + group.subbands;
        while (e < end) {
            const int32_t cls = group.classes[reader.Read(group.bits)];
            s.allocation[e] = cls;
            s.sharedPair[e] = e >= bound;
            if (!s.sharedPair[e]) {
                ++e;
                continue;
            }
            s.allocation[e + 1] = cls;
            s.sharedPair[e + 1] = false;
            e += 2;
        }
    }
}

// Sample bits per granule of the entries above the subband limit (a shared pair once).
int32_t L2SkippedBitsPerGranule() {
    const Layer12State& s = gLayer12;
    int32_t bits = 0;
    for (int32_t e = s.decodedEntries; e < s.codedEntries; e += s.sharedPair[e] ? 2 : 1)
        bits += kQuantClasses[s.allocation[e]].tripleBits;
    return bits;
}

void L2ReadScaleFactors(BitReader& reader) {
    Layer12State& s = gLayer12;
    const Layer12Tables& t = gLayer12Tables;
    for (int32_t e = 0; e < s.codedEntries; ++e)
        if (s.allocation[e] != 0) s.selection[e] = static_cast<int32_t>(reader.Read(2));
    for (int32_t e = 0; e < s.codedEntries; ++e) {
        if (s.allocation[e] == 0) continue;
        // Which of the three parts take a newly read scale factor.
        static const bool kNewFactor[4][3] = {
            {true, true, true}, {true, false, true}, {true, false, false}, {true, true, false}};
        const float step = t.layer2StepFactors[s.allocation[e]];
        for (int32_t part = 0; part < 3; ++part) {
            s.factors[part][e] = kNewFactor[s.selection[e]][part]
                                     ? t.scaleFactors[reader.Read(6)] * step
                                     : s.factors[part - 1][e];
        }
    }
}

// Three quantised values of one entry, centred on zero.
inline void L2ReadTriple(BitReader& reader, int32_t cls, int32_t values[3]) {
    const QuantClass& quant = kQuantClasses[cls];
    const Layer12Tables& t = gLayer12Tables;
    if (quant.grouped) {
        const uint32_t code = reader.Read(quant.codeBits);
        for (int32_t i = 0; i < 3; ++i) {
            if (quant.steps == 3) values[i] = t.groupsOf3[code][i];
            if (quant.steps == 5) values[i] = t.groupsOf5[code][i];
            if (quant.steps == 9) values[i] = t.groupsOf9[code][i];
        }
        return;
    }
    const int32_t middle = (quant.steps - 1) / 2;
    for (int32_t i = 0; i < 3; ++i)
        values[i] = static_cast<int32_t>(reader.Read(quant.codeBits)) - middle;
}

// One granule: a triple per decoded entry into three consecutive slots.
void L2ReadGranule(BitReader& reader, int32_t part, float* slots) {
    const Layer12State& s = gLayer12;
    const float* factors = s.factors[part];
    float* slot1 = slots + kEntriesPerSlot;
    float* slot2 = slots + 2 * kEntriesPerSlot;
    for (int32_t e = 0; e < s.decodedEntries; e += s.sharedPair[e] ? 2 : 1) {
        const int32_t cls = s.allocation[e];
        int32_t values[3] = {0, 0, 0};
        if (cls != 0) L2ReadTriple(reader, cls, values);
        const int32_t last = s.sharedPair[e] ? e + 1 : e;
        for (int32_t n = e; n <= last; ++n) {
            const float factor = cls != 0 ? factors[n] : 0.0f;
            slots[n] = static_cast<float>(values[0]) * factor;
            slot1[n] = static_cast<float>(values[1]) * factor;
            slot2[n] = static_cast<float>(values[2]) * factor;
        }
    }
}

// A frame whose header has no padding bit but whose successor starts one byte late
// still ends where the successor begins.
int32_t L2Consumed(const uint8_t* input, int32_t frameBytes, int32_t padding) {
    if (padding == 0 && !HeaderHasSync(input + frameBytes)) padding = 1;
    return frameBytes + padding;
}

} // namespace

bool L2Setup() {
    Layer12State& s = gLayer12;
    const FrameHeader& header = gDecoder.header;
    const int32_t choice = L2ChooseAllocationTable(header.version, header.mode,
                                                   header.sampleRateIndex, header.bitrateIndex);
    if (choice < 0) return false;
    const AllocationTable& table = kLayer2AllocationTables[choice];
    if (!L12SetupEntries(table.subbands)) return false;
    s.table = table;
    for (int32_t g = 0; g < table.groupCount; ++g)
        s.table.groups[g].subbands = table.groups[g].subbands * s.channels;
    s.table.subbands = table.subbands * s.channels;
    return true;
}

DecodeResult L2Frame(const uint8_t* input, uint8_t* output) {
    Layer12State& s = gLayer12;
    const OutputShape& shape = gDecoder.shape;
    L12FrameStart start;
    if (!L12BeginFrame(input, shape.frameBytes, 1, start)) return {0, 0};
    BitReader& reader = start.reader;
    L2ReadAllocations(reader, start.bound);
    L2ReadScaleFactors(reader);
    const int32_t skipped = L2SkippedBitsPerGranule();
    for (int32_t granule = 0; granule < kGranules; ++granule) {
        L2ReadGranule(reader, granule / kGranulesPerPart,
                      s.samples + 3 * kEntriesPerSlot * granule);
        reader.Skip(skipped);
    }
    s.synthesis(s.samples, output, kLayer2Slots);
    return {L2Consumed(input, shape.frameBytes, start.padding), shape.pcmBytesPerFrame};
}
