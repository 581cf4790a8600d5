#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SkinBitmapFile.h"

namespace {

void Put(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A well-formed bitmap file: a 40-byte header, the colour table a depth of 8
// bits or less needs, and its rows.
std::string Bitmap(int32_t width, int32_t height, uint16_t bits) {
    const uint32_t table = bits <= 8 ? 4u << bits : 0;
    const uint32_t stride = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4;
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
    std::string bytes(14 + 40 + table + stride * rows, '\x5A');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    Put(bytes, 10, 14 + 40 + table, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<uint32_t>(width), 4);
    Put(bytes, 22, static_cast<uint32_t>(height), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, bits, 2);
    Put(bytes, 30, 0, 4); // BI_RGB
    Put(bytes, 46, 0, 4); // colours used: all
    return bytes;
}

TEST(SkinBitmapFileTest, AcceptsWellFormedFilesOnly) {
    for (const uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        const auto layout = CheckBitmapFile(Bitmap(5, 3, bits));
        ASSERT_TRUE(layout.has_value()) << bits;
        EXPECT_EQ(layout->width, 5);
        EXPECT_EQ(layout->height, 3);
        EXPECT_EQ(layout->pixelOffset, 14u + 40 + (bits <= 8 ? 4u << bits : 0));
    }
    const auto topDown = CheckBitmapFile(Bitmap(4, -2, 24));
    ASSERT_TRUE(topDown.has_value());
    EXPECT_EQ(topDown->height, 2);
    EXPECT_TRUE(CheckBitmapFile(Bitmap(4096, 1, 1)));

    using Damage = std::function<void(std::string&)>;
    const struct {
        const char* what;
        std::string base;
        Damage damage;
    } refused[] = {
        {"a PNG under a bitmap's name", Bitmap(4, 4, 24),
         [](std::string& b) { b.replace(0, 8, "\x89PNG\r\n\x1A\n"); }},
        {"no BM", Bitmap(4, 4, 24), [](std::string& b) { b[1] = 'A'; }},
        {"cut in the rows", Bitmap(4, 4, 24), [](std::string& b) { b.resize(b.size() - 1); }},
        {"cut in the header", Bitmap(4, 4, 24), [](std::string& b) { b.resize(40); }},
        {"60000 x 60000 in 1 KB", std::string(1024, '\0'),
         [](std::string& b) {
             b = Bitmap(1, 1, 24) + std::string(1024 - 58, '\0');
             Put(b, 18, 60000, 4);
             Put(b, 22, 60000, 4);
         }},
        {"4097 wide", Bitmap(4097, 1, 1), nullptr},
        {"4097 high", Bitmap(1, 4097, 1), nullptr},
        {"4097 high top-down", Bitmap(1, -4097, 1), nullptr},
        {"no rows", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 22, 0, 4); }},
        {"no columns", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 18, 0, 4); }},
        {"negative width", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 18, 0xFFFFFFFC, 4); }},
        {"height INT32_MIN", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 22, 0x80000000, 4); }},
        {"pixel offset beyond the file", Bitmap(4, 4, 24),
         [](std::string& b) { Put(b, 10, static_cast<uint32_t>(b.size()), 4); }},
        {"pixel offset near 4 GiB", Bitmap(4, 4, 24),
         [](std::string& b) { Put(b, 10, 0xFFFFFFF0, 4); }},
        {"pixel offset inside the header", Bitmap(4, 4, 24),
         [](std::string& b) { Put(b, 10, 20, 4); }},
        {"colour table beyond the file", Bitmap(4, 4, 8),
         [](std::string& b) { b.resize(14 + 40 + 100); }},
        {"more colours than the depth has", Bitmap(4, 4, 8),
         [](std::string& b) { Put(b, 46, 257, 4); }},
        {"a huge colour count", Bitmap(4, 4, 24),
         [](std::string& b) { Put(b, 46, 0x40000000, 4); }},
        {"RLE8", Bitmap(4, 4, 8), [](std::string& b) { Put(b, 30, 1, 4); }},
        {"RLE4", Bitmap(4, 4, 4), [](std::string& b) { Put(b, 30, 2, 4); }},
        {"JPEG", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 30, 4, 4); }},
        {"bit fields at 24 bits", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 30, 3, 4); }},
        {"bit fields without room for the masks", Bitmap(1, 1, 32),
         [](std::string& b) { Put(b, 30, 3, 4); }},
        {"bit depth 3", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 28, 3, 2); }},
        {"bit depth 0", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 28, 0, 2); }},
        {"two planes", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 26, 2, 2); }},
        {"a 12-byte core header", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 14, 12, 4); }},
        {"a header larger than any", Bitmap(4, 4, 24), [](std::string& b) { Put(b, 14, 125, 4); }},
        {"a header past the end", Bitmap(1, 1, 1), [](std::string& b) { Put(b, 14, 124, 4); }},
        {"over 32 MiB", Bitmap(4, 4, 24),
         [](std::string& b) { b.resize(sheet::kMaxFileBytes + 1); }},
    };
    for (const auto& c : refused) {
        std::string bytes = c.base;
        if (c.damage) c.damage(bytes);
        EXPECT_FALSE(CheckBitmapFile(bytes)) << c.what;
    }

    // Bit fields at 32 bits with their three masks after the header.
    std::string fields = Bitmap(1, 1, 32);
    Put(fields, 30, 3, 4);
    fields.insert(54, 12, '\0');
    Put(fields, 10, 66, 4);
    EXPECT_TRUE(CheckBitmapFile(fields));
}

} // namespace
