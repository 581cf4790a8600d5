// The host's volume (0 ... 100 per channel) in the units of the devices.
#pragma once

#include <cstdint>

// waveOutSetVolume's value: left in the low word, right in the high word,
// 0xFFFF full volume. Values outside 0 ... 100 are clamped.
uint32_t WaveOutVolume(int32_t left, int32_t right);

// DirectSound's volume and pan, in hundredths of a decibel: the volume is the
// attenuation of the louder channel (0 full, -10000 silent), the pan
// attenuates the quieter one (negative pans attenuate the right channel).
struct DirectSoundLevel {
    int32_t volume;
    int32_t pan;
};
DirectSoundLevel DirectSoundVolume(int32_t left, int32_t right);
