// The settings dialog's rules: every field shown and applied back, the rules
// around Apply, its effects on the program in order, and other settings files
// saved and loaded.
#include "SettingsDialogModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ScriptedMixer.h"
#include "TemporaryFolder.h"

namespace {

// Records what Apply asks of the program, in order.
struct RecordingProgram : SettingsProgram {
    int32_t state = 0;
    std::vector<std::string> calls;
    std::vector<SettingsMessage> messages;
    FileTypeOptions options;
    SettingsFields handed;

    int32_t PlayState() const override { return state; }
    bool SkinActive() const override { return false; }
    void Show(SettingsMessage message) {
        messages.push_back(message);
        calls.push_back("message");
    }
    std::function<void(SettingsMessage)> Shower() {
        return [this](SettingsMessage message) { Show(message); };
    }
    void SetMenuPlayList(bool on) override { calls.push_back(on ? "menu on" : "menu off"); }
    void RepaintPanel() override { calls.push_back("repaint"); }
    void HandToPlayListWindow(const SettingsFields& fields) override {
        handed = fields;
        calls.push_back("hand");
    }
    void SetFileOpenOptions(const FileTypeOptions& given) override {
        options = given;
        calls.push_back("options");
    }
    void PostToPlayListWindow(int32_t command) override {
        calls.push_back("post " + std::to_string(command));
    }
    void SetTrayIcon(bool on) override { calls.push_back(on ? "tray on" : "tray off"); }
};

// A mixer of three devices whose volume lists hold 4, 6 and 2 lines.
SettingsShowContext ThreeDevices() {
    SettingsShowContext context;
    context.mixer = true;
    context.deviceCount = 3;
    context.volumeCount = [](int32_t device) { return device == 0 ? 4 : device == 1 ? 6 : 2; };
    return context;
}

void ExpectSameFields(const SettingsFields& actual, const SettingsFields& expected) {
    for (int check = 0; check < kCheckCount; ++check)
        EXPECT_EQ(actual.*CheckField(SettingsCheck(check)),
                  expected.*CheckField(SettingsCheck(check)))
            << "check box " << check;
    EXPECT_EQ(actual.LeftColor, expected.LeftColor);
    EXPECT_EQ(actual.RightColor, expected.RightColor);
    EXPECT_EQ(actual.Reduction, expected.Reduction);
    EXPECT_EQ(actual.Convert, expected.Convert);
    EXPECT_EQ(actual.WaveOutDevice, expected.WaveOutDevice);
    EXPECT_EQ(actual.WaveOutVolume, expected.WaveOutVolume);
    EXPECT_EQ(actual.CDOutDevice, expected.CDOutDevice);
    EXPECT_EQ(actual.CDOutVolume, expected.CDOutVolume);
    EXPECT_EQ(actual.CurrentIniPath, expected.CurrentIniPath);
    EXPECT_EQ(actual.PerformInterval, expected.PerformInterval);
    EXPECT_EQ(actual.OyasumiMin, expected.OyasumiMin);
    EXPECT_EQ(actual.OyasumiProcess, expected.OyasumiProcess);
}

SettingsFields ShowAndApply(const SettingsFields& fields, RecordingProgram& program,
                            const SettingsShowContext& context = ThreeDevices()) {
    SettingsFields applied = fields;
    SettingsControls controls = ShowControls(applied, context);
    ApplyControls(controls, applied, context.mixer, program, program.Shower());
    return applied;
}

TEST(SettingsDialogModelTest, EveryFieldIsShownAndAppliedBackUnchanged) {
    std::vector<SettingsFields> table;
    table.push_back(SettingsFields("C:\\Quorel\\Quorel.ini"));
    // Every check box flipped, one at a time (mplTitleOn is always on).
    for (int check = 0; check < kCheckCount; ++check) {
        if (check == kMplTitleOnCheck) continue;
        SettingsFields fields = table.front();
        fields.*CheckField(SettingsCheck(check)) = !(fields.*CheckField(SettingsCheck(check)));
        table.push_back(fields);
    }
    // Every other control away from its first-run value.
    SettingsFields other = table.front();
    other.LeftColor = 0x0000FF;
    other.RightColor = 0x123456;
    other.Reduction = 2;
    other.Convert = 1;
    other.WaveOutDevice = 1;
    other.WaveOutVolume = 5;
    other.CDOutDevice = 2;
    other.CDOutVolume = 1;
    other.CurrentIniPath = "D:\\other\\settings.ini";
    other.PerformInterval = 2500;
    other.OyasumiMin = 100 * 60 + 59;
    other.OyasumiProcess = 4;
    table.push_back(other);
    other.OyasumiMin = 1;
    other.OyasumiProcess = 1;
    other.Reduction = 1;
    table.push_back(other);

    for (size_t row = 0; row < table.size(); ++row) {
        SCOPED_TRACE(row);
        RecordingProgram program;
        ExpectSameFields(ShowAndApply(table[row], program), table[row]);
        EXPECT_TRUE(program.messages.empty());
    }
}

TEST(SettingsDialogModelTest, ShowingSetsTheEnablingRules) {
    SettingsFields fields;
    fields.MenuPlayListOn = false;
    fields.TrayIcon = false;
    fields.TimerRunning = true;
    SettingsShowContext context = ThreeDevices();
    context.skinActive = true;
    SettingsControls controls = ShowControls(fields, context);
    EXPECT_FALSE(controls.checks[kMplArtistOnCheck].enabled);
    EXPECT_FALSE(controls.checks[kMplAlbumOnCheck].enabled);
    EXPECT_FALSE(controls.checks[kMplTimeOnCheck].enabled);
    EXPECT_TRUE(controls.checks[kMplTitleOnCheck].checked);
    EXPECT_FALSE(controls.checks[kMplTitleOnCheck].enabled);
    EXPECT_FALSE(controls.checks[kBarIconCheck].enabled);
    EXPECT_FALSE(controls.checks[kExchangeButtonCheck].enabled);
    EXPECT_FALSE(controls.checks[kOkDDCheck].enabled);
    EXPECT_FALSE(controls.checks[kPerformCPUCheck].enabled);
    EXPECT_FALSE(controls.timerEnabled);
    EXPECT_FALSE(controls.oyasumiProcess.enabled);
    EXPECT_FALSE(controls.applyEnabled);

    controls.checks[kMenuPlayListOnCheck].checked = true;
    CheckClicked(controls, kMenuPlayListOnCheck);
    EXPECT_TRUE(controls.checks[kMplArtistOnCheck].enabled);
    EXPECT_TRUE(controls.applyEnabled);

    // Tray pair: a checked BarIcon forces TrayIcon; unchecking TrayIcon
    // unchecks and disables BarIcon.
    controls.checks[kBarIconCheck].checked = true;
    CheckClicked(controls, kBarIconCheck);
    EXPECT_TRUE(controls.checks[kTrayIconCheck].checked);
    EXPECT_TRUE(controls.checks[kBarIconCheck].enabled);
    controls.checks[kTrayIconCheck].checked = false;
    CheckClicked(controls, kTrayIconCheck);
    EXPECT_FALSE(controls.checks[kBarIconCheck].checked);
    EXPECT_FALSE(controls.checks[kBarIconCheck].enabled);
    controls.checks[kTrayIconCheck].checked = true;
    CheckClicked(controls, kTrayIconCheck);
    EXPECT_TRUE(controls.checks[kBarIconCheck].enabled);

    // Without a mixer the four lists are disabled.
    const SettingsControls alone = ShowControls(fields, SettingsShowContext{});
    for (const ListState* list :
         {&alone.waveDevice, &alone.waveVolume, &alone.cdDevice, &alone.cdVolume})
        EXPECT_FALSE(list->enabled);
}

TEST(SettingsDialogModelTest, ApplyRules) {
    RecordingProgram program;
    SettingsFields fields;
    SettingsControls controls = ShowControls(fields, ThreeDevices());

    // All eight columns cleared: TitleOn comes back, its box checked.
    for (int check = kTitleOnCheck; check <= kTimeOnCheck; ++check)
        controls.checks[check].checked = false;
    // Zero hours and zero minutes: one minute.
    controls.hours = "0";
    controls.minutes = "0";
    ApplyControls(controls, fields, true, program, program.Shower());
    EXPECT_TRUE(fields.TitleOn);
    EXPECT_TRUE(controls.checks[kTitleOnCheck].checked);
    EXPECT_FALSE(fields.ArtistOn);
    EXPECT_EQ(fields.OyasumiMin, 1);

    // Typed hours and minutes, each row shown from the one before: numbers
    // above the up-downs' ranges are their tops, anything but digits keeps
    // what was shown.
    struct Typed {
        const char* hours;
        const char* minutes;
        int32_t stored;
    };
    for (const Typed& typed :
         {Typed{"999", "999", 6059}, Typed{"abc", "7", 6007}, Typed{"2", "-5", 127},
          Typed{"", "x", 127}, Typed{"1", "99999999999999999999", 119}}) {
        controls = ShowControls(fields, ThreeDevices());
        controls.hours = typed.hours;
        controls.minutes = typed.minutes;
        ApplyControls(controls, fields, true, program, program.Shower());
        EXPECT_EQ(fields.OyasumiMin, typed.stored) << typed.hours << ":" << typed.minutes;
    }
    EXPECT_TRUE(program.messages.empty());

    // The skin message once for a change, not again when applied again.
    controls = ShowControls(fields, ThreeDevices());
    controls.checks[kUseSkinCheck].checked = !fields.UseSkin;
    controls.checks[kUseDirectSoundCheck].checked = !fields.UseDirectSound;
    ApplyControls(controls, fields, true, program, program.Shower());
    ApplyControls(controls, fields, true, program, program.Shower());
    EXPECT_EQ(program.messages,
              (std::vector<SettingsMessage>{SettingsMessage::SkinNextStart,
                                            SettingsMessage::DirectSoundNextStart}));

    // The volume message: a device changed while a track plays or is paused.
    for (int32_t state : {0, 1, 2}) {
        program.messages.clear();
        program.state = state;
        controls = ShowControls(fields, ThreeDevices());
        controls.waveDevice.selected = 1;
        DeviceChanged(controls, fields, false, 6);
        EXPECT_TRUE(fields.VolumeChanged);
        EXPECT_EQ(controls.waveVolume.count, 6);
        EXPECT_EQ(controls.waveVolume.selected, 0);
        ApplyControls(controls, fields, true, program, program.Shower());
        EXPECT_EQ(program.messages.size(), state == 0 ? 0u : 1u) << "state " << state;
        EXPECT_FALSE(fields.VolumeChanged);
        EXPECT_EQ(fields.WaveOutDevice, 1);
        EXPECT_EQ(fields.WaveOutVolume, 0);
        program.messages.clear();
        ApplyControls(controls, fields, true, program, program.Shower());
        EXPECT_TRUE(program.messages.empty()) << "the volume message came twice";
    }
}

TEST(SettingsDialogModelTest, ApplyCarriesTheValuesToTheProgramInOrder) {
    RecordingProgram program;
    SettingsFields fields;
    fields.NotOpenWAV = true;
    fields.NotOpenCDA = true;
    fields.TrayIcon = true;
    fields.MenuPlayListOn = false;
    fields.SaveRelativePath = true;
    fields.LeftColor = 0x0000FF;
    fields.YearOn = true;
    ShowAndApply(fields, program);
    EXPECT_EQ(program.calls, (std::vector<std::string>{"menu off", "repaint", "hand", "options",
                                                       "post 130", "post 131", "tray on"}));
    EXPECT_EQ(program.handed.LeftColor, 0x0000FFu);
    EXPECT_TRUE(program.handed.SaveRelativePath);
    EXPECT_TRUE(program.handed.YearOn);
    EXPECT_FALSE(program.options.noSubfolders);
    EXPECT_FALSE(program.options.noMpeg);
    EXPECT_TRUE(program.options.noWav);
    EXPECT_FALSE(program.options.noRmp);
    EXPECT_FALSE(program.options.noM3U);
    EXPECT_TRUE(program.options.noCD);

    fields.TrayIcon = false;
    fields.MenuPlayListOn = true;
    program.calls.clear();
    ShowAndApply(fields, program);
    EXPECT_EQ(program.calls.front(), "menu on");
    EXPECT_EQ(program.calls.back(), "tray off");
}

TEST(SettingsDialogModelTest, IndexesBeyondTheListsSelectNothingAndAreKept) {
    SettingsFields fields;
    fields.WaveOutDevice = 7; // three devices
    fields.WaveOutVolume = 3; // no list: the device does not exist
    fields.CDOutDevice = 1;
    fields.CDOutVolume = 6; // device 1 has six lines
    fields.Reduction = 2;
    const SettingsControls controls = ShowControls(fields, ThreeDevices());
    EXPECT_EQ(controls.waveDevice.selected, -1);
    EXPECT_EQ(controls.waveVolume.count, 0);
    EXPECT_EQ(controls.cdDevice.selected, 1);
    // Each volume list is filled for its own stored device.
    EXPECT_EQ(controls.cdVolume.count, 6);
    EXPECT_EQ(controls.cdVolume.selected, -1);
    RecordingProgram program;
    ExpectSameFields(ShowAndApply(fields, program), fields);
    // Without a mixer the indexes keep their file values.
    fields.CDOutVolume = 5;
    ExpectSameFields(ShowAndApply(fields, program, SettingsShowContext{}), fields);
}

TEST(SettingsDialogModelTest, DeviceNamesFromAnyMixer) {
    struct NamedMixer : ScriptedMixer {
        int32_t count = 3;
        int32_t MixerGetDeviceCount() override { return count; }
        bool MixerGetDeviceName(int32_t index, char* buffer64) override {
            if (index == 1) return false;
            // Device 2 fills all 64 bytes without a terminator.
            std::memset(buffer64, index == 2 ? 'x' : 'A', index == 2 ? 64 : 5);
            return true;
        }
    } mixer;
    EXPECT_EQ(MixerDeviceNames(mixer),
              (std::vector<std::string>{"AAAAA", "Not Used.", std::string(64, 'x')}));
    mixer.count = -4;
    EXPECT_TRUE(MixerDeviceNames(mixer).empty());
    mixer.count = 1 << 30;
    EXPECT_EQ(MixerDeviceNames(mixer).size(), 256u);
}

TEST(SettingsDialogModelTest, SaveAndLoadOtherSettingsFiles) {
    TemporaryFolder folder;
    SettingsFields fields(folder.Path("Quorel.ini"));
    fields.YearOn = true;

    // An unwritable choice keeps the current file.
    EXPECT_FALSE(SaveSettingsTo(fields, folder.Path("missing\\folder/x.ini")));
    EXPECT_EQ(fields.CurrentIniPath, folder.Path("Quorel.ini"));

    ASSERT_TRUE(SaveSettingsTo(fields, folder.Path("other.ini")));
    EXPECT_EQ(fields.CurrentIniPath, folder.Path("other.ini"));

    // Not a settings file: nothing changes.
    WriteBytes(folder.Path("song.mp3"), std::string("ID3\x03\0\0\0\0\0\0 [x]\r\nA=1", 19));
    WriteBytes(folder.Path("notes.txt"), "[Notes]\r\nTitleOn=0\r\n");
    fields.YearOn = false;
    for (const char* name : {"song.mp3", "notes.txt", "absent.ini"}) {
        EXPECT_FALSE(LoadSettingsFrom(fields, folder.Path(name))) << name;
        EXPECT_FALSE(fields.YearOn);
        EXPECT_EQ(fields.CurrentIniPath, folder.Path("other.ini"));
    }
    const std::string mp3 = ReadBytes(folder.Path("song.mp3"));
    EXPECT_EQ(mp3.size(), 19u);

    // A settings file is read, its redirection ignored, and becomes current.
    WriteBytes(folder.Path("third.ini"), "[PlayListMode]\r\nYearOn=1\r\n"
                                         "[OtherOption]\r\nSpecialIniPath=C:\\elsewhere.ini\r\n"
                                         "[OyasumiTimer]\r\nOyasumiMin=-5\r\n");
    ASSERT_TRUE(LoadSettingsFrom(fields, folder.Path("third.ini")));
    EXPECT_TRUE(fields.YearOn);
    EXPECT_EQ(fields.OyasumiMin, 1);
    EXPECT_EQ(fields.CurrentIniPath, folder.Path("third.ini"));
}

} // namespace
