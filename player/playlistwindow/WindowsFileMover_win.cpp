#include "WindowsFileMover.h"

#include <windows.h>

bool WindowsFileMover::Move(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}
