// The MCI "cdaudio" device and the system's CD-ROM drives, for TAudioCD.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MciChannel.h"

std::unique_ptr<MciChannel> MakeWinMciChannel();

// Roots ("D:\") of the drives whose type is CD-ROM, in the system's order.
std::vector<std::string> ListCdRomRoots();
