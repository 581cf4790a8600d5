// The text of the "MPEG INFO" box for an item's stream information.
#pragma once

#include <string>

#include "InputFileInfo.h"

std::string MpegInfoText(const InputFileInfo& info);
