#include "Harness.h"

#include <commctrl.h>

#include <cstdio>

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

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
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

void MouseButton(HWND window, int x, int y, bool down) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
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

void SendMouse(HWND window, int x, int y, int clicks) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    std::vector<INPUT> inputs(size_t(clicks) * 2);
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
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

void Click(HWND window, int x, int y) {
    SetForegroundWindow(window);
    SendMouse(window, x, y, 1);
}

void DoubleClick(HWND window, int x, int y) {
    SetForegroundWindow(window);
    SendMouse(window, x, y, 2);
}

void PressKey(WORD key, bool control) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (control) add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (control) add(VK_CONTROL, true);
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

bool ReadListView(HWND listView, ListViewContents& contents) {
    contents = ListViewContents{};
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return false;
    bool ok = false;
    {
        // One record and one text buffer in the list view's process.
        const size_t textOffset = 256;
        RemoteBuffer remote(process, textOffset + kTextChars * sizeof(wchar_t));
        auto text = [&]() {
            std::wstring read(kTextChars, L'\0');
            remote.Read(textOffset, &read[0], kTextChars * sizeof(wchar_t));
            return std::wstring(read.c_str());
        };
        HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
        const int columns = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : -1;
        ok = remote.valid() && columns >= 0;
        for (int column = 0; ok && column < columns; ++column) {
            HDITEMW item = {};
            item.mask = HDI_TEXT;
            item.pszText = reinterpret_cast<wchar_t*>(remote.at(textOffset));
            item.cchTextMax = kTextChars;
            ok = remote.Write(0, &item, sizeof item) &&
                 SendMessageW(header, HDM_GETITEMW, column, LPARAM(remote.at(0))) != 0;
            contents.titles.push_back(text());
            contents.widths.push_back(int(SendMessageW(listView, LVM_GETCOLUMNWIDTH, column, 0)));
        }
        const int rows = int(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; ok && row < rows; ++row) {
            std::vector<std::wstring> cells;
            for (int column = 0; ok && column < columns; ++column) {
                LVITEMW item = {};
                item.iSubItem = column;
                item.pszText = reinterpret_cast<wchar_t*>(remote.at(textOffset));
                item.cchTextMax = kTextChars;
                ok = remote.Write(0, &item, sizeof item);
                SendMessageW(listView, LVM_GETITEMTEXTW, row, LPARAM(remote.at(0)));
                cells.push_back(text());
            }
            contents.rows.push_back(cells);
        }
    }
    CloseHandle(process);
    return ok;
}

void SendClick(HWND window, int x, int y, DWORD downFlag, DWORD upFlag) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    // Wine passes the foreground on asynchronously; a click that arrives
    // before it may only activate the window.
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = downFlag;
    inputs[1].mi.dwFlags = upFlag;
    SendInput(2, inputs, sizeof(INPUT));
}

void PressKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[1].ki.wVk = key;
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }
}

bool PopupMenuOpen(DWORD processId) {
    return FindWindowOf(processId, IsPopupMenu) != nullptr;
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
