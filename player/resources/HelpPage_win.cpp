#include "HelpPage.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kHelpMissingMessage[] = L"ヘルプファイルが見つかりません。";

// The page sits beside the program, whatever the current directory.
std::string HelpPagePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    std::string path(buffer.data());
    const std::string::size_type slash = path.find_last_of('\\');
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "help\\index.html";
}

} // namespace

bool OpenHelpPage(HWND owner) {
    const std::string page = HelpPagePath();
    const DWORD attributes =
        page.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(page.c_str());
    const bool exists =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    // ShellExecute answers above 32 when it started something.
    if (exists && reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", page.c_str(), nullptr,
                                                          nullptr, SW_SHOWNORMAL)) > 32)
        return true;
    MessageBoxW(owner, kHelpMissingMessage, nullptr, MB_OK | MB_ICONWARNING);
    return false;
}
