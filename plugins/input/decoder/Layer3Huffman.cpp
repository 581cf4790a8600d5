#include "Layer3Huffman.h"

#include <algorithm>
#include <cstring>

#include "Layer3HuffmanCodes.h"

namespace {

// Lookup entries: a leaf holds x (bits 7-4), y (bits 3-0) and the code length within
// its node (bits 11-8); a link holds kLink, the child's width (bits 27-24) and the
// child's offset in the pool (bits 15-0).
constexpr uint32_t kLink = 0x80000000u;
constexpr int32_t kPoolSize = 16384;
constexpr int32_t kChildWidth = 6;

uint32_t gPool[kPoolSize];
int32_t gPoolUsed;

struct LookupTree {
    int32_t root; // offset of the first level in the pool; -1 for the tables that read nothing
    int32_t width;
};
LookupTree gTrees[kHuffmanCodeTableCount];

const int8_t kFirstWidths[kHuffmanCodeTableCount] = {0, 3, 6, 6, 0, 8, 7, 6, 8,
                                                     6, 8, 8, 7, 6, 0, 8, 8, 9};

const uint8_t kLinbits[32] = {0, 0, 0, 0, 0, 0, 0,  0,  0, 0, 0, 0, 0, 0, 0,  0,
                              1, 2, 3, 4, 6, 8, 10, 13, 4, 5, 6, 7, 8, 9, 11, 13};

// Count-1 table A: by the next 6 bits, the code length (bits 7-4) and vwxy (bits 3-0).
uint8_t gCount1A[64];

int32_t HuffmanAllocate(int32_t width) {
    const int32_t offset = gPoolUsed;
    gPoolUsed += 1 << width;
    return offset; // the pool is sized for every table; a test checks the total
}

// Longest remaining code length among the codes that start with prefix (depth bits).
int32_t HuffmanLongestBelow(const HuffmanCodeTable& table, uint32_t prefix, int32_t depth) {
    int32_t longest = 0;
    for (int32_t i = 0; i < table.size * table.size; ++i) {
        const int32_t length = table.lengths[i];
        if (length <= depth) continue;
        if (static_cast<uint32_t>(table.codes[i] >> (length - depth)) == prefix)
            longest = std::max(longest, length);
    }
    return longest - depth;
}

void HuffmanInsert(const HuffmanCodeTable& table, int32_t index, const LookupTree& tree) {
    const uint32_t code = table.codes[index];
    const int32_t length = table.lengths[index];
    const uint32_t leaf = static_cast<uint32_t>(((index / table.size) << 4) | (index % table.size));
    int32_t node = tree.root;
    int32_t width = tree.width;
    int32_t depth = 0; // code bits used by the levels above this node
    while (length - depth > width) {
        const uint32_t slot = (code >> (length - depth - width)) & ((1u << width) - 1);
        uint32_t& entry = gPool[node + slot];
        depth += width;
        if (entry == 0) {
            const int32_t childWidth =
                std::min(kChildWidth, HuffmanLongestBelow(table, code >> (length - depth), depth));
            entry = kLink | (static_cast<uint32_t>(childWidth) << 24) |
                    static_cast<uint32_t>(HuffmanAllocate(childWidth));
        }
        node = static_cast<int32_t>(entry & 0xFFFF);
        width = static_cast<int32_t>((entry >> 24) & 0xF);
    }
    const int32_t remaining = length - depth;
    const int32_t spread = width - remaining;
    const uint32_t first = (code & ((1u << remaining) - 1)) << spread;
    for (uint32_t s = 0; s < (1u << spread); ++s)
        gPool[node + first + s] = (static_cast<uint32_t>(remaining) << 8) | leaf;
}

void HuffmanBuildCount1A() {
    const HuffmanCodeTable& table = kCount1CodeTableA;
    for (int32_t value = 0; value < 16; ++value) {
        const int32_t length = table.lengths[value];
        const int32_t spread = 6 - length;
        const int32_t first = table.codes[value] << spread;
        for (int32_t s = 0; s < (1 << spread); ++s)
            gCount1A[first + s] = static_cast<uint8_t>((length << 4) | value);
    }
}

int32_t HuffmanTreeIndex(int32_t table) {
    if (table >= 24) return 17;
    if (table >= 16) return 16;
    return table;
}

// The sign bit that follows a nonzero value, taken without a branch; the reader
// must hold at least one bit.
inline int32_t HuffmanSigned(BitReader& reader, int32_t value) {
    const uint32_t present = value != 0 ? 1u : 0u;
    const int32_t negative = static_cast<int32_t>((reader.held >> 31) & present);
    reader.held <<= present;
    reader.count -= static_cast<int32_t>(present);
    return (value ^ -negative) + negative;
}

// x or y after the leaf: escape by linbits, then the sign.
inline int32_t HuffmanEscaped(BitReader& reader, int32_t value, int32_t linbits) {
    if (value == 15) value += static_cast<int32_t>(reader.Read(linbits));
    if (reader.count < 1) reader.Refill();
    return HuffmanSigned(reader, value);
}

// One code word; the reader must hold enough bits for the whole walk.
inline uint32_t HuffmanLeaf(BitReader& reader, const LookupTree& tree) {
    int32_t width = tree.width;
    uint32_t entry = gPool[tree.root + (reader.held >> (32 - width))];
    while (entry & kLink) {
        reader.Consume(width);
        width = static_cast<int32_t>((entry >> 24) & 0xF);
        entry = gPool[(entry & 0xFFFF) + (reader.held >> (32 - width))];
    }
    // Never-filled entries (none in complete codes) read as a zero pair of length 0.
    reader.Consume(static_cast<int32_t>((entry >> 8) & 0xF));
    return entry;
}

} // namespace

void L3InitHuffmanTables() {
    std::memset(gPool, 0, sizeof(gPool));
    gPoolUsed = 0;
    for (int32_t t = 0; t < kHuffmanCodeTableCount; ++t) {
        const HuffmanCodeTable& table = kHuffmanCodeTables[t];
        LookupTree& tree = gTrees[t];
        if (table.size == 0) {
            tree = {-1, 0};
            continue;
        }
        tree.width = kFirstWidths[t];
        tree.root = HuffmanAllocate(tree.width);
        for (int32_t i = 0; i < table.size * table.size; ++i)
            HuffmanInsert(table, i, tree);
    }
    HuffmanBuildCount1A();
}

bool L3DecodePairs(BitReader& shared, int32_t table, int32_t* lines, int32_t n) {
    const LookupTree& tree = gTrees[HuffmanTreeIndex(table)];
    if (tree.root < 0) {
        std::memset(lines, 0, sizeof(int32_t) * static_cast<size_t>(n));
        return true;
    }
    const int32_t linbits = kLinbits[table];
    // A local copy stays in registers: the stores to lines could otherwise alias it.
    BitReader reader = shared;
    bool complete = true;
    for (int32_t i = 0; i < n; i += 2) {
        // The longest code word (19 bits) and two signs fit in the 25 bits a refill leaves.
        reader.Refill();
        const uint32_t entry = HuffmanLeaf(reader, tree);
        const int32_t x = static_cast<int32_t>((entry >> 4) & 0xF);
        const int32_t y = static_cast<int32_t>(entry & 0xF);
        if (linbits == 0) {
            lines[i] = HuffmanSigned(reader, x);
            lines[i + 1] = HuffmanSigned(reader, y);
        } else {
            lines[i] = HuffmanEscaped(reader, x, linbits);
            lines[i + 1] = HuffmanEscaped(reader, y, linbits);
        }
        if (reader.PastEnd()) {
            complete = false;
            break;
        }
    }
    shared = reader;
    return complete;
}

int32_t L3DecodeCount1(BitReader& reader, int32_t table, int32_t* lines, int32_t quadruples,
                       int32_t budget) {
    int32_t done = 0;
    while (done < quadruples && !reader.PastEnd()) {
        int32_t value;
        if (table == 0) {
            if (budget <= 0) break;
            const uint8_t entry = gCount1A[reader.Peek(6)];
            reader.Consume(entry >> 4);
            budget -= entry >> 4;
            value = entry & 15;
        } else {
            if (budget <= 3) break;
            value = static_cast<int32_t>(~reader.Read(4) & 15);
            budget -= 4;
        }
        int32_t* quad = lines + 4 * done;
        for (int32_t k = 0; k < 4; ++k) {
            int32_t v = (value >> (3 - k)) & 1;
            if (v) {
                if (reader.ReadBit()) v = -1;
                budget -= 1;
            }
            quad[k] = v;
        }
        ++done;
    }
    if (budget < 0 && done > 0) {
        --done;
        std::memset(lines + 4 * done, 0, 4 * sizeof(int32_t));
    }
    for (int32_t b = done - 1; b >= 0; --b) {
        const int32_t* quad = lines + 4 * b;
        if (quad[2] != 0 || quad[3] != 0) return 4 * (b + 1);
        if (quad[0] != 0 || quad[1] != 0) return 4 * b + 2;
    }
    return 0;
}

int32_t L3DecodeSpectrum(BitReader& reader, const L3GranuleChannel& gc, int32_t skipped,
                         int32_t* lines) {
    const Layer3State& l3 = gLayer3;
    // Short windows follow one another in the bit stream, so the band limit, a limit in
    // frequency, can only cut them once they are reordered: they are read in full.
    const int32_t lineLimit = gc.blockType == 2 ? kGranuleLines : l3.bandLimit;
    const int32_t limit = std::min(2 * gc.bigValues, lineLimit);
    int32_t r1 = l3.longBandEnds[std::min(gc.region0Count, kLongBands - 1)];
    int32_t r2 = l3.longBandEnds[std::min(gc.region0Count + gc.region1Count + 1, kLongBands - 1)];
    r2 = std::min(r2, limit);
    r1 = std::min(r1, limit);

    int32_t nonzero = limit;
    if (L3DecodePairs(reader, gc.tableSelect[0], lines, r1) &&
        L3DecodePairs(reader, gc.tableSelect[1], lines + r1, r2 - r1) &&
        L3DecodePairs(reader, gc.tableSelect[2], lines + r2, limit - r2)) {
        const int32_t budget = gc.part23Length - (reader.BitsConsumed() - skipped);
        // A quadruple that straddles the limit still brings the lines below it.
        const int32_t quadruples = (lineLimit - limit + 3) / 4;
        nonzero = limit + L3DecodeCount1(reader, gc.count1Table, lines + limit, quadruples, budget);
    }
    nonzero = std::min(nonzero, lineLimit);
    std::memset(lines + nonzero, 0, sizeof(int32_t) * static_cast<size_t>(kGranuleLines - nonzero));
    return nonzero;
}
