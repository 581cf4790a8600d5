#include "VolumeLineList.h"

#include <cstring>

namespace {

// MixerGetLine's probes: n = 4 speakers, 4104 wave, 4101 CD; 0 when absent.
struct Probe {
    int32_t n;
    const char* missing;
};
constexpr Probe kProbes[] = {{4, "Not Use Speaker"}, {4104, "Not Use Wav"}, {4101, "Not Use CD"}};

// A mixer has far fewer lines; this only ends a device that never says -1.
constexpr int32_t kMaxLines = 256;

std::string NameIn(const char (&buffer)[64]) {
    const void* end = std::memchr(buffer, '\0', sizeof buffer);
    return std::string(buffer, end ? static_cast<const char*>(end) - buffer : sizeof buffer);
}

} // namespace

std::vector<std::string> ListVolumeLines(MixerPlugin& mixer, WindowHandle window, int32_t device) {
    std::vector<std::string> lines;
    int32_t lastDestination = -1;
    for (int32_t n = 0; n < kMaxLines; ++n) {
        char name[64] = {};
        const int32_t kind = mixer.MixerGetLine(window, device, n, name);
        if (kind == kMixerLineEnd) break;
        if (kind < kMixerLineFirstSource) lastDestination = kind;
        if (kind == kMixerLineSpeakers ||
            (kind >= kMixerLineFirstSource && lastDestination == kMixerLineSpeakers))
            lines.push_back(NameIn(name));
    }
    for (const Probe& probe : kProbes) {
        char name[64] = {};
        if (mixer.MixerGetLine(window, device, probe.n, name) == 0) lines.push_back(probe.missing);
    }
    return lines;
}

VolumeLineCache::VolumeLineCache(MixerPlugin& mixer, WindowHandle window,
                                 const SettingsFields& settings)
    : mixer(mixer), window(window), settings(settings) {}

std::string VolumeLineCache::LineText(bool cd, int32_t index) const {
    const int32_t device = cd ? settings.CDOutDevice : settings.WaveOutDevice;
    auto list = lists.find(device);
    if (list == lists.end())
        list = lists.emplace(device, ListVolumeLines(mixer, window, device)).first;
    const std::vector<std::string>& lines = list->second;
    return index >= 0 && static_cast<size_t>(index) < lines.size()
               ? lines[static_cast<size_t>(index)]
               : std::string();
}
