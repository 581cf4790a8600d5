#include "VolumeLineList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <utility>

namespace {

// A mixer whose lines are a scripted list of (kind, name); probes answer
// from a table.
class ScriptedMixer : public MixerPlugin {
  public:
    int32_t MixerGetDeviceCount() override { return 1; }
    bool MixerGetDeviceName(int32_t, char*) override { return false; }
    int32_t MixerOpen(WindowHandle, int32_t) override { return 1; }
    int32_t MixerClose() override { return 1; }
    int32_t MixerReserved4() override { return 0; }
    int32_t MixerReserved5() override { return 0; }
    int32_t MixerReserved6() override { return 0; }
    int32_t MixerReserved7() override { return 0; }
    int32_t MixerReserved8() override { return 0; }
    int32_t MixerReserved9() override { return 0; }
    FaderInfo* MixerGetControl(uint32_t) override { return nullptr; }
    uint32_t MixerFindVolumeControl(const char*) override { return 0; }
    int32_t MixerSetControlValue(uint32_t, int32_t, uint32_t) override { return 0; }
    uint32_t MixerGetControlValue(const FaderInfo*, int32_t) override { return 0; }
    int32_t MixerGetLine(WindowHandle, int32_t, int32_t n, char* buffer64) override {
        if (probes.count(n)) return probes[n];
        if (n < 0 || n >= static_cast<int32_t>(lines.size())) return kMixerLineEnd;
        std::strncpy(buffer64, lines[n].second.c_str(), 63);
        return lines[n].first;
    }
    int32_t MixerGetVersion(char*) override { return 0; }

    std::vector<std::pair<int32_t, std::string>> lines;
    std::map<int32_t, int32_t> probes;
};

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

} // namespace
