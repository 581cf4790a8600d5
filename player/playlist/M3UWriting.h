#pragma once

#include "FileAccess.h"
#include "InputItemDB.h"
#include "Messages.h"

#include <string>
#include <string_view>

// How an M3U file in `listFolder` ("C:\music\lists\", with its backslash)
// names `path`: relative ("..\a.mp3") when both are on the same drive,
// otherwise unchanged.
std::string RelativeM3UPath(std::string_view listFolder, std::string_view path);

// The text of an M3U file at `listPath` listing every item: "#M3U" and one
// path per line, lines ending CR LF.
std::string FormatM3U(const TInputItemDB& items, std::string_view listPath, bool relative);

// Writes the list to `listPath`; on failure shows the message and gives false.
bool SaveM3U(FileAccess& files, const std::string& listPath, const TInputItemDB& items,
             bool relative, const MessageSink& messages);
