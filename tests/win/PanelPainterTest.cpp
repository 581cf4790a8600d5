// The panel painter on a memory device context, with the program's own
// resources linked into this test: bitmaps land pixel for pixel where the
// draw list puts them, and the text lines come out in their colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "PanelLayout.h"
#include "PanelPainter.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// A top-down 32-bit canvas selected into a memory context.
class Canvas {
  public:
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        previous = SelectObject(dc, bitmap);
        for (int i = 0; i < width * height; ++i)
            bits[i] = 0;
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // As a COLORREF (0x00BBGGRR).
    COLORREF at(int x, int y) const {
        GdiFlush();
        const uint32_t pixel = bits[y * width + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

    HDC dc = nullptr;
    const int width, height;

  private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};

HINSTANCE Resources() {
    return GetModuleHandleA(nullptr);
}

// A resource bitmap drawn alone at (0, 0).
std::vector<COLORREF> Pixels(PanelBitmap bitmap) {
    const BitmapSize size = PanelBitmapSize(bitmap);
    Canvas canvas(size.width, size.height);
    DrawOp op;
    op.bitmap = bitmap;
    PaintPanel(canvas.dc, Resources(), {op});
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            pixels.push_back(canvas.at(x, y));
    return pixels;
}

std::vector<COLORREF> Region(const Canvas& canvas, int x0, int y0, BitmapSize size) {
    std::vector<COLORREF> pixels;
    for (int y = y0; y < y0 + size.height; ++y)
        for (int x = x0; x < x0 + size.width; ++x)
            pixels.push_back(canvas.at(x, y));
    return pixels;
}

bool IsRed(COLORREF c) {
    return GetRValue(c) > 160 && GetGValue(c) < 80 && GetBValue(c) < 80;
}
bool IsWhitish(COLORREF c) {
    return GetRValue(c) > 160 && GetGValue(c) > 160 && GetBValue(c) > 160;
}

int Count(const std::vector<COLORREF>& pixels, bool (*predicate)(COLORREF)) {
    int count = 0;
    for (COLORREF c : pixels)
        count += predicate(c) ? 1 : 0;
    return count;
}

TEST(PanelPainterTest, EveryBitmapResourceLoadsWithItsSize) {
    for (int i = 0; i < kPanelBitmapCount; ++i) {
        const auto bitmap = static_cast<PanelBitmap>(i);
        HBITMAP handle = LoadBitmapA(Resources(), PanelBitmapName(bitmap));
        ASSERT_NE(handle, nullptr) << PanelBitmapName(bitmap);
        BITMAP info;
        ASSERT_EQ(GetObjectA(handle, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, PanelBitmapSize(bitmap).width) << PanelBitmapName(bitmap);
        EXPECT_EQ(info.bmHeight, PanelBitmapSize(bitmap).height) << PanelBitmapName(bitmap);
        DeleteObject(handle);
    }
    for (const char* icon : {"MINI", "MINI_PLAY"}) {
        HICON handle = LoadIconA(Resources(), icon);
        EXPECT_NE(handle, nullptr) << icon;
        if (handle) DestroyIcon(handle);
    }
}

TEST(PanelPainterTest, FullPaintPutsFrameLinesAndBitmapsInPlace) {
    PanelState state;
    state.ListLoaded = 1;
    state.PlayState = 0;
    state.Volume = 100;
    state.TitleText = "Quorel";
    Canvas canvas(panel::kWidth, panel::kHeight);
    PaintPanel(canvas.dc, Resources(), FullPaint(state));

    EXPECT_EQ(canvas.at(15, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(200, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(267, 0), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(267, 43), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(15, 44), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(266, 20), kBlack);

    const std::pair<PanelBitmap, POINT> placed[] = {
        {PanelBitmap::BtPrevOn, {201, 4}},    {PanelBitmap::BtStopOff, {214, 4}},
        {PanelBitmap::BtPlayOn, {227, 4}},    {PanelBitmap::BtOpenOn, {240, 17}},
        {PanelBitmap::BtQuorelOn, {253, 30}}, {PanelBitmap::Exit2Up, {5, 3}},
        {PanelBitmap::Min2Up, {5, 12}},       {PanelBitmap::Vol, {151, 28}},
        {PanelBitmap::Num1, {178, 28}},       {PanelBitmap::SinSla, {162, 35}},
    };
    for (const auto& [bitmap, at] : placed)
        EXPECT_EQ(Region(canvas, at.x, at.y, PanelBitmapSize(bitmap)), Pixels(bitmap))
            << PanelBitmapName(bitmap);
    // Volume 100: the top segment is lit.
    EXPECT_EQ(Region(canvas, 256, 6, {5, 1}), Pixels(PanelBitmap::VolBarOn));
    EXPECT_EQ(Region(canvas, 203, 33, {1, 5}), Pixels(PanelBitmap::SeekBarOff));
}

TEST(PanelPainterTest, TitleIsWhiteAndMeasuredWhenItScrolls) {
    PanelState state;
    state.TitleText = "Quorel";
    state.TitleScroll = true;
    Canvas canvas(panel::kWidth, panel::kHeight);
    const PaintResult shortTitle = PaintPanel(canvas.dc, Resources(), TitleRedraw(state));
    EXPECT_TRUE(shortTitle.titleDrawn);
    EXPECT_TRUE(shortTitle.titleMeasured);
    EXPECT_GT(shortTitle.titleWidth, 0);
    EXPECT_GT(Count(Region(canvas, 19, 4, {180, 14}), IsWhitish), 10);

    state.TitleText = "Quorel Quorel Quorel Quorel Quorel Quorel Quorel";
    const PaintResult longTitle = PaintPanel(canvas.dc, Resources(), TitleRedraw(state));
    EXPECT_GT(longTitle.titleWidth, 3 * shortTitle.titleWidth);

    state.TitleScroll = false;
    const PaintResult unmeasured = PaintPanel(canvas.dc, Resources(), TitleRedraw(state));
    EXPECT_TRUE(unmeasured.titleDrawn);
    EXPECT_FALSE(unmeasured.titleMeasured);
    EXPECT_FALSE(PaintPanel(canvas.dc, Resources(), {ArtistLineDraw(state)}).titleDrawn);
}

TEST(PanelPainterTest, SleepTimerNoticeIsRed) {
    PanelState state;
    state.ArtistText = "Artist";
    Canvas canvas(panel::kWidth, panel::kHeight);
    PaintPanel(canvas.dc, Resources(), {ArtistLineDraw(state)});
    const auto artist = Region(canvas, 19, 17, {180, 11});
    EXPECT_GT(Count(artist, IsWhitish), 5);
    EXPECT_EQ(Count(artist, IsRed), 0);

    state.SleepTimerRunning = true;
    state.SleepMinutesLeft = 30;
    PaintPanel(canvas.dc, Resources(), {ArtistLineDraw(state)});
    const auto notice = Region(canvas, 19, 17, {180, 11});
    EXPECT_GT(Count(notice, IsRed), 5);
    EXPECT_EQ(Count(notice, IsWhitish), 0);
}

} // namespace
