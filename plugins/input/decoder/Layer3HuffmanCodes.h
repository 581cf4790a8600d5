// Code words of the Layer III Huffman tables, from which the lookup trees are built.
#pragma once

#include <cstdint>

struct HuffmanCodeTable {
    int32_t size; // values per coordinate: entry x * size + y
    const uint16_t* codes;
    const uint8_t* lengths;
};

// Index 0-15 are the tables of that number, 16 the code of tables 16-23, 17 that of 24-31.
constexpr int kHuffmanCodeTableCount = 18;
extern const HuffmanCodeTable kHuffmanCodeTables[kHuffmanCodeTableCount];

// Count-1 table A, indexed by the value vwxy; table B is the inverted 4-bit value.
extern const HuffmanCodeTable kCount1CodeTableA;
