// Path text helpers for Windows paths, usable on any platform.
#pragma once

#include <string>

// `folder` and `name` joined by one backslash.
inline std::string JoinWindowsPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + '\\' + name;
}

// The folder part of a file path: everything before the last backslash.
inline std::string FolderOfPath(const std::string& path) {
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
