// Any bytes as a skin's description and as one of its bitmap files: reading,
// laying out, hit-testing and checking must neither crash nor overflow, and
// a file the check accepts must hold everything the system will read.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "IniDocument.h"
#include "SkinBitmapFile.h"
#include "SkinDescription.h"
#include "SkinLayout.h"
#include "SkinShape.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckBitmap(std::string_view bytes) {
    const auto layout = CheckBitmapFile(bytes);
    if (!layout) return;
    Require(layout->width >= 1 && layout->width <= sheet::kMaxSide);
    Require(layout->height >= 1 && layout->height <= sheet::kMaxSide);
    const uint32_t bits = static_cast<unsigned char>(bytes[28]);
    const uint64_t stride = (uint64_t{static_cast<uint32_t>(layout->width)} * bits + 31) / 32 * 4;
    Require(layout->pixelOffset + stride * static_cast<uint64_t>(layout->height) <= bytes.size());
}

void LayOut(std::string_view bytes) {
    const auto description = ReadSkinDescription(IniDocument(bytes));
    if (!description) return;
    Require(description->fonts[0].face.size() <= skin::kMaxFaceBytes);
    Require(description->fonts[1].face.size() <= skin::kMaxFaceBytes);
    SkinTitleScroll scroll;
    scroll.AfterTitleDrawn(static_cast<int32_t>(bytes.size()), description->title.w);
    for (int tick = 0; tick < 8; ++tick)
        scroll.Tick();
    const SkinDrawLists lists(*description, scroll);
    PanelState state;
    const int32_t extremes[] = {INT32_MIN, -1, 0, 59, 100, 6000, 999999, INT32_MAX};
    for (const int32_t value : extremes) {
        state.PlayState = value & 3;
        state.ListLoaded = value & 1;
        state.Position = state.Length = state.BitRate = state.SampleRate = value;
        state.Volume = state.RepeatMode = state.ShuffleMode = value;
        lists.FullPaint(state);
        lists.PlayPauseRedraw(state, value < 0);
        BackgroundFitsSheet(description->background, value, value);
        SkinHitTest(*description, value, value);
        SkinHitTest(*description, description->frame.wx, value);
    }
}

// The bytes as rows of 32-bit pixels, the first byte giving the width.
void Shape(std::string_view bytes) {
    if (bytes.empty()) return;
    const int32_t width = static_cast<unsigned char>(bytes[0]) % 16 + 1;
    const int32_t height = static_cast<int32_t>((bytes.size() - 1) / (4 * width));
    const auto* pixels = reinterpret_cast<const uint8_t*>(bytes.data() + 1);
    const auto runs = MaskRuns(pixels, width, height, 0xFF00FF, 64);
    if (!runs) return;
    for (const ShapeRect& r : *runs)
        Require(r.left >= 0 && r.left < r.right && r.right <= width && r.top >= 0 &&
                r.bottom == r.top + 1 && r.bottom <= height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckBitmap(bytes);
    LayOut(bytes);
    Shape(bytes);
    return 0;
}
