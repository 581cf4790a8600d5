// What every tag reader must leave behind, whatever the file held: texts that
// end inside their fields, and an audio span inside the file.
#pragma once

#include "AudioSpan.h"
#include "InputFileInfo.h"

#include <cstring>

inline void FuzzCheck(bool condition) {
    if (!condition) __builtin_trap();
}

inline void FuzzCheckText(const char* field, size_t size) {
    size_t length = strnlen(field, size);
    FuzzCheck(length < size);
}

// `lowestGenre` is -1 where "no genre" is allowed.
inline void FuzzCheckRecord(const TagRecord& tag, int32_t lowestGenre = 0) {
    FuzzCheckText(tag.title, sizeof tag.title);
    FuzzCheckText(tag.artist, sizeof tag.artist);
    FuzzCheckText(tag.album, sizeof tag.album);
    FuzzCheckText(tag.year, sizeof tag.year);
    FuzzCheckText(tag.comment, sizeof tag.comment);
    FuzzCheck(tag.genre >= lowestGenre && tag.genre <= 255);
}

inline void FuzzCheckSpan(const AudioSpan& span, int64_t fileSize) {
    FuzzCheck(span.dataOffset >= 0 && span.dataOffset <= fileSize);
    FuzzCheck(span.audioSize >= 0 && span.dataOffset + span.audioSize <= fileSize);
}

inline TagRecord FuzzEmptyRecord() {
    TagRecord tag;
    std::memset(&tag, 0, sizeof tag);
    return tag;
}
