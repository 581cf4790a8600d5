// Keldrin against Wine's mixer devices (the ALSA device gives two: "Out"
// with a speakers destination fed by a wave-out source, and "In").
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>
#include <vector>

#include "Harness.h"
#include "MixerPlugin.h"

namespace {

MixerPlugin* LoadKeldrin() {
    HMODULE module = LoadLibraryA((harness::BuiltTreeFolder() + "\\Plugin\\Keldrin.dll").c_str());
    if (!module) return nullptr;
    auto factory = reinterpret_cast<GetMixerInstanceFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "_GetInstance")));
    return factory ? factory() : nullptr;
}

// The callback window MixerOpen is given.
LRESULT CALLBACK IgnoreMessages(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

HWND MakeWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = IgnoreMessages;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "KeldrinTestWindow";
    RegisterClassA(&type);
    return CreateWindowA("KeldrinTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, type.hInstance,
                         nullptr);
}

struct Line {
    int32_t kind;
    std::string name;
};

std::vector<Line> Lines(MixerPlugin* mixer, HWND window, int32_t device) {
    std::vector<Line> lines;
    for (int32_t n = 0; n < 100; ++n) {
        char name[64];
        std::memset(name, 'x', sizeof name);
        const int32_t kind = mixer->MixerGetLine(window, device, n, name);
        if (kind == kMixerLineEnd) break;
        EXPECT_NE(std::memchr(name, 0, sizeof name), nullptr) << "line name not terminated";
        lines.push_back({kind, name});
    }
    return lines;
}

class KeldrinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mixer = LoadKeldrin();
        ASSERT_NE(mixer, nullptr);
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (mixer) mixer->MixerClose();
        DestroyWindow(window);
    }

    MixerPlugin* mixer = nullptr;
    HWND window = nullptr;
};

TEST_F(KeldrinTest, ListsTheSystemsMixerDevices) {
    const int32_t count = mixer->MixerGetDeviceCount();
    EXPECT_EQ(count, static_cast<int32_t>(mixerGetNumDevs()));
    ASSERT_GE(count, 1);
    for (int32_t i = 0; i < count; ++i) {
        char name[64];
        std::memset(name, 'x', sizeof name);
        ASSERT_TRUE(mixer->MixerGetDeviceName(i, name));
        MIXERCAPSA caps{};
        ASSERT_EQ(mixerGetDevCapsA(static_cast<UINT>(i), &caps, sizeof caps), MMSYSERR_NOERROR);
        EXPECT_EQ(std::string(name), std::string(caps.szPname));
    }
    char name[64];
    EXPECT_FALSE(mixer->MixerGetDeviceName(count, name));
    EXPECT_FALSE(mixer->MixerGetDeviceName(-1, name));
}

TEST_F(KeldrinTest, LinesOfTheOutputDeviceStartWithTheSpeakers) {
    const std::vector<Line> lines = Lines(mixer, window, 0);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].kind, kMixerLineSpeakers);
    EXPECT_FALSE(lines[0].name.empty());
    // The speakers' sources follow, the wave output among them.
    bool wave = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].kind < kMixerLineFirstSource) break;
        wave = wave || lines[i].kind == 0x1008;
    }
    EXPECT_TRUE(wave);
    // Each line as the mixer API names it.
    MIXERLINEA destination{};
    destination.cbStruct = sizeof destination;
    ASSERT_EQ(mixerGetLineInfoA(nullptr, &destination,
                                MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_DESTINATION),
              MMSYSERR_NOERROR);
    EXPECT_EQ(lines[0].name, destination.szName);
}

TEST_F(KeldrinTest, ListEndsWithMinusOneAndBadArgumentsToo) {
    const std::vector<Line> lines = Lines(mixer, window, 0);
    char name[64];
    const int32_t count = static_cast<int32_t>(lines.size());
    EXPECT_EQ(mixer->MixerGetLine(window, 0, count, name), kMixerLineEnd);
    EXPECT_EQ(mixer->MixerGetLine(window, 0, -1, name), kMixerLineEnd);
    EXPECT_EQ(mixer->MixerGetLine(window, 0, count + 20, name), kMixerLineEnd);
    EXPECT_EQ(mixer->MixerGetLine(window, mixer->MixerGetDeviceCount(), 0, name), kMixerLineEnd);
    EXPECT_EQ(mixer->MixerGetLine(window, 0, 0, nullptr), kMixerLineEnd);
}

TEST_F(KeldrinTest, ProbesTellWhichLinesExist) {
    char name[64];
    ASSERT_LT(Lines(mixer, window, 0).size(), 4u) << "Wine's output device has few lines";
    EXPECT_EQ(mixer->MixerGetLine(window, 0, 4, name), 4) << "speakers";
    EXPECT_EQ(mixer->MixerGetLine(window, 0, 4104, name), 4104) << "wave output";
    EXPECT_EQ(mixer->MixerGetLine(window, 0, 4101, name), 0) << "no compact disc line";
    // The input device has no speakers.
    EXPECT_EQ(mixer->MixerGetLine(window, 1, 4, name), 0);
}

TEST_F(KeldrinTest, FindsTheVolumeControlByTheListedName) {
    ASSERT_EQ(mixer->MixerOpen(window, 0), 1);
    const std::vector<Line> lines = Lines(mixer, window, 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(mixer->MixerFindVolumeControl(lines[0].name.c_str()), 0u);
    EXPECT_EQ(mixer->MixerFindVolumeControl("Not Use Speaker"), 0u);
    EXPECT_EQ(mixer->MixerFindVolumeControl(""), 0u);
    EXPECT_EQ(mixer->MixerFindVolumeControl(nullptr), 0u);
}

TEST_F(KeldrinTest, ValueSetIsReadBack) {
    ASSERT_EQ(mixer->MixerOpen(window, 0), 1);
    const std::string lineName = Lines(mixer, window, 0).at(0).name;
    const uint32_t control = mixer->MixerFindVolumeControl(lineName.c_str());
    ASSERT_NE(control, 0u);

    // As the host sets it: value = right << 16 | left, here both 30 %.
    const uint32_t level = 30 * 65535 / 100;
    ASSERT_EQ(mixer->MixerSetControlValue(control, 1, level << 16 | level), 1);
    // The host asks with the system's id, as MM_MIXM_CONTROL_CHANGE brings it.
    FaderInfo* fader = mixer->MixerGetControl(control - 1);
    ASSERT_NE(fader, nullptr);
    EXPECT_EQ(fader->controlType, kVolumeFaderType);
    EXPECT_EQ(std::string(fader->name), lineName) << "the host compares it with the line text";
    EXPECT_EQ(mixer->MixerGetControlValue(fader, 1) >> 16, level);
    // Through the mixer API itself.
    MIXERCONTROLDETAILS_UNSIGNED value{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = fader->controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    ASSERT_EQ(mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(0), &details,
                                      MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE),
              MMSYSERR_NOERROR);
    EXPECT_EQ(value.dwValue,
              static_cast<DWORD>(fader->minimum) +
                  (static_cast<DWORD>(fader->maximum - fader->minimum) * level + 32767) / 65535);

    const uint32_t full = 65535;
    ASSERT_EQ(mixer->MixerSetControlValue(control, 1, full << 16 | full), 1);
    EXPECT_EQ(mixer->MixerGetControlValue(fader, 1) >> 16, full);
}

TEST_F(KeldrinTest, UniformControlTakesTheLouderSide) {
    ASSERT_EQ(mixer->MixerOpen(window, 0), 1);
    const std::string lineName = Lines(mixer, window, 0).at(0).name;
    const uint32_t control = mixer->MixerFindVolumeControl(lineName.c_str());
    ASSERT_NE(control, 0u);
    ASSERT_EQ(mixer->MixerSetControlValue(control, 1, 0x40000000u | 0xC000u), 1);
    FaderInfo* fader = mixer->MixerGetControl(control - 1);
    ASSERT_NE(fader, nullptr);
    // Wine's volume fader sets both channels at once.
    ASSERT_EQ(fader->channels, 1u);
    EXPECT_EQ(mixer->MixerGetControlValue(fader, 1), 0xC000C000u);
    ASSERT_EQ(mixer->MixerSetControlValue(control, 1, 0xFFFFFFFFu), 1);
}

TEST_F(KeldrinTest, NothingWorksWithoutAnOpenDevice) {
    EXPECT_EQ(mixer->MixerClose(), 0);
    const std::string lineName = Lines(mixer, window, 0).at(0).name;
    EXPECT_EQ(mixer->MixerFindVolumeControl(lineName.c_str()), 0u);
    EXPECT_EQ(mixer->MixerSetControlValue(1, 1, 0xFFFFFFFFu), 0);
    EXPECT_EQ(mixer->MixerGetControl(0), nullptr);
    EXPECT_EQ(mixer->MixerGetControlValue(nullptr, 1), 0u);
    EXPECT_EQ(mixer->MixerOpen(window, mixer->MixerGetDeviceCount()), 0);
    EXPECT_EQ(mixer->MixerOpen(window, -1), 0);
}

TEST_F(KeldrinTest, UnknownControlsAreRefused) {
    ASSERT_EQ(mixer->MixerOpen(window, 0), 1);
    EXPECT_EQ(mixer->MixerGetControl(0x7FFF0000u), nullptr);
    EXPECT_EQ(mixer->MixerSetControlValue(0, 1, 0), 0);
    EXPECT_EQ(mixer->MixerSetControlValue(0x7FFF0000u, 1, 0), 0);
    EXPECT_EQ(mixer->MixerClose(), 1);
}

TEST_F(KeldrinTest, VersionIsAShortTerminatedText) {
    char version[8];
    std::memset(version, 'x', sizeof version);
    EXPECT_EQ(mixer->MixerGetVersion(version), 1);
    EXPECT_LE(strnlen(version, sizeof version), 7u);
    EXPECT_GT(strnlen(version, sizeof version), 0u);
}

} // namespace
