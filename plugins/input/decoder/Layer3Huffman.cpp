#include "Layer3Huffman.h"

#include <algorithm>
#include <cstring>

#include "Layer3HuffmanCodes.h"

namespace {

// Lookup entries. A leaf of a code word and the sign bits behind it holds the signed
// x (bits 7-0) and y (bits 15-8) and the bits it takes within its node (bits 20-16);
// a leaf marked kEscape (a 15 of tables 16-31, whose linbits come before its sign)
// holds the magnitudes, and its signs are read afterwards. A link holds kLink, the
// child's width (bits 27-24) and the child's offset in the pool (bits 15-0).
constexpr uint32_t kLink = 0x80000000u;
constexpr uint32_t kEscape = 0x00200000u;
constexpr int32_t kPoolSize = 16384; // the trees of all tables take 12760
constexpr int32_t kChildWidth = 6;

uint32_t gPool[kPoolSize];
int32_t gPoolUsed;

struct LookupTree {
    int32_t root; // offset of the first level in the pool; -1 for the tables that read nothing
    int32_t width;
};
LookupTree gTrees[kHuffmanCodeTableCount];

const int8_t kFirstWidths[kHuffmanCodeTableCount] = {0, 3, 6, 6, 0, 8, 8, 8, 8,
                                                     8, 10, 10, 10, 10, 0, 10, 10, 10};

const uint8_t kLinbits[32] = {0, 0, 0, 0, 0, 0, 0,  0,  0, 0, 0, 0, 0, 0, 0,  0,
                              1, 2, 3, 4, 6, 8, 10, 13, 4, 5, 6, 7, 8, 9, 11, 13};

// A code word followed by the sign bits of its nonzero values, and the leaf it gives.
struct SignedCode {
    uint32_t code;
    int32_t length;
    uint32_t leaf; // without the length
};
SignedCode gSignedCodes[4 * 256];
int32_t gSignedCodeCount;

// Count-1 quadruples with their sign bits, by the next 10 (table A) or 8 (table B)
// bits: the four values and the bits taken.
struct Count1Entry {
    int8_t values[4];
    int32_t length;
};
Count1Entry gCount1A[1 << 10];
Count1Entry gCount1B[1 << 8];
constexpr int32_t kCount1Widths[2] = {10, 8};

// Count-1 table A without the signs: by the next 6 bits, the code length (bits 7-4)
// and vwxy (bits 3-0).
uint8_t gCount1ACodes[64];

int32_t HuffmanAllocate(int32_t width) {
    const int32_t offset = gPoolUsed;
    gPoolUsed += 1 << width;
    return offset;
}

// Every code word of a table with each combination of the signs that follow it.
void HuffmanListSignedCodes(const HuffmanCodeTable& table, bool escapes) {
    gSignedCodeCount = 0;
    for (int32_t i = 0; i < table.size * table.size; ++i) {
        const int32_t x = i / table.size;
        const int32_t y = i % table.size;
        const uint32_t code = table.codes[i];
        const int32_t length = table.lengths[i];
        if (escapes && (x == 15 || y == 15)) {
            gSignedCodes[gSignedCodeCount++] = {code, length,
                                                kEscape | static_cast<uint32_t>(x | (y << 8))};
            continue;
        }
        const int32_t xSign = x != 0 ? 1 : 0;
        const int32_t ySign = y != 0 ? 1 : 0;
        const int32_t signs = xSign + ySign;
        for (int32_t bits = 0; bits < (1 << signs); ++bits) {
            // x's sign comes first.
            const bool xNegative = xSign != 0 && ((bits >> ySign) & 1) != 0;
            const bool yNegative = ySign != 0 && (bits & 1) != 0;
            const uint8_t xValue = static_cast<uint8_t>(xNegative ? -x : x);
            const uint8_t yValue = static_cast<uint8_t>(yNegative ? -y : y);
            gSignedCodes[gSignedCodeCount++] = {(code << signs) | static_cast<uint32_t>(bits),
                                                length + signs,
                                                static_cast<uint32_t>(xValue | (yValue << 8))};
        }
    }
}

// The code words left-aligned in 32 bits: those that share a prefix lie together
// once sorted by it.
uint32_t HuffmanAligned(const SignedCode& signedCode) {
    return signedCode.code << (32 - signedCode.length);
}

void HuffmanSortSignedCodes() {
    std::sort(gSignedCodes, gSignedCodes + gSignedCodeCount,
              [](const SignedCode& a, const SignedCode& b) {
                  return HuffmanAligned(a) < HuffmanAligned(b);
              });
}

// Longest remaining code length among the codes that start with prefix (depth bits,
// 1 to 31).
int32_t HuffmanLongestBelow(uint32_t prefix, int32_t depth) {
    const uint32_t first = prefix << (32 - depth);
    const SignedCode* begin =
        std::lower_bound(gSignedCodes, gSignedCodes + gSignedCodeCount, first,
                         [](const SignedCode& a, uint32_t key) { return HuffmanAligned(a) < key; });
    int32_t longest = 0;
    for (const SignedCode* c = begin; c < gSignedCodes + gSignedCodeCount; ++c) {
        if ((HuffmanAligned(*c) >> (32 - depth)) != prefix) break;
        longest = std::max(longest, c->length);
    }
    return longest - depth;
}

void HuffmanInsert(const SignedCode& signedCode, const LookupTree& tree) {
    const uint32_t code = signedCode.code;
    const int32_t length = signedCode.length;
    int32_t node = tree.root;
    int32_t width = tree.width;
    int32_t depth = 0; // code bits used by the levels above this node
    while (length - depth > width) {
        const uint32_t slot = (code >> (length - depth - width)) & ((1u << width) - 1);
        uint32_t& entry = gPool[node + slot];
        depth += width;
        if (entry == 0) {
            const int32_t childWidth =
                std::min(kChildWidth, HuffmanLongestBelow(code >> (length - depth), depth));
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
        gPool[node + first + s] = (static_cast<uint32_t>(remaining) << 16) | signedCode.leaf;
}

// One count-1 table: code word of value vwxy (v the first line), the signs of its
// nonzero values after it in line order, spread over the table's width.
void HuffmanBuildCount1(Count1Entry* entries, int32_t width, const uint16_t* codes,
                        const uint8_t* lengths) {
    for (int32_t value = 0; value < 16; ++value) {
        int32_t signs = 0;
        for (int32_t k = 0; k < 4; ++k)
            signs += (value >> k) & 1;
        const int32_t length = lengths[value] + signs;
        for (int32_t bits = 0; bits < (1 << signs); ++bits) {
            Count1Entry entry = {{0, 0, 0, 0}, length};
            int32_t sign = signs;
            for (int32_t k = 0; k < 4; ++k) {
                if (((value >> (3 - k)) & 1) == 0) continue;
                --sign;
                entry.values[k] = ((bits >> sign) & 1) != 0 ? -1 : 1;
            }
            const int32_t spread = width - length;
            const int32_t first = ((codes[value] << signs) | bits) << spread;
            for (int32_t s = 0; s < (1 << spread); ++s)
                entries[first + s] = entry;
        }
    }
}

void HuffmanBuildCount1ACodes() {
    const HuffmanCodeTable& table = kCount1CodeTableA;
    for (int32_t value = 0; value < 16; ++value) {
        const int32_t length = table.lengths[value];
        const int32_t spread = 6 - length;
        const int32_t first = table.codes[value] << spread;
        for (int32_t s = 0; s < (1 << spread); ++s)
            gCount1ACodes[first + s] = static_cast<uint8_t>((length << 4) | value);
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

// x or y after an escape leaf: escape by linbits, then the sign.
inline int32_t HuffmanEscaped(BitReader& reader, int32_t value, int32_t linbits) {
    if (value == 15) value += static_cast<int32_t>(reader.Read(linbits));
    if (reader.count < 1) reader.Refill();
    return HuffmanSigned(reader, value);
}

// One code word with its signs (or an escape leaf); the reader must hold enough bits
// for the whole walk.
inline uint32_t HuffmanLeaf(BitReader& reader, const LookupTree& tree) {
    int32_t width = tree.width;
    uint32_t entry = gPool[tree.root + (reader.held >> (32 - width))];
    while (entry & kLink) {
        reader.Consume(width);
        width = static_cast<int32_t>((entry >> 24) & 0xF);
        entry = gPool[(entry & 0xFFFF) + (reader.held >> (32 - width))];
    }
    reader.Consume(static_cast<int32_t>((entry >> 16) & 0x1F));
    return entry;
}

// One count-1 quadruple as the reader takes it code first, then sign by sign, each
// read refilling when it finds too few bits; false when the budget stops it first.
bool HuffmanCount1BySteps(BitReader& reader, int32_t table, int32_t* quad, int32_t& budget) {
    int32_t value;
    if (table == 0) {
        if (budget <= 0) return false;
        const uint8_t entry = gCount1ACodes[reader.Peek(6)];
        reader.Consume(entry >> 4);
        budget -= entry >> 4;
        value = entry & 15;
    } else {
        if (budget <= 3) return false;
        value = static_cast<int32_t>(~reader.Read(4) & 15);
        budget -= 4;
    }
    for (int32_t k = 0; k < 4; ++k) {
        int32_t v = (value >> (3 - k)) & 1;
        if (v) {
            if (reader.ReadBit()) v = -1;
            budget -= 1;
        }
        quad[k] = v;
    }
    return true;
}

} // namespace

void L3InitHuffmanTables() {
    // Only what an earlier build filled: the rest is still zero, and untouched pages
    // cost a start-up nothing.
    std::memset(gPool, 0, sizeof(gPool[0]) * static_cast<size_t>(gPoolUsed));
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
        HuffmanListSignedCodes(table, t >= 16);
        HuffmanSortSignedCodes();
        for (int32_t i = 0; i < gSignedCodeCount; ++i)
            HuffmanInsert(gSignedCodes[i], tree);
    }
    HuffmanBuildCount1(gCount1A, kCount1Widths[0], kCount1CodeTableA.codes,
                       kCount1CodeTableA.lengths);
    uint16_t codesB[16];
    uint8_t lengthsB[16];
    for (int32_t value = 0; value < 16; ++value) {
        codesB[value] = static_cast<uint16_t>(~value & 15);
        lengthsB[value] = 4;
    }
    HuffmanBuildCount1(gCount1B, kCount1Widths[1], codesB, lengthsB);
    HuffmanBuildCount1ACodes();
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
        if ((entry & kEscape) == 0) {
            lines[i] = static_cast<int8_t>(entry & 0xFF);
            lines[i + 1] = static_cast<int8_t>((entry >> 8) & 0xFF);
        } else {
            lines[i] = HuffmanEscaped(reader, static_cast<int32_t>(entry & 0xFF), linbits);
            lines[i + 1] =
                HuffmanEscaped(reader, static_cast<int32_t>((entry >> 8) & 0xFF), linbits);
        }
        if (reader.PastEnd()) {
            complete = false;
            break;
        }
    }
    shared = reader;
    return complete;
}

int32_t L3DecodeCount1(BitReader& shared, int32_t table, int32_t* lines, int32_t quadruples,
                       int32_t budget) {
    const Count1Entry* entries = table == 0 ? gCount1A : gCount1B;
    const int32_t width = kCount1Widths[table == 0 ? 0 : 1];
    const int32_t least = table == 0 ? 1 : 4; // the shortest code word
    BitReader reader = shared;
    int32_t done = 0;
    while (done < quadruples && !reader.PastEnd()) {
        int32_t* quad = lines + 4 * done;
        if (reader.count >= width && budget >= least) {
            // Code word and signs at once: the reader holds them all, so it would not
            // have refilled on the way either.
            const Count1Entry& entry = entries[reader.held >> (32 - width)];
            reader.Consume(entry.length);
            budget -= entry.length;
            for (int32_t k = 0; k < 4; ++k)
                quad[k] = entry.values[k];
        } else if (!HuffmanCount1BySteps(reader, table, quad, budget)) {
            break;
        }
        ++done;
    }
    shared = reader;
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
