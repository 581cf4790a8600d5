#include "ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "PathNames.h"

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
    // The folder with its trailing backslash, so that "C:\" stays the root.
    const std::string folder = FolderOf(ProgramFilePath());
    SetCurrentDirectoryA(folder.c_str());
    defaultSettingsPath = folder + "Quorel.ini";
}

const std::string& DefaultSettingsPath() {
    return defaultSettingsPath;
}
