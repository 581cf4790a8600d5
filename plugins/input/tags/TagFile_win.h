#pragma once

#include "TagFile.h"

// Lends an already open Win32 file handle (HANDLE) to the tag readers; the
// handle stays open and owned by the caller.
std::unique_ptr<TagFile> BorrowTagFile(void* handle);
