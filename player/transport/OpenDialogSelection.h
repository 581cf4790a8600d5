// What an open dialog with multiple selection returns: one full path, or the
// folder followed by the chosen names, each ended by a NUL, the whole ended
// by an empty string.
#pragma once

#include <string>
#include <vector>

// The full paths in the dialog's order; empty for an empty buffer.
std::vector<std::wstring> SplitOpenDialogSelection(const std::wstring& buffer);
