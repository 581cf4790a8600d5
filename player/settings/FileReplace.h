// The two steps that make a file replacement survive a crash: the new
// content reaches the disk before the old file is swapped for it, and the
// swap itself is a single operation, so the target is always either the
// complete old file or the complete new one.
#pragma once

#include <cstdio>
#include <string>

// Flushes the stream's buffers and asks the system to put the data on disk.
bool FlushFileToDisk(std::FILE* file);

// Moves source over target in one step. Fails, leaving both untouched, when
// the target is read-only, a folder, or the move is refused.
bool ReplaceFileInOneStep(const std::string& source, const std::string& target);

// Writes `bytes` to a temporary file beside `path` ("path.tmp") and replaces
// `path` with it in one step. On failure the target is untouched and the
// temporary file is gone.
bool WriteFileInOneStep(const std::string& path, const std::string& bytes);
