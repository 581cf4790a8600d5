// Settings files on disk: read whole, changed in memory, written back whole
// through a temporary file in the same folder that then replaces the old
// one, so a crash or power loss never leaves a truncated file behind.
#pragma once

#include "IniDocument.h"

#include <cstddef>
#include <string>

// A settings file is a few kilobytes; anything this large is not one.
constexpr size_t kMaxIniFileBytes = 4 * 1024 * 1024;

enum class IniFileState {
    Read,      // the file was read
    Missing,   // no such file (or folder): an empty document
    Unreadable // it exists but cannot be read or is too large: an empty document
};

struct IniFileContent {
    IniFileState state = IniFileState::Missing;
    IniDocument document;
};

IniFileContent ReadIniFile(const std::string& path);

// Writes the document in place of the file at path. On failure (including a
// document larger than kMaxIniFileBytes) the old file is left exactly as it
// was and no temporary file remains.
bool WriteIniFile(const std::string& path, const IniDocument& document);

// Reads the file (a missing one counts as empty), lets edit change the
// document and writes it back. A file that exists but cannot be read is
// never overwritten, and nothing is written when edit returns false.
template <typename Edit> bool UpdateIniFile(const std::string& path, Edit&& edit) {
    IniFileContent content = ReadIniFile(path);
    if (content.state == IniFileState::Unreadable) return false;
    if (!edit(content.document)) return false;
    return WriteIniFile(path, content.document);
}
