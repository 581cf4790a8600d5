// Table-driven Huffman decoding of the Layer III spectral values.
#pragma once

#include <cstdint>

#include "BitReader.h"
#include "Layer3State.h"

void L3InitHuffmanTables();

// Decodes n / 2 pairs with table t into lines [0, n); tables 0, 4 and 14 give zeros
// and read nothing. Stops early, leaving the rest unwritten, once the reader is past
// its end. Returns false when it stopped early.
bool L3DecodePairs(BitReader& reader, int32_t table, int32_t* lines, int32_t n);

// Decodes count-1 quadruples into lines until quadruples are done, the bit budget is
// spent or the reader is past its end. Returns the end of the nonzero values
// (relative to lines): 4 (b + 1) or 4 b + 2 for a last nonzero quadruple b, 0 if none.
int32_t L3DecodeCount1(BitReader& reader, int32_t table, int32_t* lines, int32_t quadruples,
                       int32_t budget);

// Big values and count-1 region of one granule and channel into all 576 lines;
// skipped = bits skipped at the reader's start. Returns the nonzero count.
int32_t L3DecodeSpectrum(BitReader& reader, const L3GranuleChannel& gc, int32_t skipped,
                         int32_t* lines);
