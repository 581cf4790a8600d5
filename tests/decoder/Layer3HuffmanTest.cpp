// Huffman decoding of the spectral values: every code word of every table, the
// tables that read nothing, and the count-1 region with its end rule and budget.
#include <gtest/gtest.h>

#include <vector>

#include "BitReader.h"
#include "Decoder.h"
#include "Layer3HuffmanCodes.h"
#include "Layer3Huffman.h"

namespace {

class BitWriter {
  public:
    void Put(uint32_t value, int32_t bits) {
        for (int32_t i = bits - 1; i >= 0; --i) {
            if (used_ % 8 == 0) bytes_.push_back(0);
            if ((value >> i) & 1) bytes_.back() |= static_cast<uint8_t>(0x80 >> (used_ % 8));
            ++used_;
        }
    }
    int32_t Bits() const { return used_; }
    BitReader Reader() {
        bytes_.resize(bytes_.size() + 8, 0);
        BitReader reader;
        reader.Begin(bytes_.data(), static_cast<int32_t>(bytes_.size()), 0);
        return reader;
    }

  private:
    std::vector<uint8_t> bytes_;
    int32_t used_ = 0;
};

void PutValue(BitWriter& writer, int32_t magnitude, int32_t linbits, bool negative) {
    if (linbits > 0 && magnitude >= 15) writer.Put(static_cast<uint32_t>(magnitude - 15), linbits);
    if (magnitude != 0) writer.Put(negative ? 1 : 0, 1);
}

struct TableCase {
    int32_t table;
    int32_t codeIndex; // index into kHuffmanCodeTables
    int32_t linbits;
};

} // namespace

TEST(Layer3HuffmanTest, EveryCodeWordDecodesToItsPair) {
    DecoderInitTables();
    const TableCase cases[] = {{1, 1, 0},   {2, 2, 0},   {3, 3, 0},   {5, 5, 0},   {6, 6, 0},
                               {7, 7, 0},   {8, 8, 0},   {9, 9, 0},   {10, 10, 0}, {11, 11, 0},
                               {12, 12, 0}, {13, 13, 0}, {15, 15, 0}, {16, 16, 1}, {23, 16, 13},
                               {24, 17, 4}, {31, 17, 13}};
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.table);
        const HuffmanCodeTable& code = kHuffmanCodeTables[c.codeIndex];
        BitWriter writer;
        std::vector<int32_t> expected;
        for (int32_t i = 0; i < code.size * code.size; ++i) {
            const int32_t x = i / code.size;
            const int32_t y = i % code.size;
            // Escaped values take the largest linbits value; signs alternate.
            const int32_t xValue = (x == 15 && c.linbits) ? 15 + (1 << c.linbits) - 1 : x;
            const int32_t yValue = (y == 15 && c.linbits) ? 15 + (1 << c.linbits) - 1 : y;
            writer.Put(code.codes[i], code.lengths[i]);
            PutValue(writer, xValue, c.linbits, i % 2 == 0);
            PutValue(writer, yValue, c.linbits, i % 3 == 0);
            expected.push_back(i % 2 == 0 ? -xValue : xValue);
            expected.push_back(i % 3 == 0 ? -yValue : yValue);
        }
        const int32_t bits = writer.Bits();
        BitReader reader = writer.Reader();
        std::vector<int32_t> lines(expected.size(), 12345);
        EXPECT_TRUE(
            L3DecodePairs(reader, c.table, lines.data(), static_cast<int32_t>(lines.size())));
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(reader.BitsConsumed(), bits);
    }
}

TEST(Layer3HuffmanTest, TablesZeroFourAndFourteenGiveZerosAndReadNothing) {
    DecoderInitTables();
    for (int32_t table : {0, 4, 14}) {
        BitWriter writer;
        writer.Put(0xFFFF, 16);
        BitReader reader = writer.Reader();
        std::vector<int32_t> lines(20, 7);
        EXPECT_TRUE(L3DecodePairs(reader, table, lines.data(), 18));
        for (int32_t i = 0; i < 18; ++i)
            EXPECT_EQ(lines[static_cast<size_t>(i)], 0);
        EXPECT_EQ(lines[18], 7);
        EXPECT_EQ(reader.BitsConsumed(), 0);
    }
}

TEST(Layer3HuffmanTest, PairsStopOnceTheReaderIsPastItsEnd) {
    DecoderInitTables();
    BitWriter writer;
    for (int i = 0; i < 8; ++i)
        writer.Put(0, 8); // table 1: "000" is (1, 1)
    BitReader reader = writer.Reader();
    reader.endIndex = 2;
    std::vector<int32_t> lines(40, 99);
    EXPECT_FALSE(L3DecodePairs(reader, 1, lines.data(), 40));
    EXPECT_EQ(lines[0], 1);
    EXPECT_EQ(lines[39], 99); // the rest of the region is not written
}

TEST(Layer3HuffmanTest, CountOneEndsAfterTheLastNonzeroValue) {
    DecoderInitTables();
    {
        // Table B: v alone nonzero, then an empty quadruple: 4 b + 2 with b = 0.
        BitWriter writer;
        writer.Put(0x7, 4); // inverted 1000
        writer.Put(0, 1);   // v positive
        writer.Put(0xF, 4); // inverted 0000
        const int32_t bits = writer.Bits();
        BitReader reader = writer.Reader();
        int32_t lines[8] = {9, 9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(L3DecodeCount1(reader, 1, lines, 2, bits), 2);
        const int32_t expected[8] = {1, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(lines[i], expected[i]) << i;
    }
    {
        // Table B: x nonzero in the second quadruple: 4 (b + 1) with b = 1.
        BitWriter writer;
        writer.Put(0xF, 4);
        writer.Put(0xD, 4); // inverted 0010
        writer.Put(1, 1);   // negative
        BitReader reader = writer.Reader();
        int32_t lines[8] = {};
        EXPECT_EQ(L3DecodeCount1(reader, 1, lines, 2, writer.Bits()), 8);
        EXPECT_EQ(lines[6], -1);
    }
    {
        // Table A: "1" is 0000; "0111" is 1000 (v), then its sign.
        BitWriter writer;
        writer.Put(1, 1);
        writer.Put(0x7, 4);
        writer.Put(1, 1);
        BitReader reader = writer.Reader();
        int32_t lines[8] = {};
        EXPECT_EQ(L3DecodeCount1(reader, 0, lines, 2, writer.Bits()), 6);
        EXPECT_EQ(lines[4], -1);
    }
}

TEST(Layer3HuffmanTest, CountOneStopsAtItsBudgetAndQuadrupleCount) {
    DecoderInitTables();
    {
        // A quadruple that overruns the budget is set back to zeros.
        BitWriter writer;
        writer.Put(0x7, 4);
        writer.Put(0, 1);
        BitReader reader = writer.Reader();
        int32_t lines[4] = {5, 5, 5, 5};
        EXPECT_EQ(L3DecodeCount1(reader, 0, lines, 1, 3), 0);
        for (int32_t line : lines)
            EXPECT_EQ(line, 0);
    }
    {
        // Table B runs only while more than 3 bits are left.
        BitWriter writer;
        writer.Put(0x0, 4); // inverted 1111
        writer.Put(0, 4);
        writer.Put(0x0, 4);
        BitReader reader = writer.Reader();
        int32_t lines[8] = {};
        EXPECT_EQ(L3DecodeCount1(reader, 1, lines, 2, 3), 0);
        EXPECT_EQ(reader.BitsConsumed(), 0);
    }
    {
        BitWriter writer;
        for (int i = 0; i < 4; ++i)
            writer.Put(0x7, 4), writer.Put(0, 1);
        BitReader reader = writer.Reader();
        int32_t lines[12] = {};
        lines[8] = 42;
        EXPECT_EQ(L3DecodeCount1(reader, 1, lines, 2, 100), 6);
        EXPECT_EQ(lines[8], 42); // only two quadruples written
    }
}
