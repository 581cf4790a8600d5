#include "FileReplace.h"

#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

enum class WriteOutcome { NotCreated, Incomplete, Complete };

// Creates or truncates path and puts bytes on the disk.
WriteOutcome WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return WriteOutcome::NotCreated;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        !FlushFileToDisk(file.get()) || std::fclose(file.release()) != 0)
        return WriteOutcome::Incomplete;
    return WriteOutcome::Complete;
}

} // namespace

bool WriteFileInOneStep(const std::string& path, const std::string& bytes) {
    const std::string temporaryPath = path + ".tmp";
    const WriteOutcome outcome = WriteWholeFile(temporaryPath, bytes);
    if (outcome == WriteOutcome::NotCreated) return false;
    if (outcome == WriteOutcome::Complete && ReplaceFileInOneStep(temporaryPath, path)) return true;
    std::remove(temporaryPath.c_str());
    return false;
}
