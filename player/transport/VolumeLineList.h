// The volume lines of a mixer device as the settings list them: the
// speakers line and the sources below it, then a "Not Use ..." entry for
// each of the speakers, wave and CD lines the device lacks. WaveOutVolume
// and CDOutVolume index this list; its texts name the lines to the mixer.
#pragma once

#include <string>
#include <vector>

#include "MixerPlugin.h"

std::vector<std::string> ListVolumeLines(MixerPlugin& mixer, WindowHandle window, int32_t device);
