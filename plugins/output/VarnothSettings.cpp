#include "VarnothSettings.h"

#include <windows.h>

#include <vector>

namespace {

constexpr const char* kSection = "Varnoth";
constexpr const char* kDefaultFolder = "Recordings";

// The folder of this DLL, with a trailing backslash; empty when unknown.
std::string ModuleFolder() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&ReadSinkSettings), &module))
        return std::string();
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            std::string folder(path.data(), length);
            return folder.substr(0, folder.find_last_of("\\/") + 1);
        }
        if (path.size() >= 32768) return std::string();
        path.resize(path.size() * 2);
    }
}

std::string IniText(const std::string& ini, const char* key) {
    char text[MAX_PATH * 2] = {};
    GetPrivateProfileStringA(kSection, key, "", text, sizeof text, ini.c_str());
    return text;
}

// The environment's value when set, else `fallback`.
std::string Overridden(const char* variable, const std::string& fallback) {
    const DWORD length = GetEnvironmentVariableA(variable, nullptr, 0);
    if (length == 0) return fallback;
    std::vector<char> value(length);
    const DWORD copied = GetEnvironmentVariableA(variable, value.data(), length);
    if (copied == 0 || copied >= length) return fallback;
    return std::string(value.data(), copied);
}

} // namespace

SinkSettings ReadSinkSettings() {
    SinkSettings settings;
    const std::string base = ModuleFolder();
    const std::string ini = base + "Varnoth.ini";
    ParseSinkKind(Overridden("VARNOTH_SINK", IniText(ini, "Sink")), settings.sink);
    ParseDiskPace(Overridden("VARNOTH_DISK_PACE", IniText(ini, "DiskPace")), settings.pace);
    std::string folder = Overridden("VARNOTH_DISK_FOLDER", IniText(ini, "DiskFolder"));
    if (folder.empty()) folder = kDefaultFolder;
    settings.diskFolder = ResolveFolder(base, folder);
    return settings;
}
