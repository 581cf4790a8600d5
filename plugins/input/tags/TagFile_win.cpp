// Win32 file access. Files are shared for reading and writing, so the player
// can read a file while its tags are written and the other way round.
#include "TagFile_win.h"

#include <windows.h>

namespace {

// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr size_t kMaxPiece = 0x40000000;

class Win32TagFile final : public TagFile {
  public:
    Win32TagFile(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {}
    ~Win32TagFile() override {
        if (owned_) CloseHandle(handle_);
    }
    Win32TagFile(const Win32TagFile&) = delete;
    Win32TagFile& operator=(const Win32TagFile&) = delete;

    int64_t Size() override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(handle_, &size)) return -1;
        return size.QuadPart;
    }

    size_t ReadAt(int64_t offset, void* buffer, size_t count) override {
        size_t done = 0;
        while (done < count) {
            DWORD piece = static_cast<DWORD>(count - done < kMaxPiece ? count - done : kMaxPiece);
            DWORD got = 0;
            if (!Seek(offset + static_cast<int64_t>(done)) ||
                !ReadFile(handle_, static_cast<char*>(buffer) + done, piece, &got, nullptr) ||
                got == 0)
                break;
            done += got;
        }
        return done;
    }

    bool WriteAt(int64_t offset, const void* data, size_t count) override {
        size_t done = 0;
        while (done < count) {
            DWORD piece = static_cast<DWORD>(count - done < kMaxPiece ? count - done : kMaxPiece);
            DWORD put = 0;
            if (!Seek(offset + static_cast<int64_t>(done)) ||
                !WriteFile(handle_, static_cast<const char*>(data) + done, piece, &put, nullptr) ||
                put == 0)
                return false;
            done += put;
        }
        return true;
    }

    bool Resize(int64_t size) override { return Seek(size) && SetEndOfFile(handle_) != 0; }

  private:
    bool Seek(int64_t offset) {
        LARGE_INTEGER to;
        to.QuadPart = offset;
        return SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != 0;
    }

    HANDLE handle_;
    bool owned_;
};

} // namespace

std::unique_ptr<TagFile> OpenTagFile(const char* fileName, TagFileAccess access) {
    if (fileName == nullptr) return nullptr;
    DWORD rights = GENERIC_READ | (access == TagFileAccess::ReadWrite ? GENERIC_WRITE : 0);
    // Not every implementation refuses to write a read-only file by itself
    // (Wine running as root does not).
    const DWORD attributes = GetFileAttributesA(fileName);
    if (access == TagFileAccess::ReadWrite && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return nullptr;
    HANDLE handle = CreateFileA(fileName, rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32TagFile>(handle, true);
}

std::unique_ptr<TagFile> BorrowTagFile(void* handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32TagFile>(static_cast<HANDLE>(handle), false);
}
