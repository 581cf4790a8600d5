#include "Harness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace harness {

namespace {

bool CopyInto(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct WindowSearch {
    DWORD processId;
    bool (*accept)(HWND);
    HWND found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !search.accept(window)) return TRUE;
    search.found = window;
    return FALSE;
}

bool IsMainWindow(HWND window) {
    return GetPropA(window, "Quorel_MP3Player") != nullptr;
}

bool IsMessageBox(HWND window) {
    return IsVisibleOfClass(window, "#32770");
}

bool IsPopupMenu(HWND window) {
    return IsVisibleOfClass(window, "#32768");
}

struct ClassSearch {
    DWORD processId;
    const std::wstring& className;
    HWND found;
};

BOOL CALLBACK VisitClassWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ClassSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner != search.processId || !IsWindowVisible(window) || search.className != name)
        return TRUE;
    search.found = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM parameter) {
    // Asked, not looked up: an edit control keeps its text itself.
    wchar_t text[512] = {};
    SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    reinterpret_cast<std::vector<std::wstring>*>(parameter)->push_back(text);
    return TRUE;
}

// One argument as the C runtime splits a command line: backslashes before a
// quote, the closing one included, are doubled; a quoted D:\ alone would
// reach the program as D:".
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : text) {
        if (c == '"') quoted.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

} // namespace

HWND FindWindowOf(DWORD processId, bool (*accept)(HWND)) {
    WindowSearch search{processId, accept, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsVisibleOfClass(HWND window, const char* wanted) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return IsWindowVisible(window) && std::string(className) == wanted;
}

std::string BuiltTreeFolder() {
    return QUOREL_TREE_DIR;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    std::string base = (length > 0 && length < sizeof temp) ? std::string(temp, length) : ".\\";
    static unsigned counter = 0;
    for (;;) {
        folder = base + "quorel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
        if (CreateDirectoryA(folder.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            folder.clear();
            break;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!folder.empty()) RemoveTree(folder);
}

ScratchTree::ScratchTree(std::initializer_list<std::string> without, TreeSkin skin) {
    const std::string tree = BuiltTreeFolder();
    CopyInto(tree + "\\Quorel.exe", program());
    CreateDirectoryA((scratch / "Plugin").c_str(), nullptr);
    for (const char* plugin : {"Tessaly.dll", "Varnoth.dll", "Keldrin.dll"}) {
        bool omitted = false;
        for (const std::string& name : without)
            omitted = omitted || name == plugin;
        if (!omitted) CopyInto(tree + "\\Plugin\\" + plugin, scratch / "Plugin" + "\\" + plugin);
    }
    if (skin == TreeSkin::None) return;
    CreateDirectoryA(skinFolder().c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((tree + "\\skin\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyInto(tree + "\\skin\\" + found.cFileName, skinFolder() + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool ScratchTree::StoreVolume(int volume) const {
    return WritePrivateProfileStringA("MainWindowParameter", "Volume",
                                      std::to_string(volume).c_str(),
                                      (scratch / "Quorel.ini").c_str()) != 0;
}

Process::Process(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& currentFolder) {
    std::string commandLine = Quoted(program);
    for (const std::string& argument : arguments)
        commandLine += " " + Quoted(argument);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info))
        info = PROCESS_INFORMATION{};
}

Process::~Process() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, kDefaultTimeoutMs);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

long Process::WaitForExit(DWORD timeoutMs) {
    if (!info.hProcess || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    if (!GetExitCodeProcess(info.hProcess, &code)) return -1;
    return static_cast<long>(code);
}

HWND FindMainWindow(DWORD processId) {
    return FindWindowOf(processId, IsMainWindow);
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindMainWindow(processId)) != nullptr; }, timeoutMs);
    return window;
}

HWND FindVisibleWindow(DWORD processId, const std::wstring& className) {
    ClassSearch search{processId, className, nullptr};
    EnumWindows(VisitClassWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(DWORD processId, const std::wstring& className, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindVisibleWindow(processId, className)) != nullptr; },
              timeoutMs);
    return window;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel & 0xFFFFFF;
}

std::wstring TabText(HWND tabs, int index) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tabs, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return std::wstring();
    constexpr int kChars = 256;
    // One block in the other process: the item record, then its text buffer.
    const SIZE_T size = sizeof(TCITEMW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring text;
    if (remote) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
        item.cchTextMax = kChars;
        std::vector<wchar_t> buffer(kChars, L'\0');
        if (WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
            WriteProcessMemory(process, item.pszText, buffer.data(), kChars * sizeof(wchar_t),
                               nullptr) &&
            SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, item.pszText, buffer.data(), (kChars - 1) * sizeof(wchar_t),
                              nullptr))
            text = buffer.data();
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND FindMessageBox(DWORD processId) {
    return FindWindowOf(processId, IsMessageBox);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(processId)) != nullptr; }, timeoutMs);
    return box;
}

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring MessageBoxText(HWND box) {
    // The message text is the static control with id 0xFFFF.
    HWND label = GetDlgItem(box, 0xFFFF);
    return label ? WindowTextOf(label) : std::wstring();
}

void PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

namespace {

// A mouse event at a client point of `window`: the position travels with the
// event, so no earlier cursor move can overtake or trail it.
INPUT MouseAt(HWND window, int x, int y, DWORD flags) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

// Wine passes the foreground on asynchronously; a click that arrives before
// it may only activate the window.
void MakeForeground(HWND window) {
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

// Presses and releases a mouse button `clicks` times at a client point of
// `window`, made the foreground window first.
void SendButton(HWND window, int x, int y, int clicks, DWORD downFlag, DWORD upFlag) {
    MakeForeground(window);
    std::vector<INPUT> inputs;
    for (int click = 0; click < clicks; ++click) {
        inputs.push_back(MouseAt(window, x, y, downFlag));
        inputs.push_back(MouseAt(window, x, y, upFlag));
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Memory in another process, freed on destruction.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size)
        : process(process),
          address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* at(size_t offset) const { return static_cast<char*>(address) + offset; }
    bool Write(size_t offset, const void* bytes, size_t size) const {
        return WriteProcessMemory(process, at(offset), bytes, size, nullptr) != 0;
    }
    bool Read(size_t offset, void* bytes, size_t size) const {
        return ReadProcessMemory(process, at(offset), bytes, size, nullptr) != 0;
    }
    bool valid() const { return address != nullptr; }

  private:
    HANDLE process;
    void* address;
};

constexpr int kTextChars = 512;

} // namespace

void MouseButton(HWND window, int x, int y, bool down) {
    // The position travels in the event: a pointer set apart from it may be
    // read before or after the button.
    INPUT input = MouseAt(window, x, y, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &input, sizeof input);
}

void Click(HWND window, int x, int y) {
    SendButton(window, x, y, 1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void DoubleClick(HWND window, int x, int y) {
    SendButton(window, x, y, 2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD key, WORD held) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (held) add(held, false);
    add(key, false);
    add(key, true);
    if (held) add(held, true);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t character : text) {
        for (bool up : {false, true}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = character;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

// Reads a list view of another process through one record and one text
// buffer lent in that process.
class ListViewReader {
  public:
    explicit ListViewReader(HWND listView)
        : listView(listView), process(OpenProcessOf(listView)),
          remote(process, kTextOffset + kTextChars * sizeof(wchar_t)) {}
    ~ListViewReader() {
        if (process) CloseHandle(process);
    }
    ListViewReader(const ListViewReader&) = delete;
    ListViewReader& operator=(const ListViewReader&) = delete;

    bool valid() const { return process && remote.valid(); }
    bool Title(HWND header, int column, std::wstring& text) const {
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(kTextOffset));
        item.cchTextMax = kTextChars;
        return remote.Write(0, &item, sizeof item) &&
               SendMessageW(header, HDM_GETITEMW, column, LPARAM(remote.at(0))) != 0 && Text(text);
    }
    bool Cell(int row, int column, std::wstring& text) const {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(kTextOffset));
        item.cchTextMax = kTextChars;
        if (!remote.Write(0, &item, sizeof item)) return false;
        SendMessageW(listView, LVM_GETITEMTEXTW, row, LPARAM(remote.at(0)));
        return Text(text);
    }

  private:
    static constexpr size_t kTextOffset = 256;
    static HANDLE OpenProcessOf(HWND window) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        return OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           processId);
    }
    bool Text(std::wstring& text) const {
        std::wstring read(kTextChars, L'\0');
        const bool ok = remote.Read(kTextOffset, &read[0], kTextChars * sizeof(wchar_t));
        text = read.c_str();
        return ok;
    }

    HWND listView;
    HANDLE process;
    RemoteBuffer remote;
};

} // namespace

bool ReadListView(HWND listView, ListViewContents& contents) {
    contents = ListViewContents{};
    const ListViewReader reader(listView);
    HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : -1;
    bool ok = reader.valid() && columns >= 0;
    for (int column = 0; ok && column < columns; ++column) {
        std::wstring title;
        ok = reader.Title(header, column, title);
        contents.titles.push_back(title);
        contents.widths.push_back(int(SendMessageW(listView, LVM_GETCOLUMNWIDTH, column, 0)));
    }
    const int rows = int(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; ok && row < rows; ++row) {
        std::vector<std::wstring> cells(static_cast<size_t>(columns));
        for (int column = 0; ok && column < columns; ++column)
            ok = reader.Cell(row, column, cells[size_t(column)]);
        contents.rows.push_back(cells);
    }
    return ok;
}

std::wstring ListViewCell(HWND listView, int row, int column) {
    const ListViewReader reader(listView);
    std::wstring text;
    return reader.valid() && reader.Cell(row, column, text) ? text : std::wstring();
}

void SendClick(HWND window, int x, int y, DWORD downFlag, DWORD upFlag) {
    SendButton(window, x, y, 1, downFlag, upFlag);
}

void Drag(HWND window, int fromX, int fromY, int toX, int toY) {
    MakeForeground(window);
    std::vector<INPUT> inputs = {MouseAt(window, fromX, fromY, 0),
                                 MouseAt(window, fromX, fromY, MOUSEEVENTF_LEFTDOWN)};
    const int steps = std::max(std::abs(toX - fromX), std::abs(toY - fromY));
    for (int step = 1; step <= steps; ++step)
        inputs.push_back(MouseAt(window, fromX + (toX - fromX) * step / steps,
                                 fromY + (toY - fromY) * step / steps, 0));
    inputs.push_back(MouseAt(window, toX, toY, MOUSEEVENTF_LEFTUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressMenuKeys(DWORD processId, std::initializer_list<WORD> keys) {
    HWND menu = FindWindowOf(processId, IsPopupMenu);
    // The menu maps under the pointer, and the move the display reports for
    // that clears its highlight: taken between two keys, it sends the walk
    // elsewhere. Posted messages come before input, so the menu's thread is
    // held while all keys go in, and it takes them before any move.
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                               GetWindowThreadProcessId(menu, nullptr));
    const bool held = thread && SuspendThread(thread) != DWORD(-1);
    for (WORD key : keys) {
        PostMessageW(menu, WM_KEYDOWN, key, 1);
        PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
    }
    if (held) ResumeThread(thread);
    if (thread) CloseHandle(thread);
}

bool PopupMenuOpen(DWORD processId) {
    return FindWindowOf(processId, IsPopupMenu) != nullptr;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    contents.clear();
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.append(buffer, got);
    std::fclose(file);
    return true;
}

} // namespace harness
