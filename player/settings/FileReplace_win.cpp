// Replacement on Windows: rename() cannot overwrite there, MoveFileExA can.
#include "FileReplace.h"

#include <io.h>
#include <windows.h>

bool FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    const intptr_t handle = _get_osfhandle(_fileno(file));
    if (handle == -1) return false;
    return FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0;
}

bool ReplaceFileInOneStep(const std::string& source, const std::string& target) {
    // Not every implementation of the move refuses a read-only target by itself.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
