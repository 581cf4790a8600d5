// Replacement on POSIX systems, where rename() swaps files atomically.
#include "FileReplace.h"

#include <sys/stat.h>
#include <unistd.h>

bool FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

// Windows refuses to replace a file carrying the read-only attribute; rename()
// would not, and running as root it would even ignore the permissions. The
// owner's write bit plays the attribute's part so both systems agree.
static bool IsReadOnlyFile(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return false;
    return (status.st_mode & S_IWUSR) == 0;
}

bool ReplaceFileInOneStep(const std::string& source, const std::string& target) {
    if (IsReadOnlyFile(target)) return false;
    return std::rename(source.c_str(), target.c_str()) == 0;
}
