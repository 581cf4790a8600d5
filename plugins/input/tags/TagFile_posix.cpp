// Portable file access for native builds and tests.
#include "TagFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixTagFile final : public TagFile {
  public:
    explicit PosixTagFile(int fd) : fd_(fd) {}
    ~PosixTagFile() override { close(fd_); }
    PosixTagFile(const PosixTagFile&) = delete;
    PosixTagFile& operator=(const PosixTagFile&) = delete;

    int64_t Size() override {
        struct stat st {};
        if (fstat(fd_, &st) != 0) return -1;
        return static_cast<int64_t>(st.st_size);
    }

    size_t ReadAt(int64_t offset, void* buffer, size_t count) override {
        size_t done = 0;
        while (done < count) {
            ssize_t got = pread(fd_, static_cast<char*>(buffer) + done, count - done,
                                static_cast<off_t>(offset + static_cast<int64_t>(done)));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        return done;
    }

    bool WriteAt(int64_t offset, const void* data, size_t count) override {
        size_t done = 0;
        while (done < count) {
            ssize_t put = pwrite(fd_, static_cast<const char*>(data) + done, count - done,
                                 static_cast<off_t>(offset + static_cast<int64_t>(done)));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            done += static_cast<size_t>(put);
        }
        return true;
    }

    bool Resize(int64_t size) override { return ftruncate(fd_, static_cast<off_t>(size)) == 0; }

  private:
    int fd_;
};

} // namespace

std::unique_ptr<TagFile> OpenTagFile(const char* fileName, TagFileAccess access) {
    if (fileName == nullptr) return nullptr;
    int flags = (access == TagFileAccess::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    int fd = open(fileName, flags);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<PosixTagFile>(fd);
}
