#include "VolumeLineList.h"

#include <gtest/gtest.h>

#include "ScriptedMixer.h"

namespace {

TEST(VolumeLineList, SpeakersAndTheirSourcesOnly) {
    ScriptedMixer mixer;
    mixer.lines = {{4, "Speakers"},
                   {0x1008, "Wave"},
                   {0x1005, "CD"}, // speakers and sources
                   {7, "Recording"},
                   {0x1003, "Microphone"}}; // another destination
    // Five lines: n = 4 is line 4 during the walk and a present line for the
    // speakers probe after it.
    mixer.probes = {{4104, 4104}, {4101, 4101}};
    EXPECT_EQ(ListVolumeLines(mixer, nullptr, 0),
              (std::vector<std::string>{"Speakers", "Wave", "CD"}));
}

TEST(VolumeLineList, MissingLinesAreNamedAfterTheList) {
    ScriptedMixer mixer;
    mixer.lines = {{4, "Master"}, {0x1008, "Wave"}};
    mixer.probes = {{4104, 4104}, {4101, 0}};
    EXPECT_EQ(ListVolumeLines(mixer, nullptr, 0),
              (std::vector<std::string>{"Master", "Wave", "Not Use CD"}));

    ScriptedMixer empty;
    empty.probes = {{4, 0}, {4104, 0}, {4101, 0}};
    EXPECT_EQ(ListVolumeLines(empty, nullptr, 0),
              (std::vector<std::string>{"Not Use Speaker", "Not Use Wav", "Not Use CD"}));
}

TEST(VolumeLineList, ANameWithoutNulAndAnEndlessDeviceStaySafe) {
    ScriptedMixer mixer;
    mixer.lines.assign(1000, {4, std::string(80, 'x')});
    mixer.probes = {{4104, 1}, {4101, 1}};
    const auto lines = ListVolumeLines(mixer, nullptr, 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_LE(lines.front().size(), 63u);
    EXPECT_LT(lines.size(), 1000u);
}

TEST(VolumeLineList, TheCacheListsEachDeviceOnceAndFollowsTheSettings) {
    ScriptedMixer mixer;
    mixer.lines = {{4, "Master"}, {0x1008, "Wave"}};
    mixer.probes = {{4104, 4104}, {4101, 0}};
    SettingsFields settings;
    settings.WaveOutDevice = 0;
    settings.CDOutDevice = 1;
    VolumeLineCache cache(mixer, nullptr, settings);
    for (int drag = 0; drag < 50; ++drag)
        EXPECT_EQ(cache.LineText(false, 1), "Wave");
    const int wavePasses = mixer.lineCalls[0];
    EXPECT_LE(wavePasses, 6) << "one listing: three lines and three probes";
    EXPECT_EQ(cache.LineText(true, 2), "Not Use CD");
    EXPECT_EQ(mixer.lineCalls[1], wavePasses) << "the CD device is listed once, on its own";
    EXPECT_EQ(cache.LineText(false, 3), "");
    EXPECT_EQ(cache.LineText(false, -1), "");
    settings.WaveOutDevice = 1; // the settings dialog chose another device
    EXPECT_EQ(cache.LineText(false, 0), "Master");
    EXPECT_EQ(mixer.lineCalls[1], wavePasses);
}

} // namespace
