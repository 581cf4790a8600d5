#include "VolumeScale.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeScale, WaveOutPutsLeftLowAndRightHigh) {
    EXPECT_EQ(WaveOutVolume(100, 100), 0xFFFFFFFFu);
    EXPECT_EQ(WaveOutVolume(0, 0), 0u);
    EXPECT_EQ(WaveOutVolume(100, 0), 0x0000FFFFu);
    EXPECT_EQ(WaveOutVolume(0, 100), 0xFFFF0000u);
    EXPECT_EQ(WaveOutVolume(50, 40), (26214u << 16) | 32767u);
}

TEST(VolumeScale, WaveOutClampsOutOfRangeValues) {
    EXPECT_EQ(WaveOutVolume(-5, 250), 0xFFFF0000u);
}

TEST(VolumeScale, DirectSoundFullIsZeroAndSilenceIsMinus10000) {
    EXPECT_EQ(DirectSoundVolume(100, 100).volume, 0);
    EXPECT_EQ(DirectSoundVolume(100, 100).pan, 0);
    EXPECT_EQ(DirectSoundVolume(0, 0).volume, -10000);
    EXPECT_EQ(DirectSoundVolume(0, 0).pan, 0);
}

TEST(VolumeScale, DirectSoundHalfAmplitudeIsAboutMinusSixDecibels) {
    EXPECT_EQ(DirectSoundVolume(50, 50).volume, -602);
    EXPECT_EQ(DirectSoundVolume(10, 10).volume, -2000);
}

TEST(VolumeScale, DirectSoundPanAttenuatesTheQuieterSide) {
    // Negative pans quieten the right channel.
    const DirectSoundLevel leftOnly = DirectSoundVolume(100, 0);
    EXPECT_EQ(leftOnly.volume, 0);
    EXPECT_EQ(leftOnly.pan, -10000);
    const DirectSoundLevel rightHalf = DirectSoundVolume(100, 50);
    EXPECT_EQ(rightHalf.pan, -602);
    const DirectSoundLevel leftHalf = DirectSoundVolume(25, 50);
    EXPECT_EQ(leftHalf.volume, -602);
    EXPECT_EQ(leftHalf.pan, 602);
}

} // namespace
