// The bitmap table against the panel's list of built-in bitmaps, and the
// committed bitmap files and resource script against the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "PanelBitmap.h"

namespace {

struct Expected {
    const char* name;
    int32_t width, height;
};

const Expected kExpected[] = {
    {"INT_BAR", 15, 45},
    {"EXIT2_UP", 9, 9},
    {"MIN2_UP", 9, 9},
    {"INT_TITLE_BK", 180, 14},
    {"INT_ARTIST_BK", 180, 11},
    {"SL_VOL_OFF", 11, 23},
    {"SL_POS_OFF", 49, 11},
    {"BT_PLAY_ON", 11, 11},
    {"BT_PLAY_OFF", 11, 11},
    {"BT_PAUSE_ON", 11, 11},
    {"BT_PAUSE_OFF", 11, 11},
    {"BT_STOP_ON", 11, 11},
    {"BT_STOP_OFF", 11, 11},
    {"BT_PREV_ON", 11, 11},
    {"BT_PREV_OFF", 11, 11},
    {"BT_NEXT_ON", 11, 11},
    {"BT_NEXT_OFF", 11, 11},
    {"BT_REP_ON", 11, 11},
    {"BT_REP_OFF", 11, 11},
    {"BT_SR_ON", 11, 11},
    {"BT_SR_OFF", 11, 11},
    {"BT_LIST_ON", 11, 11},
    {"BT_LIST_OFF", 11, 11},
    {"BT_OPEN_ON", 11, 11},
    {"BT_OPEN_OFF", 11, 11},
    {"BT_QUOREL_ON", 11, 11},
    {"NUM_0", 6, 7},
    {"NUM_1", 6, 7},
    {"NUM_2", 6, 7},
    {"NUM_3", 6, 7},
    {"NUM_4", 7, 7},
    {"NUM_5", 6, 7},
    {"NUM_6", 6, 7},
    {"NUM_7", 6, 7},
    {"NUM_8", 6, 7},
    {"NUM_9", 6, 7},
    {"NUM_DOT", 3, 7},
    {"NUM_DD", 3, 7},
    {"NUM_SPA", 7, 7},
    {"SIN_KHZ", 15, 7},
    {"SIN_BIT", 24, 7},
    {"SIN_SLA", 7, 7},
    {"VOL", 27, 7},
    {"SR_OFF", 36, 7},
    {"SHUFFLE", 36, 7},
    {"RANDOM", 36, 7},
    {"REP_OFF", 50, 7},
    {"REP_ALL", 50, 7},
    {"REP_1", 50, 7},
    {"VOL_BAR_ON", 5, 1},
    {"VOL_BAR_OFF", 5, 1},
    {"SEEK_BAR_ON", 1, 5},
    {"SEEK_BAR_OFF", 1, 5},
};

// The close image of the secondary windows' title bars, after the panel's.
const Expected kFrameBitmaps[] = {
    {"EXIT_UP", 16, 14}, {"EXIT_DOWN", 16, 14}, {"QUES_UP", 16, 14}, {"QUES_DOWN", 16, 14}};


const std::string kResourceFolder = std::string(QUOREL_RESOURCES_DIR);

// An uncompressed 24-bit BMP, read back as rows of luminance (top row first).
struct Image {
    int32_t width = 0, height = 0;
    std::vector<std::vector<int>> luma;
    int at(int x, int y) const { return luma[y][x]; }
};

uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(b[at + i]);
    return value;
}

bool ReadBmp(const std::string& path, Image& image) {
    std::ifstream file(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0) return false;
    if (Le(b, 14, 4) != 40 || Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0) return false;
    const uint32_t offset = Le(b, 10, 4);
    image.width = static_cast<int32_t>(Le(b, 18, 4));
    image.height = static_cast<int32_t>(Le(b, 22, 4));
    if (image.width <= 0 || image.height <= 0 || image.width > 1000 || image.height > 1000)
        return false;
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    if (offset + stride * image.height > b.size()) return false;
    image.luma.assign(image.height, std::vector<int>(image.width));
    for (int32_t y = 0; y < image.height; ++y) {
        const size_t row = offset + stride * (image.height - 1 - y);
        for (int32_t x = 0; x < image.width; ++x) {
            const size_t p = row + 3 * x;
            const int blue = static_cast<uint8_t>(b[p]), green = static_cast<uint8_t>(b[p + 1]),
                      red = static_cast<uint8_t>(b[p + 2]);
            image.luma[y][x] = (299 * red + 587 * green + 114 * blue) / 1000;
        }
    }
    return true;
}

Image Load(const std::string& name) {
    Image image;
    EXPECT_TRUE(ReadBmp(kResourceFolder + "/bitmaps/" + name + ".bmp", image)) << name;
    return image;
}

double MeanLuma(const Image& image) {
    double sum = 0;
    for (const auto& row : image.luma)
        for (int value : row)
            sum += value;
    return image.width ? sum / (image.width * image.height) : 0;
}

bool ColumnIsBlack(const Image& image, int x) {
    for (int y = 0; y < image.height; ++y)
        if (image.at(x, y) != 0) return false;
    return true;
}

TEST(PanelBitmapTest, TableHasEveryBitmapWithItsSize) {
    ASSERT_EQ(std::size(kExpected), static_cast<size_t>(kPanelBitmapCount));
    for (int i = 0; i < kPanelBitmapCount; ++i) {
        const auto bitmap = static_cast<PanelBitmap>(i);
        EXPECT_STREQ(PanelBitmapName(bitmap), kExpected[i].name);
        EXPECT_EQ(PanelBitmapSize(bitmap).width, kExpected[i].width) << kExpected[i].name;
        EXPECT_EQ(PanelBitmapSize(bitmap).height, kExpected[i].height) << kExpected[i].name;
    }
}

TEST(PanelBitmapTest, CommittedFilesHaveTheTableSizes) {
    std::vector<Expected> all(std::begin(kExpected), std::end(kExpected));
    all.insert(all.end(), std::begin(kFrameBitmaps), std::end(kFrameBitmaps));
    for (const Expected& expected : all) {
        const Image image = Load(expected.name);
        EXPECT_EQ(image.width, expected.width) << expected.name;
        EXPECT_EQ(image.height, expected.height) << expected.name;
    }
}

TEST(PanelBitmapTest, ResourceScriptNamesEveryBitmapOnceAndBothIcons) {
    std::ifstream file(kResourceFolder + "/Quorel.rc");
    ASSERT_TRUE(file);
    std::vector<std::string> bitmaps, icons;
    // Entries: NAME BITMAP "NAME.bmp" or NAME ICON "NAME.ico".
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string name, type, fileName, rest;
        if (!(words >> name >> type >> fileName) || (words >> rest)) continue;
        if (type == "BITMAP") {
            EXPECT_EQ(fileName, "\"" + name + ".bmp\"");
            bitmaps.push_back(name);
        } else if (type == "ICON") {
            EXPECT_EQ(fileName, "\"" + name + ".ico\"");
            icons.push_back(name);
        }
    }
    std::vector<std::string> expected;
    for (const Expected& e : kExpected)
        expected.push_back(e.name);
    for (const Expected& e : kFrameBitmaps)
        expected.push_back(e.name);
    EXPECT_EQ(bitmaps, expected);
    EXPECT_EQ(icons, (std::vector<std::string>{"MINI", "MINI_PLAY"}));
    for (const char* icon : {"MINI", "MINI_PLAY"}) {
        std::ifstream ico(kResourceFolder + "/bitmaps/" + icon + ".ico", std::ios::binary);
        char header[6] = {};
        ASSERT_TRUE(ico.read(header, 6)) << icon;
        EXPECT_EQ(std::string(header, 4), std::string("\0\0\1\0", 4)) << icon;
    }
}

TEST(PanelBitmapTest, LitButtonsAreClearlyBrighterThanDarkOnes) {
    for (const char* button :
         {"PLAY", "PAUSE", "STOP", "PREV", "NEXT", "REP", "SR", "LIST", "OPEN"}) {
        const double lit = MeanLuma(Load(std::string("BT_") + button + "_ON"));
        const double dark = MeanLuma(Load(std::string("BT_") + button + "_OFF"));
        EXPECT_GT(lit, 2.5 * dark) << button;
        EXPECT_GT(lit, 40) << button;
    }
    EXPECT_GT(MeanLuma(Load("VOL_BAR_ON")), 2.5 * MeanLuma(Load("VOL_BAR_OFF")));
    EXPECT_GT(MeanLuma(Load("SEEK_BAR_ON")), 2.5 * MeanLuma(Load("SEEK_BAR_OFF")));
}

// Glyphs overlap by a column where a wider one (the 4, the point) is drawn
// next to another; those columns must be blank so nothing is cut off.
TEST(PanelBitmapTest, GlyphsKeepTheColumnsThatNeighboursOverdrawBlank) {
    for (int digit = 0; digit <= 9; ++digit) {
        const Image image = Load("NUM_" + std::to_string(digit));
        EXPECT_TRUE(ColumnIsBlack(image, 0)) << digit;
        EXPECT_GT(MeanLuma(image), 20) << digit;
    }
    EXPECT_TRUE(ColumnIsBlack(Load("NUM_4"), 6));
    for (const char* sign : {"SIN_KHZ", "SIN_BIT", "SIN_SLA"})
        EXPECT_TRUE(ColumnIsBlack(Load(sign), 0)) << sign;
    // The point is drawn over the next digit's first column.
    EXPECT_TRUE(ColumnIsBlack(Load("NUM_DOT"), 0));
    EXPECT_TRUE(ColumnIsBlack(Load("NUM_DOT"), 2));
    EXPECT_FALSE(ColumnIsBlack(Load("NUM_DOT"), 1));
    // The label moves right by up to 12 pixels when the volume loses digits,
    // leaving its old first columns behind.
    const Image label = Load("VOL");
    for (int x = 0; x < 12; ++x)
        EXPECT_TRUE(ColumnIsBlack(label, x)) << x;
    EXPECT_GT(MeanLuma(label), 5);
    EXPECT_EQ(MeanLuma(Load("NUM_SPA")), 0);
}

} // namespace
