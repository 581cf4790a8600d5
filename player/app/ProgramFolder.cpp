#include "ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "WindowsPath.h"

namespace {

std::string defaultSettingsPath;

std::string ProgramFilePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

void EnterProgramFolder() {
    const std::string folder = FolderOfPath(ProgramFilePath());
    if (!folder.empty()) {
        // "C:" alone would name the drive's current directory, not its root.
        const std::string directory = folder.back() == ':' ? folder + '\\' : folder;
        SetCurrentDirectoryA(directory.c_str());
    }
    defaultSettingsPath = JoinWindowsPath(folder, "Quorel.ini");
}

const std::string& DefaultSettingsPath() {
    return defaultSettingsPath;
}
