#include "TagWriters.h"

#include "Id3v1.h"
#include "Lyrics3.h"
#include "RiffInfo.h"
#include "TagFile.h"

#include <exception>

namespace {

int32_t tagsWriteFile(const char* fileName, const TagRecord* tag,
                      bool (*write)(TagFile&, const TagRecord&)) {
    if (fileName == nullptr || tag == nullptr) return 0;
    try {
        std::unique_ptr<TagFile> file = OpenTagFile(fileName, TagFileAccess::ReadWrite);
        return file && write(*file, *tag) ? 1 : 0;
    } catch (const std::exception&) {
        return 0; // out of memory: nothing was written
    }
}

} // namespace

int32_t WriteId3v1Tag(const char* fileName, const TagRecord* tag) {
    return tagsWriteFile(fileName, tag, WriteId3v1);
}

int32_t WriteRiffInfoTag(const char* fileName, const TagRecord* tag) {
    return tagsWriteFile(fileName, tag, WriteRiffInfo);
}

int32_t WriteLyrics3Tag(const char* fileName, const TagRecord* tag) {
    return tagsWriteFile(fileName, tag, WriteLyrics3);
}
