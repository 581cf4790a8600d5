// A skin (Windows only): its description and bitmap sheets loaded from the
// skin folder, the window's shape cut from the main sheet, and the title's
// scroll timer. Drawing goes through DrawLists() and the panel painter.
#pragma once

#include <windows.h>

#include <string>

#include "FileAccess.h"
#include "PanelPainter.h"
#include "SkinDescription.h"
#include "SkinLayout.h"
#include "SkinTitleScroll.h"

// How loading the sheets went; the caller shows the messages.
struct SkinSheetsLoad {
    bool loaded = false;
    std::string missingFile;         // a sheet missing or not a bitmap file we accept
    bool backgroundRejected = false; // main_bkg can't size the window
    bool regionFailed = false;       // loaded, but the window keeps its shape
};

class TDrawInterfaceBitmap {
  public:
    static constexpr UINT_PTR kScrollTimer = 5;
    static constexpr UINT kScrollPeriodMs = 300;
    // Posted to the main window at each tick: redraw the title line.
    static constexpr UINT kTitleRedrawMessage = 0x812C;

    // files must outlive this object.
    TDrawInterfaceBitmap(HWND mainWindow, const FileAccess& files);
    ~TDrawInterfaceBitmap();
    TDrawInterfaceBitmap(const TDrawInterfaceBitmap&) = delete;
    TDrawInterfaceBitmap& operator=(const TDrawInterfaceBitmap&) = delete;

    // False when the file is missing, unreadable, too large or switches the
    // skin off.
    bool LoadDescription(const std::string& path);
    // The sheets from the description's folder, then the window's shape.
    SkinSheetsLoad LoadSheets();
    void FreeSheets();

    // Its w x h is the main window's client size.
    const SkinElement& Background() const { return description.background; }
    bool HasSeparatePause() const { return !description.upon; }
    const PanelDrawLists& DrawLists() const { return lists; }
    const PanelHitTester& HitTester() const { return hitTester; }
    const PanelSheets& Sheets() const { return sheets; }

    // After the title was drawn and measured: runs or stops the scroll timer.
    void AfterTitleDrawn(int32_t textWidth);
    // The scroll timer's tick: moves the title and asks for its redraw.
    void OnScrollTimer();
    // A track starts.
    void RestartTitleScroll() { scroll.Restart(); }

  private:
    HBITMAP LoadSheet(const std::string& path) const;
    bool MakeShape();

    HWND mainWindow;
    const FileAccess& files;
    std::string descriptionPath;
    SkinDescription description;
    SkinTitleScroll scroll;
    SkinDrawLists lists{description, scroll};
    SkinHitTester hitTester{description};
    PanelSheets sheets{};
    bool timerRunning = false;
};
