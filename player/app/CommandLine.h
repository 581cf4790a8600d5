// The command line's names as the user meant them.
#pragma once

#include <string>
#include <vector>

// Arguments 1 ... argc - 1, each made absolute against the current
// directory: call before the program moves to its own folder, so that
// "Quorel song.mp3" typed in the music folder names that folder's file.
std::vector<std::string> AbsoluteArguments(int argc, char** argv);
