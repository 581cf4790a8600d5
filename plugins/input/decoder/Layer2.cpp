// Layer II frames: allocations by table, scale-factor selection, up to three scale
// factors per entry, and 12 granules of sample triples (4 per part).
#include <initializer_list>

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
        if (s.allocation[e] == 0) {
            // Its samples are zeros times a zero factor.
            for (float* part : s.factors)
                part[e] = 0.0f;
            continue;
        }
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

// One entry's place: its triple's bits in the granule, and the entry (index) and its
// shared partner (last; index again when it has none) whose slots take the samples.
struct SampleEntry {
    int32_t index, last, offset, width, middle;
    const int8_t (*groups)[3];
};

// A triple times each entry's factor into three consecutive slots. A single entry is
// its own partner and is written twice, which saves a branch on every entry.
inline void L2StoreTriple(const SampleEntry& entry, const float* factors, float* slot0,
                          float v0, float v1, float v2) {
    for (const int32_t n : {entry.index, entry.last}) {
        slot0[n] = v0 * factors[n];
        slot0[kEntriesPerSlot + n] = v1 * factors[n];
        slot0[2 * kEntriesPerSlot + n] = v2 * factors[n];
    }
}

// The samples of the decoded entries, granule by granule from bit position on: each
// entry's triple at its place in the granule (a shared pair's once) into three
// consecutive slots, the entries above the subband limit skipped. The entries are
// sorted by how their samples are coded, so that the loops over them do not branch.
void L2ReadSamples(const uint8_t* input, int32_t frameBytes, int32_t position) {
    Layer12State& s = gLayer12;
    const Layer12Tables& t = gLayer12Tables;
    SampleEntry grouped[kMaxEntries], plain[kMaxEntries], silent[kMaxEntries];
    int32_t groupedCount = 0, plainCount = 0, silentCount = 0;
    int32_t granuleBits = 0;
    for (int32_t e = 0; e < s.decodedEntries; e += s.sharedPair[e] ? 2 : 1) {
        const QuantClass& quant = kQuantClasses[s.allocation[e]];
        SampleEntry entry = {e, s.sharedPair[e] ? e + 1 : e, granuleBits, quant.codeBits,
                             (quant.steps - 1) / 2, nullptr};
        if (quant.grouped) {
            entry.groups = t.groups + (quant.steps == 3 ? 0 : (quant.steps == 5 ? 32 : 160));
            grouped[groupedCount++] = entry;
        } else if (quant.codeBits != 0) {
            plain[plainCount++] = entry;
        } else {
            silent[silentCount++] = entry;
        }
        granuleBits += quant.tripleBits;
    }
    granuleBits += L2SkippedBitsPerGranule();
    const uint8_t* bits = L12CopyFrame(input, frameBytes, position + kGranules * granuleBits);
    for (int32_t granule = 0; granule < kGranules; ++granule, position += granuleBits) {
        const float* factors = s.factors[granule / kGranulesPerPart];
        float* slot0 = s.samples + 3 * kEntriesPerSlot * granule;
        for (int32_t i = 0; i < groupedCount; ++i) {
            const SampleEntry& entry = grouped[i];
            const int8_t* group = entry.groups[L12BitsAt(bits, position + entry.offset, entry.width)];
            L2StoreTriple(entry, factors, slot0, group[0], group[1], group[2]);
        }
        for (int32_t i = 0; i < plainCount; ++i) {
            const SampleEntry& entry = plain[i];
            const int32_t at = position + entry.offset;
            float values[3];
            for (int32_t v = 0; v < 3; ++v)
                values[v] = static_cast<float>(
                    static_cast<int32_t>(L12BitsAt(bits, at + v * entry.width, entry.width)) -
                    entry.middle);
            L2StoreTriple(entry, factors, slot0, values[0], values[1], values[2]);
        }
        for (int32_t i = 0; i < silentCount; ++i)
            L2StoreTriple(silent[i], factors, slot0, 0.0f, 0.0f, 0.0f);
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
    L2ReadSamples(input, reader.size, reader.BitPosition());
    s.synthesis(s.samples, output, kLayer2Slots);
    return {L2Consumed(input, shape.frameBytes, start.padding), shape.pcmBytesPerFrame};
}
