#include "SingleInstance.h"

#include <windows.h>

#include <cstdio>
#include <vector>

std::string HandoverListPath() {
    // GetWindowsDirectoryA reports the size it needs when the buffer is short.
    std::vector<char> buffer(MAX_PATH + 1);
    UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) return std::string();
    std::string path(buffer.data(), length);
    if (path.back() != '\\') path += '\\';
    return path + "quorel.m3u";
}

namespace {

// One line per argument, "%s\n" in text mode: CR LF line ends.
bool WriteHandoverList(const std::vector<std::string>& arguments) {
    std::string path = HandoverListPath();
    if (path.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    for (const std::string& argument : arguments)
        std::fprintf(file, "%s\n", argument.c_str());
    return std::fclose(file) == 0;
}

BOOL CALLBACK VisitTopLevelWindow(HWND window, LPARAM parameter) {
    if (!GetPropA(window, kMainWindowProperty)) return TRUE;
    const auto& arguments = *reinterpret_cast<const std::vector<std::string>*>(parameter);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (!arguments.empty() && WriteHandoverList(arguments))
        PostMessageA(window, kHandoverMessage, 0, 0);
    SetForegroundWindow(GetLastActivePopup(window));
    return FALSE;
}

} // namespace

void HandOverToFirstInstance(const std::vector<std::string>& arguments) {
    EnumWindows(VisitTopLevelWindow,
                reinterpret_cast<LPARAM>(const_cast<std::vector<std::string>*>(&arguments)));
}
