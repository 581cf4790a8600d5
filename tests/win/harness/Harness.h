// Black-box helpers for the Windows tests: start Quorel.exe in a scratch copy
// of the built tree, find its windows, read and answer its message boxes,
// wait for it to end.
#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace harness {

constexpr DWORD kDefaultTimeoutMs = 20000;

// Polls `condition` until it holds or `timeoutMs` passes; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The folder holding Quorel.exe and Plugin\ as the build made it.
std::string BuiltTreeFolder();

// A fresh folder under the temporary folder, removed with its contents.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return folder; }
    std::string operator/(const std::string& name) const { return folder + "\\" + name; }

  private:
    std::string folder;
};

// Whether a scratch tree has the built tree's skin folder. Without it the
// program draws its built-in panel.
enum class TreeSkin { None, Sample };

// A copy of the built program tree; `without` names plug-in files
// (e.g. "Varnoth.dll") left out of Plugin\.
class ScratchTree {
  public:
    explicit ScratchTree(std::initializer_list<std::string> without = {},
                         TreeSkin skin = TreeSkin::None);
    const std::string& folder() const { return scratch.path(); }
    std::string program() const { return scratch / "Quorel.exe"; }
    std::string skinFolder() const { return scratch / "skin"; }
    // Stores the player's volume in the tree's Quorel.ini. Wine's mixer
    // scales what the sound device plays by it: tests that compare the
    // sound byte for byte play at 100.
    bool StoreVolume(int volume) const;

  private:
    ScratchFolder scratch;
};

// A started process, killed on destruction if it still runs.
class Process {
  public:
    // Starts `program` with `arguments` (each quoted) in `currentFolder`
    // (the program's own folder when empty). Check started().
    Process(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& currentFolder = std::string());
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return info.hProcess != nullptr; }
    DWORD id() const { return info.dwProcessId; }
    // The exit code, or -1 when the process did not end within the time.
    long WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs);

  private:
    PROCESS_INFORMATION info = {};
};

// The main window of process `processId`: the top-level window that carries
// the property "Quorel_MP3Player". Null when there is none (yet).
HWND FindMainWindow(DWORD processId);
// Waits for it.
HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs);

// The first top-level window of process `processId` that `accept` accepts.
HWND FindWindowOf(DWORD processId, bool (*accept)(HWND));
bool IsVisibleOfClass(HWND window, const char* className);

// A visible top-level window of class `className` of process `processId`.
HWND FindVisibleWindow(DWORD processId, const std::wstring& className);
HWND WaitForVisibleWindow(DWORD processId, const std::wstring& className,
                          DWORD timeoutMs = kDefaultTimeoutMs);

// The colour (0x00BBGGRR) of a pixel of `window`'s client area as shown.
COLORREF ClientPixel(HWND window, int x, int y);

// A real left-button press or release at a point of `window`'s client area.
void MouseButton(HWND window, int x, int y, bool down);

// The text of tab `index` of a tab control in another process (read through
// memory lent in that process).
std::wstring TabText(HWND tabs, int index);

// The texts of every child window of `window` (captions, groups, labels).
std::vector<std::wstring> ChildTexts(HWND window);

// A visible message box (dialog class "#32770") of process `processId`.
HWND FindMessageBox(DWORD processId);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs);
std::wstring MessageBoxText(HWND box);
std::wstring WindowTextOf(HWND window);
void PressOk(HWND box);

// Real input through SendInput: the left button clicked (twice for a
// double-click) at a point of the window's client area, the window made the
// foreground window first (as SendClick below); a key pressed and released,
// with `held` (e.g. VK_CONTROL, VK_SHIFT) held down when given.
void Click(HWND window, int x, int y);
void DoubleClick(HWND window, int x, int y);
void PressKey(WORD key, WORD held = 0);
// Types the characters as Unicode key strokes.
void TypeText(const std::wstring& text);

// What a list view of another process shows: the header's titles and
// widths and every cell's text, rows from the first item.
struct ListViewContents {
    std::vector<std::wstring> titles;
    std::vector<int> widths;
    std::vector<std::vector<std::wstring>> rows;
};
// False when the list view can't be read.
bool ReadListView(HWND listView, ListViewContents& contents);
// One cell's text; empty when it can't be read.
std::wstring ListViewCell(HWND listView, int row, int column);
// Real input through the display (SendInput). A click of the mouse button
// whose down and up flags are given, at a client point of the window, which
// is made the foreground window first.
void SendClick(HWND window, int x, int y, DWORD downFlag = MOUSEEVENTF_LEFTDOWN,
               DWORD upFlag = MOUSEEVENTF_LEFTUP);
// A drag with the left button, as real input: pressed at (fromX, fromY) of
// the window's client area (made the foreground window first), moved a pixel
// a step to (toX, toY), released there. One queue of input events keeps the
// moves between the press and the release.
void Drag(HWND window, int fromX, int fromY, int toX, int toY);
// Each key pressed and released, in order, in the open popup menu of
// process `processId`. The keys are posted to the menu's own queue: input
// sent through the system reaches the foreground thread only, which Wine
// may hand on while the menu opens. They all reach the menu before the
// input the display queued for it.
void PressMenuKeys(DWORD processId, std::initializer_list<WORD> keys);
// A visible popup menu (class "#32768") of process `processId` is open.
bool PopupMenuOpen(DWORD processId);
// The window of `window`'s thread that has the keyboard focus, or null.
HWND FocusOf(HWND window);

// Whole contents of a file, or false when it can't be read.
bool ReadWholeFile(const std::string& path, std::string& contents);

} // namespace harness
