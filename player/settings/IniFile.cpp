#include "IniFile.h"

#include "FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The C library takes the path up to its first NUL: such a path would name
// another file than the one meant.
bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

// Reads at most limit + 1 bytes so an oversized file shows itself without
// being read whole.
bool ReadAtMost(std::FILE* file, size_t limit, std::string& bytes) {
    char buffer[16384];
    for (;;) {
        const size_t count = std::fread(buffer, 1, sizeof buffer, file);
        bytes.append(buffer, count);
        if (bytes.size() > limit) return false;
        if (count < sizeof buffer) return std::ferror(file) == 0;
    }
}

} // namespace

IniFileContent ReadIniFile(const std::string& path) {
    IniFileContent content;
    if (!IsUsablePath(path)) {
        content.state = IniFileState::Unreadable;
        return content;
    }
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        content.state = errno == ENOENT ? IniFileState::Missing : IniFileState::Unreadable;
        return content;
    }
    std::string bytes;
    if (!ReadAtMost(file.get(), kMaxIniFileBytes, bytes)) {
        content.state = IniFileState::Unreadable;
        return content;
    }
    content.state = IniFileState::Read;
    content.document = IniDocument(bytes);
    return content;
}

bool WriteIniFile(const std::string& path, const IniDocument& document) {
    if (!IsUsablePath(path)) return false;
    // A file this program could not read back is never written.
    const std::string bytes = document.ToBytes();
    if (bytes.size() > kMaxIniFileBytes) return false;
    return WriteFileInOneStep(path, bytes);
}
