#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class FileAccess;

// The play list's record holds a path of at most this many bytes plus NUL.
constexpr size_t kMaxPathLength = 259;

// File kinds by extension.
enum FileKind : int32_t {
    kKindCDTrack = -3,
    kKindM3U = -2,
    kKindOther = -1,
    kKindWav = 0,
    kKindMp1 = 1, // also "mpg"
    kKindMp2 = 2,
    kKindMp3 = 3,
    kKindRmp = 4, // MPEG audio in a RIFF container
};

inline bool IsAudioKind(int32_t kind) {
    return kind >= kKindWav && kind <= kKindRmp;
}
inline bool IsMpegKind(int32_t kind) {
    return kind >= kKindMp1 && kind <= kKindMp3;
}

// The part behind the last backslash; the whole text if there is none.
std::string FileNameOf(std::string_view path);
// The file name's part behind its last ".", in lower case; empty without ".".
std::string ExtensionOf(std::string_view path);
// The path up to and including its last backslash; "c:\" if it has none.
std::string FolderOf(std::string_view path);
// The integer at the end of the file name (its text before the first "."),
// or -1 when its last character is no digit.
int32_t TrailingNumberOf(std::string_view path);
// The kind by the text behind the last "." (the whole name without one).
int32_t FileKindOf(std::string_view name);
// "X:\..." or "\\server\...".
bool IsAbsolutePath(std::string_view path);
// The path without a trailing backslash when it names an existing folder;
// otherwise the empty text.
std::string ExistingFolder(const FileAccess& files, std::string_view path);
