#include "Harness.h"

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

HWND FindWindowOf(DWORD processId, bool (*accept)(HWND)) {
    WindowSearch search{processId, accept, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMainWindow(HWND window) {
    return GetPropA(window, "Quorel_MP3Player") != nullptr;
}

bool IsVisibleOfClass(HWND window, const char* wanted) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return IsWindowVisible(window) && std::string(className) == wanted;
}

bool IsMessageBox(HWND window) {
    return IsVisibleOfClass(window, "#32770");
}

bool IsPopupMenu(HWND window) {
    return IsVisibleOfClass(window, "#32768");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

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
