// Renaming files on Windows: MoveFileA, which never replaces an existing file.
#pragma once

#include "TagEditing.h"

class WindowsFileMover : public FileMover {
  public:
    bool Move(const std::string& from, const std::string& to) override;
};
