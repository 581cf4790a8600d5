#pragma once

#include <string>

// Makes the folder of the program file the current directory and records
// the default settings path, the program's folder + "\Quorel.ini".
void EnterProgramFolder();

// Valid after EnterProgramFolder.
const std::string& DefaultSettingsPath();
