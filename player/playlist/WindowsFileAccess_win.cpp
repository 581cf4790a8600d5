#include "WindowsFileAccess.h"

#include "FileReplace.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Closes a file handle when it goes out of scope.
class HandleCloser {
  public:
    explicit HandleCloser(HANDLE handle) : handle_(handle) {}
    ~HandleCloser() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

  private:
    HANDLE handle_;
};

bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

bool WindowsFileAccess::ListFolder(const std::string& folderPrefix,
                                   std::vector<FolderEntry>& entries) const {
    entries.clear();
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folderPrefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty drive root has no "." entry to find.
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        if (IsDotEntry(found.cFileName)) continue;
        entries.push_back(
            {found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool WindowsFileAccess::IsFolder(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WindowsFileAccess::FolderIdentity(const std::string& folderPrefix,
                                       std::string& identity) const {
    // Backup semantics let CreateFileA open a folder; the volume serial and
    // file index name it whichever link or junction led there.
    const HANDLE folder =
        CreateFileA(folderPrefix.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    HandleCloser closer(folder);
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(folder, &information)) return false;
    char text[40];
    std::snprintf(text, sizeof text, "%08lx:%08lx%08lx",
                  static_cast<unsigned long>(information.dwVolumeSerialNumber),
                  static_cast<unsigned long>(information.nFileIndexHigh),
                  static_cast<unsigned long>(information.nFileIndexLow));
    identity = text;
    return true;
}

bool WindowsFileAccess::ReadFile(const std::string& path, size_t maxBytes,
                                 std::string& bytes) const {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    HandleCloser closer(file);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return false;
    }
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file, &bytes[done], wanted, &read, nullptr)) return false;
        if (read == 0) break; // the file shrank meanwhile
        done += read;
    }
    bytes.resize(done);
    return true;
}

// A failed write must not cost the old file: the new one replaces it whole.
bool WindowsFileAccess::WriteFile(const std::string& path, const std::string& bytes) {
    return WriteFileInOneStep(path, bytes);
}
