#include "OpenDialogSelection.h"

std::vector<std::wstring> SplitOpenDialogSelection(const std::wstring& buffer) {
    std::vector<std::wstring> parts;
    size_t at = 0;
    while (at < buffer.size() && buffer[at] != L'\0') {
        size_t end = buffer.find(L'\0', at);
        if (end == std::wstring::npos) end = buffer.size();
        parts.push_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    if (parts.size() < 2) return parts;
    // A root folder ("C:\") comes with its backslash, any other without.
    std::wstring folder = parts.front();
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t index = 1; index < parts.size(); ++index)
        paths.push_back(folder + parts[index]);
    return paths;
}
