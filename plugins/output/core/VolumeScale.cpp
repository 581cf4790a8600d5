#include "VolumeScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kSilentCentibels = -10000;

int32_t Clamp100(int32_t value) {
    return std::clamp(value, 0, 100);
}

// Amplitude ratio as attenuation in hundredths of a decibel.
int32_t Centibels(double ratio) {
    if (ratio <= 0.0) return kSilentCentibels;
    const double level = 2000.0 * std::log10(ratio);
    return std::max(kSilentCentibels, static_cast<int32_t>(std::lround(level)));
}

} // namespace

uint32_t WaveOutVolume(int32_t left, int32_t right) {
    const uint32_t l = static_cast<uint32_t>(Clamp100(left)) * 0xFFFF / 100;
    const uint32_t r = static_cast<uint32_t>(Clamp100(right)) * 0xFFFF / 100;
    return r << 16 | l;
}

DirectSoundLevel DirectSoundVolume(int32_t left, int32_t right) {
    const int32_t l = Clamp100(left);
    const int32_t r = Clamp100(right);
    const int32_t loud = std::max(l, r);
    if (loud == 0) return {kSilentCentibels, 0};
    DirectSoundLevel level{Centibels(loud / 100.0), 0};
    if (l > r) level.pan = Centibels(static_cast<double>(r) / l);
    if (r > l) level.pan = -Centibels(static_cast<double>(l) / r);
    return level;
}
