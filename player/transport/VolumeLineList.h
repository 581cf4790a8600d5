// The volume lines of a mixer device as the settings list them: the
// speakers line and the sources below it, then a "Not Use ..." entry for
// each of the speakers, wave and CD lines the device lacks. WaveOutVolume
// and CDOutVolume index this list; its texts name the lines to the mixer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "MixerPlugin.h"
#include "SettingsFields.h"

std::vector<std::string> ListVolumeLines(MixerPlugin& mixer, WindowHandle window, int32_t device);

// The lines of the settings' volume lists: the mixer's line names in the
// order of the settings dialog's list.
class VolumeLines {
  public:
    virtual ~VolumeLines() = default;
    // Text of entry `index` of the wave (cd false) or CD list; empty if none.
    virtual std::string LineText(bool cd, int32_t index) const = 0;
};

// The volume lists of the devices the settings name (WaveOutDevice,
// CDOutDevice), each listed from the mixer once: a volume drag asks at
// every pixel, and every change notice asks too.
class VolumeLineCache : public VolumeLines {
  public:
    // All three are borrowed and outlive the cache.
    VolumeLineCache(MixerPlugin& mixer, WindowHandle window, const SettingsFields& settings);
    std::string LineText(bool cd, int32_t index) const override;

  private:
    MixerPlugin& mixer;
    WindowHandle window;
    const SettingsFields& settings;
    mutable std::map<int32_t, std::vector<std::string>> lists; // by device
};
