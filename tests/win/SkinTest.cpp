// Quorel with a skin in its tree: the sample skin shapes, draws and works the
// panel under real mouse input; damaged and hostile skins end in their
// message or the built-in panel, never in a crash or an odd window.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Harness.h"
#include "IniDocument.h"
#include "SkinDescription.h"
#include "TessalyTestSupport.h"

namespace {

using namespace tessaly_test;

std::string ReadText(const std::string& path) {
    std::string bytes;
    harness::ReadWholeFile(path, bytes);
    return bytes;
}

void WriteText(const std::string& path, const std::string& bytes) {
    WriteFile(path, Bytes(bytes.begin(), bytes.end()));
}

SkinDescription DescriptionIn(const std::string& folder) {
    return ReadSkinDescription(IniDocument(ReadText(folder + "\\quorel_skin.ini")))
        .value_or(SkinDescription{});
}

// Pixels as 0x00RRGGBB.
using Pixels = std::vector<uint32_t>;

// A block of a 24-bit bottom-up sheet file.
Pixels SheetBlock(const std::string& path, const SkinElement& e) {
    const std::string bytes = ReadText(path);
    const auto u32 = [&](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    const uint32_t offset = u32(10), width = u32(18), height = u32(22);
    const uint32_t stride = (width * 3 + 3) & ~3u;
    Pixels pixels;
    for (int y = e.y; y < e.y + e.h; ++y)
        for (int x = e.x; x < e.x + e.w; ++x) {
            const size_t at = offset + (height - 1 - y) * stride + x * 3;
            pixels.push_back(static_cast<unsigned char>(bytes[at + 2]) << 16 |
                             static_cast<unsigned char>(bytes[at + 1]) << 8 |
                             static_cast<unsigned char>(bytes[at]));
        }
    return pixels;
}

// A block of the screen, at client coordinates of `window`.
Pixels ScreenBlock(HWND window, int x, int y, int w, int h) {
    POINT origin{x, y};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    Pixels pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + w * h);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels ScreenBlock(HWND window, const SkinElement& e) {
    return ScreenBlock(window, e.wx, e.wy, e.w, e.h);
}

void MouseButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// In the same input queue as the button events, so they stay in order.
void MoveMouse(int x, int y) {
    // Normalised coordinates that map back to exactly (x, y).
    const auto normalised = [](int at, int extent) {
        return static_cast<LONG>((int64_t{at} * 65536 + extent - 1) / extent);
    };
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The window that has captured the mouse in the thread of `window`.
HWND CaptureOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

POINT OnScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

POINT Centre(const SkinElement& e) {
    return {e.wx + e.w / 2, e.wy + e.h / 2};
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// The window's region type (ERROR when it has none) and whether it holds
// each of the points.
int RegionHolds(HWND window, std::initializer_list<POINT> points, std::vector<bool>& held) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(window, region);
    held.clear();
    for (const POINT& p : points)
        held.push_back(PtInRegion(region, p.x, p.y) != 0);
    DeleteObject(region);
    return type;
}

TEST(SkinTest, TheSampleSkinShapesDrawsAndWorksThePanel) {
    harness::ScratchTree tree({}, harness::TreeSkin::Sample);
    const SkinDescription skin = DescriptionIn(tree.skinFolder());
    ASSERT_GT(skin.background.w, 0);
    // A minute of quiet; the title is the file name, too long for its area.
    const std::string track = tree.folder() + "\\a title long enough that it has to scroll.wav";
    WriteFile(track, MakeWave(1, 2, 44100, Bytes(176400 * 60, 0)));

    harness::Process quorel(tree.program(), {track});
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L"  :  : Quorel";
    })) << "the track does not play";
    EXPECT_EQ(ClientSize(window).cx, skin.background.w);
    EXPECT_EQ(ClientSize(window).cy, skin.background.h);

    // The shape: the magenta corner is cut, the buttons are in.
    std::vector<bool> held;
    const POINT play = Centre(skin.buttonDark[skin::kPlay]);
    EXPECT_NE(RegionHolds(window, {{0, 0}, play}, held), ERROR);
    EXPECT_EQ(held, (std::vector<bool>{false, true}));

    const std::string folder = tree.skinFolder() + "\\";
    const auto shows = [&](const char* sheet, const SkinElement& e) {
        return ScreenBlock(window, e) == SheetBlock(folder + sheet, e);
    };
    // Separate play and pause: while playing the pause button is lit.
    EXPECT_TRUE(harness::WaitUntil([&] {
        return shows("quorel_button.bmp", skin.buttonLit[skin::kPause]) &&
               shows("quorel_button.bmp", skin.buttonDark[skin::kPlay]);
    })) << "pause lit and play dark while playing";
    // The total time, 01:00: its first two digits where the layout puts them.
    const SkinElement& total = skin.numberPositions[skin::kTotalTime];
    SkinElement zero = skin.glyphs[0], one = skin.glyphs[1];
    zero.wx = total.wx;
    zero.wy = one.wy = total.wy;
    one.wx = total.wx + zero.w + 2;
    EXPECT_TRUE(harness::WaitUntil([&] {
        return shows("quorel_char.bmp", zero) && shows("quorel_char.bmp", one);
    })) << "the total time shows 01:00";

    // The long title scrolls: its area changes by itself.
    const Pixels title = ScreenBlock(window, skin.title);
    EXPECT_TRUE(harness::WaitUntil([&] { return ScreenBlock(window, skin.title) != title; }))
        << "the title does not scroll";

    // Real clicks on the skin's stop and play buttons.
    const POINT stop = Centre(skin.buttonDark[skin::kStop]);
    harness::Click(window, stop.x, stop.y);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::WindowTextOf(window) == L"Quorel"; }))
        << "stop did not stop";
    EXPECT_TRUE(harness::WaitUntil([&] {
        return shows("quorel_button.bmp", skin.buttonLit[skin::kPlay]) &&
               shows("quorel_button.bmp", skin.buttonDark[skin::kPause]) &&
               shows("quorel_button.bmp", skin.buttonDark[skin::kStop]);
    })) << "stopped: play lit, pause and stop dark";
    harness::Click(window, play.x, play.y);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(window) == L"  :  : Quorel";
    })) << "the skin's play button does not play";

    // A drag on the frame moves the window with the pointer.
    const RECT before = WindowRect(window);
    const SkinElement& frame = skin.frame;
    const POINT grip = OnScreen(window, frame.wx + frame.w / 2, frame.wy + frame.h - 4);
    SetForegroundWindow(window);
    MoveMouse(grip.x, grip.y);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(harness::WaitUntil([&] { return CaptureOf(window) == window; }))
        << "the press did not reach the window";
    for (int step = 1; step <= 4; ++step) {
        MoveMouse(grip.x + 10 * step, grip.y + 7 * step);
        // Pacing only: a move the system merges with the next is made up by it.
        harness::WaitUntil([&] { return WindowRect(window).left >= before.left + 10 * step; },
                           2000);
    }
    // Now and then the display reports a pointer move late, or not at all,
    // and the window stops a step short: the pointer is stirred at its last
    // place until the window stands where that place puts it.
    const auto followed = [&] {
        const RECT after = WindowRect(window);
        return after.left == before.left + 40 && after.top == before.top + 28;
    };
    for (int stir = 0; stir < 5 && !harness::WaitUntil(followed, 1000); ++stir) {
        MoveMouse(grip.x + 41, grip.y + 28);
        MoveMouse(grip.x + 40, grip.y + 28);
    }
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(harness::WaitUntil(followed)) << "the window did not follow the drag: from "
        << before.left << "," << before.top << " to " << WindowRect(window).left << ","
        << WindowRect(window).top;

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

// A 24-bit bitmap file, its pixels given by colour(x, y) as 0x00RRGGBB.
std::string Bitmap24(int width, int height, const std::function<uint32_t(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::string bytes(54 + stride * height, '\0');
    const auto put = [&](size_t at, uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = static_cast<char>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<uint32_t>(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(54 + (height - 1 - y) * stride + x * 3, colour(x, y), 3);
    return bytes;
}

void Patch(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void EditDescription(const std::string& folder, const std::function<void(IniDocument&)>& edit) {
    IniDocument ini(ReadText(folder + "\\quorel_skin.ini"));
    edit(ini);
    WriteText(folder + "\\quorel_skin.ini", ini.ToBytes());
}

void DamageSheet(const std::string& folder, const char* name,
                 const std::function<void(std::string&)>& damage) {
    std::string bytes = ReadText(folder + "\\" + name);
    damage(bytes);
    WriteText(folder + "\\" + name, bytes);
}

struct HostileSkin {
    const char* what;
    std::function<void(const std::string& folder)> make;
    std::wstring message; // empty: none is shown
};

// One case for each way a skin fails to load; the file checks themselves are
// tested case by case natively.
TEST(SkinTest, HostileSkinsEndInTheirMessageOrTheBuiltInPanel) {
    const std::wstring missing = L" が見つかりません。";
    const std::wstring background =
        L"quorel_skin.ini の main_bkg "
        L"がウインドウの大きさになりません。\n標準のパネルで表示します。";
    const HostileSkin cases[] = {
        {"vol sheet missing",
         [](const std::string& f) { DeleteFileA((f + "\\quorel_vol.bmp").c_str()); },
         L"quorel_vol.bmp" + missing},
        {"a PNG under the button sheet's name",
         [](const std::string& f) {
             WriteText(f + "\\quorel_button.bmp",
                       std::string("\x89PNG\r\n\x1A\n", 8) + std::string(600, '\x11'));
         },
         L"quorel_button.bmp" + missing},
        {"main sheet truncated",
         [](const std::string& f) {
             DamageSheet(f, "quorel_main.bmp", [](std::string& b) { b.resize(b.size() / 2); });
         },
         L"quorel_main.bmp" + missing},
        {"60000 x 60000 in 1 KB",
         [](const std::string& f) {
             std::string b = Bitmap24(1, 1, [](int, int) { return 0u; });
             b.resize(1024, '\0');
             Patch(b, 18, 60000, 4);
             Patch(b, 22, 60000, 4);
             WriteText(f + "\\quorel_sys.bmp", b);
         },
         L"quorel_sys.bmp" + missing},
        {"main_bkg beyond its sheet",
         [](const std::string& f) {
             EditDescription(f, [](IniDocument& ini) { ini.WriteInteger("main_bkg", "x", 1); });
         },
         background},
        {"a 4 MB junk description",
         [](const std::string& f) {
             std::string junk(4000000, '\0');
             uint32_t seed = 7;
             for (char& c : junk)
                 c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
             WriteText(f + "\\quorel_skin.ini", "[main_bkg]\r\nw=100\r\n" + junk);
         },
         L""},
    };
    for (const HostileSkin& c : cases) {
        SCOPED_TRACE(c.what);
        harness::ScratchTree tree({}, harness::TreeSkin::Sample);
        c.make(tree.skinFolder());
        harness::Process quorel(tree.program(), {});
        ASSERT_TRUE(quorel.started());
        if (!c.message.empty()) {
            HWND box = harness::WaitForMessageBox(quorel.id());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(harness::MessageBoxText(box), c.message);
            harness::PressOk(box);
        }
        HWND window = harness::WaitForMainWindow(quorel.id());
        ASSERT_NE(window, nullptr);
        // The property is set after the skin was loaded: no message waits.
        EXPECT_EQ(harness::FindMessageBox(quorel.id()), nullptr);
        EXPECT_EQ(ClientSize(window).cx, 268);
        EXPECT_EQ(ClientSize(window).cy, 45);
        std::vector<bool> held;
        EXPECT_EQ(RegionHolds(window, {}, held), ERROR) << "the built-in panel has no shape";
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(quorel.WaitForExit(), 0);
    }
}

// Skins that load although odd: a long font name, and a red mask, which
// must cut red and keep blue (the region reads the channels in order).
TEST(SkinTest, OddSkinsLoadAndARedMaskCutsRed) {
    harness::ScratchTree tree({}, harness::TreeSkin::Sample);
    const std::string folder = tree.skinFolder();
    const SkinDescription skin = DescriptionIn(folder);
    const int width = skin.background.w, height = skin.background.h;
    WriteText(folder + "\\quorel_main.bmp", Bitmap24(width, height, [&](int x, int) {
                  return x < width / 2 ? 0xFF0000u : 0x0000FFu;
              }));
    EditDescription(folder, [](IniDocument& ini) {
        ini.WriteInteger("main_rgn", "mask", 16711680);
        ini.WriteString("font_0", "type", std::string(200, 'F'));
    });
    harness::Process quorel(tree.program(), {});
    HWND window = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(harness::FindMessageBox(quorel.id()), nullptr);
    EXPECT_EQ(ClientSize(window).cx, width);
    std::vector<bool> held;
    EXPECT_NE(RegionHolds(window, {{2, height / 2}, {width - 3, height / 2}}, held), ERROR);
    EXPECT_EQ(held, (std::vector<bool>{false, true})) << "red cut, blue kept";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(quorel.WaitForExit(), 0);
}

} // namespace
