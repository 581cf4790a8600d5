#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The largest M3U file read: far beyond any real list, small enough to hold.
constexpr size_t kMaxListFileBytes = 64u << 20;

// The lines of an M3U file that name entries: line ends LF or CR LF, text
// after a NUL ignored; comment ("#"), blank and over-long lines left out
// (a line too long for a play list path is dropped whole rather than cut
// into names of other files).
std::vector<std::string_view> M3UEntryLines(std::string_view contents);

// The path an entry line stands for in a list whose folder is `base` (no
// trailing backslash): absolute lines as they are, relative ones after the
// base with leading "." and ".." segments applied. Nothing when the result
// would not fit a play list path.
std::optional<std::string> ResolveM3ULine(std::string_view base, std::string_view line);
