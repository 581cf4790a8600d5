// The small file interface the tag readers and writers work on. Offsets are
// absolute; no call depends on a current file position, so a reader may be
// handed the input plug-in's own open file without disturbing anything but
// that position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class TagFile {
  public:
    virtual ~TagFile() = default;
    // Length in bytes, or -1 when it can't be found.
    virtual int64_t Size() = 0;
    // Reads up to `count` bytes at `offset`; returns the bytes read (fewer at
    // the end of the file, 0 on error).
    virtual size_t ReadAt(int64_t offset, void* buffer, size_t count) = 0;
    // Writes all `count` bytes at `offset`; false on any failure.
    virtual bool WriteAt(int64_t offset, const void* data, size_t count) = 0;
    // Makes the file exactly `size` bytes long.
    virtual bool Resize(int64_t size) = 0;
};

enum class TagFileAccess { ReadOnly, ReadWrite };

// Opens an existing file; others may read and write it meanwhile. Null on
// failure (missing file, no permission, read-only file for ReadWrite).
std::unique_ptr<TagFile> OpenTagFile(const char* fileName, TagFileAccess access);

// True when exactly `count` bytes were read at `offset`.
inline bool ReadExactAt(TagFile& file, int64_t offset, void* buffer, size_t count) {
    return offset >= 0 && file.ReadAt(offset, buffer, count) == count;
}
