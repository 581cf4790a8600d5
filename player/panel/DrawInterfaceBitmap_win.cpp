#include "DrawInterfaceBitmap.h"

#include <vector>

#include "IniDocument.h"
#include "PathNames.h"
#include "SkinBitmapFile.h"
#include "SkinShape.h"

namespace {

struct SheetFile {
    SkinSheet sheet;
    const char* name;
};

// In loading order; the scratch is a second bitmap of the main sheet.
constexpr SheetFile kSheetFiles[] = {
    {SkinSheet::Main, "quorel_main.bmp"},     {SkinSheet::MainScratch, "quorel_main.bmp"},
    {SkinSheet::Button, "quorel_button.bmp"}, {SkinSheet::Sys, "quorel_sys.bmp"},
    {SkinSheet::Seek, "quorel_seek.bmp"},     {SkinSheet::Vol, "quorel_vol.bmp"},
    {SkinSheet::Char, "quorel_char.bmp"},
};

bool SizeOf(HBITMAP bitmap, int32_t& width, int32_t& height) {
    BITMAP info;
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

// The sheet's pixels as top-down rows of 32 bits (blue, green, red, unused).
bool ReadPixels(HBITMAP bitmap, int32_t width, int32_t height, std::vector<uint8_t>& pixels) {
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    pixels.assign(size_t{4} * static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                               &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

HRGN RegionOf(const std::vector<ShapeRect>& runs, int32_t width, int32_t height) {
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, width, height};
    auto* rects = reinterpret_cast<RECT*>(region->Buffer);
    for (size_t i = 0; i < runs.size(); ++i)
        rects[i] = RECT{runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

} // namespace

TDrawInterfaceBitmap::TDrawInterfaceBitmap(HWND mainWindow, const FileAccess& files)
    : mainWindow(mainWindow), files(files) {}

TDrawInterfaceBitmap::~TDrawInterfaceBitmap() {
    if (timerRunning) KillTimer(mainWindow, kScrollTimer);
    FreeSheets();
}

bool TDrawInterfaceBitmap::LoadDescription(const std::string& path) {
    std::string bytes;
    if (!files.ReadFile(path, skin::kMaxDescriptionBytes, bytes)) return false;
    std::optional<SkinDescription> read = ReadSkinDescription(IniDocument(bytes));
    if (!read) return false;
    description = std::move(*read);
    descriptionPath = path;
    return true;
}

HBITMAP TDrawInterfaceBitmap::LoadSheet(const std::string& path) const {
    std::string bytes;
    if (!files.ReadFile(path, sheet::kMaxFileBytes, bytes)) return nullptr;
    const std::optional<BitmapFileLayout> layout = CheckBitmapFile(bytes);
    if (!layout) return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sheet::kInfoHeaderOffset);
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT,
                                    bytes.data() + layout->pixelOffset, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

SkinSheetsLoad TDrawInterfaceBitmap::LoadSheets() {
    SkinSheetsLoad load;
    FreeSheets();
    const std::string folder = FolderOf(descriptionPath);
    for (const SheetFile& file : kSheetFiles) {
        HBITMAP bitmap = LoadSheet(folder + file.name);
        if (!bitmap) {
            FreeSheets();
            load.missingFile = file.name;
            return load;
        }
        sheets[static_cast<size_t>(file.sheet)] = bitmap;
        int32_t width = 0, height = 0;
        if (file.sheet == SkinSheet::Main &&
            !(SizeOf(bitmap, width, height) &&
              BackgroundFitsSheet(description.background, width, height))) {
            FreeSheets();
            load.backgroundRejected = true;
            return load;
        }
    }
    // Shaped only once every sheet is in, so that a failure leaves the
    // window as it was.
    if (description.shaped) load.regionFailed = !MakeShape();
    load.loaded = true;
    return load;
}

bool TDrawInterfaceBitmap::MakeShape() {
    HBITMAP main = sheets[static_cast<size_t>(SkinSheet::Main)];
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
    if (!SizeOf(main, width, height) || !ReadPixels(main, width, height, pixels)) return false;
    // A shape without a pixel would leave no window to see.
    const std::optional<std::vector<ShapeRect>> runs =
        MaskRuns(pixels.data(), width, height, description.mask);
    if (!runs || runs->empty()) return false;
    HRGN region = RegionOf(*runs, width, height);
    if (!region) return false;
    ShowWindow(mainWindow, SW_HIDE);
    if (!SetWindowRgn(mainWindow, region, FALSE)) {
        DeleteObject(region);
        return false;
    }
    // The system owns the region from here on.
    SetWindowPos(mainWindow, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TDrawInterfaceBitmap::FreeSheets() {
    for (HBITMAP& sheet : sheets) {
        if (sheet) DeleteObject(sheet);
        sheet = nullptr;
    }
}

void TDrawInterfaceBitmap::AfterTitleDrawn(int32_t textWidth) {
    const bool run = scroll.AfterTitleDrawn(textWidth, description.title.w);
    if (run && !timerRunning) {
        timerRunning = SetTimer(mainWindow, kScrollTimer, kScrollPeriodMs, nullptr) != 0;
    } else if (!run && timerRunning) {
        KillTimer(mainWindow, kScrollTimer);
        timerRunning = false;
    }
}

void TDrawInterfaceBitmap::OnScrollTimer() {
    scroll.Tick();
    PostMessageA(mainWindow, kTitleRedrawMessage, 0, 0);
}
