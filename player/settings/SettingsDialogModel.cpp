#include "SettingsDialogModel.h"

#include <algorithm>
#include <limits>

namespace {

constexpr SettingsCheck kColumnChecks[] = {kTitleOnCheck,    kArtistOnCheck, kAlbumOnCheck,
                                           kYearOnCheck,     kGenreOnCheck,  kCommentOnCheck,
                                           kFileNameOnCheck, kTimeOnCheck};
constexpr SettingsCheck kMenuColumnChecks[] = {kMplArtistOnCheck, kMplAlbumOnCheck,
                                               kMplTimeOnCheck};

// Apply copies these in its steps 1, 3, 4 and 6 without further rules.
constexpr SettingsCheck kPlainChecks[] = {
    kNotReflexiveCheck, kNotOpenWAVCheck, kNotOpenMP3Check,  kNotOpenRMPCheck,
    kNotOpenM3UCheck,   kNotOpenCDACheck, kDDtoAddCheck,     kSaveRelativePathCheck,
    kTrayIconCheck,     kBarIconCheck,    kTitleScrollCheck, kOkDDCheck};

void Copy(const SettingsControls& controls, SettingsFields& fields, SettingsCheck check) {
    fields.*CheckField(check) = controls.checks[check].checked;
}

// A list's selection, or the field as it was when nothing is selected.
void CopySelection(const ListState& list, int32_t& field) {
    if (list.selected >= 0 && list.selected < list.count) field = list.selected;
}

ListState Selecting(int32_t count, int32_t index, bool enabled) {
    ListState list;
    list.count = count;
    list.selected = index >= 0 && index < count ? index : -1;
    list.enabled = enabled;
    return list;
}

void UpdateMenuColumns(SettingsControls& controls) {
    const bool on = controls.checks[kMenuPlayListOnCheck].checked;
    for (SettingsCheck check : kMenuColumnChecks)
        controls.checks[check].enabled = on;
}

} // namespace

bool SettingsFields::*CheckField(SettingsCheck check) {
    static constexpr bool SettingsFields::*kFields[kCheckCount] = {
        &SettingsFields::NotReflexive,   &SettingsFields::NotOpenWAV,
        &SettingsFields::NotOpenMP3,     &SettingsFields::NotOpenRMP,
        &SettingsFields::NotOpenM3U,     &SettingsFields::NotOpenCDA,
        &SettingsFields::DDtoAdd,        &SettingsFields::SaveRelativePath,
        &SettingsFields::TrayIcon,       &SettingsFields::BarIcon,
        &SettingsFields::TitleScroll,    &SettingsFields::ExchangeButton,
        &SettingsFields::UseSkin,        &SettingsFields::OkDD,
        &SettingsFields::TitleOn,        &SettingsFields::ArtistOn,
        &SettingsFields::AlbumOn,        &SettingsFields::YearOn,
        &SettingsFields::GenreOn,        &SettingsFields::CommentOn,
        &SettingsFields::FileNameOn,     &SettingsFields::TimeOn,
        &SettingsFields::MenuPlayListOn, &SettingsFields::mplTitleOn,
        &SettingsFields::mplArtistOn,    &SettingsFields::mplAlbumOn,
        &SettingsFields::mplTimeOn,      &SettingsFields::AutoPlay,
        &SettingsFields::AddFiletoPlay,  &SettingsFields::UseDirectSound,
        &SettingsFields::PerformCPU,
    };
    return kFields[check];
}

SettingsControls ShowControls(const SettingsFields& fields, const SettingsShowContext& context) {
    SettingsControls controls;
    for (int check = 0; check < kCheckCount; ++check)
        controls.checks[check].checked = fields.*CheckField(SettingsCheck(check));
    controls.checks[kMplTitleOnCheck] = CheckState{true, false};
    // Stored only: the box and its button stay hidden and disabled, the
    // processor-load group disabled.
    controls.checks[kOkDDCheck].enabled = false;
    controls.checks[kPerformCPUCheck].enabled = false;
    UpdateMenuColumns(controls);
    controls.leftColour = fields.LeftColor;
    controls.rightColour = fields.RightColor;

    controls.iniPath = fields.CurrentIniPath;
    controls.performInterval = std::to_string(fields.PerformInterval);

    const int32_t minutes = fields.OyasumiMin < 0 ? 0 : fields.OyasumiMin;
    controls.hours = std::to_string(minutes / 60);
    controls.minutes = std::to_string(minutes % 60);
    controls.timerEnabled = !fields.TimerRunning;
    controls.reduction = Selecting(3, fields.Reduction, true);
    controls.convert = Selecting(2, fields.Convert, true);
    controls.oyasumiProcess = Selecting(5, fields.OyasumiProcess, controls.timerEnabled);

    const int32_t devices = context.mixer ? context.deviceCount : 0;
    const auto volumes = [&](int32_t device) {
        return context.mixer && context.volumeCount && device >= 0 && device < devices
                   ? context.volumeCount(device)
                   : 0;
    };
    controls.waveDevice = Selecting(devices, fields.WaveOutDevice, context.mixer);
    controls.cdDevice = Selecting(devices, fields.CDOutDevice, context.mixer);
    controls.waveVolume =
        Selecting(volumes(fields.WaveOutDevice), fields.WaveOutVolume, context.mixer);
    controls.cdVolume = Selecting(volumes(fields.CDOutDevice), fields.CDOutVolume, context.mixer);

    controls.checks[kExchangeButtonCheck].enabled = !context.skinActive;
    controls.checks[kBarIconCheck].enabled = controls.checks[kTrayIconCheck].checked;
    controls.applyEnabled = false;
    return controls;
}

void CheckClicked(SettingsControls& controls, SettingsCheck check) {
    CheckState& tray = controls.checks[kTrayIconCheck];
    CheckState& bar = controls.checks[kBarIconCheck];
    if (check == kTrayIconCheck) {
        bar.enabled = tray.checked;
        if (!tray.checked) bar.checked = false;
    } else if (check == kBarIconCheck && bar.checked) {
        tray.checked = true;
        bar.enabled = true;
    }
    if (check == kMenuPlayListOnCheck) UpdateMenuColumns(controls);
    controls.applyEnabled = true;
}

void DeviceChanged(SettingsControls& controls, SettingsFields& fields, bool cd,
                   int32_t volumeCount) {
    ListState& volume = cd ? controls.cdVolume : controls.waveVolume;
    volume.count = volumeCount;
    volume.selected = volumeCount > 0 ? 0 : -1;
    controls.applyEnabled = true;
    fields.VolumeChanged = true;
}

void ApplyControls(SettingsControls& controls, SettingsFields& fields, bool mixer,
                   SettingsProgram& program, const std::function<void(SettingsMessage)>& show) {
    for (SettingsCheck check : kPlainChecks)
        Copy(controls, fields, check);

    fields.LeftColor = controls.leftColour & 0xFFFFFF;
    fields.RightColor = controls.rightColour & 0xFFFFFF;

    Copy(controls, fields, kExchangeButtonCheck);
    if (controls.checks[kUseSkinCheck].checked != fields.UseSkin)
        show(SettingsMessage::SkinNextStart);
    Copy(controls, fields, kUseSkinCheck);

    bool anyColumn = false;
    for (SettingsCheck check : kColumnChecks)
        anyColumn = controls.checks[check].checked || anyColumn;
    if (!anyColumn) controls.checks[kTitleOnCheck].checked = true;
    for (SettingsCheck check : kColumnChecks)
        Copy(controls, fields, check);
    fields.mplTitleOn = true;
    for (SettingsCheck check : kMenuColumnChecks)
        Copy(controls, fields, check);

    Copy(controls, fields, kMenuPlayListOnCheck);
    program.SetMenuPlayList(fields.MenuPlayListOn);

    Copy(controls, fields, kAddFiletoPlayCheck);
    Copy(controls, fields, kAutoPlayCheck);
    CopySelection(controls.reduction, fields.Reduction);
    CopySelection(controls.convert, fields.Convert);
    if (controls.checks[kUseDirectSoundCheck].checked != fields.UseDirectSound)
        show(SettingsMessage::DirectSoundNextStart);
    Copy(controls, fields, kUseDirectSoundCheck);

    if (mixer) {
        CopySelection(controls.waveDevice, fields.WaveOutDevice);
        CopySelection(controls.waveVolume, fields.WaveOutVolume);
        CopySelection(controls.cdDevice, fields.CDOutDevice);
        CopySelection(controls.cdVolume, fields.CDOutVolume);
        // A paused track takes its volume line at the next track as well.
        const int32_t state = program.PlayState();
        if ((state == 1 || state == 2) && fields.VolumeChanged)
            show(SettingsMessage::VolumeNextTrack);
        fields.VolumeChanged = false;
    }

    fields.CurrentIniPath = controls.iniPath;
    Copy(controls, fields, kPerformCPUCheck);
    fields.PerformInterval = static_cast<uint32_t>(
        ParseCount(controls.performInterval, std::numeric_limits<int32_t>::max(),
                   static_cast<int32_t>(fields.PerformInterval)));

    program.RepaintPanel();
    program.HandToPlayListWindow(fields);
    program.SetFileOpenOptions(FileTypeOptions{fields.NotReflexive, fields.NotOpenMP3,
                                               fields.NotOpenWAV, fields.NotOpenRMP,
                                               fields.NotOpenM3U, fields.NotOpenCDA});
    program.PostToPlayListWindow(kRebuildGridCommand);
    program.PostToPlayListWindow(kInactiveTitleCommand);

    const int32_t shownMinutes = fields.OyasumiMin < 0 ? 0 : fields.OyasumiMin;
    const int32_t hours = ParseCount(controls.hours, kMostTimerHours, shownMinutes / 60);
    const int32_t minutes = ParseCount(controls.minutes, kMostTimerMinutes, shownMinutes % 60);
    fields.OyasumiMin = hours * 60 + minutes;
    if (fields.OyasumiMin == 0) fields.OyasumiMin = 1;
    CopySelection(controls.oyasumiProcess, fields.OyasumiProcess);

    program.SetTrayIcon(fields.TrayIcon);
    controls.applyEnabled = false;
}

int32_t ParseCount(const std::string& text, int32_t highest, int32_t fallback) {
    if (text.empty() || text.size() > 32) return fallback;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return fallback;
        value = value * 10 + (c - '0');
        if (value > highest) value = highest;
    }
    return static_cast<int32_t>(value);
}

bool SaveSettingsTo(SettingsFields& fields, const std::string& path) {
    if (!fields.SaveSettings(path)) return false;
    fields.CurrentIniPath = path;
    return true;
}

bool LoadSettingsFrom(SettingsFields& fields, const std::string& path) {
    if (!IsSettingsFile(path)) return false;
    fields.LoadSettings(path, false);
    fields.CurrentIniPath = path;
    return true;
}

std::vector<std::string> MixerDeviceNames(MixerPlugin& mixer) {
    // More devices than any machine has means a confused plug-in.
    constexpr int32_t kMostDevices = 256;
    const int32_t count = std::min(mixer.MixerGetDeviceCount(), kMostDevices);
    std::vector<std::string> names;
    for (int32_t device = 0; device < count; ++device) {
        char buffer[65] = {}; // 64 for the plug-in, one terminator of ours
        names.push_back(mixer.MixerGetDeviceName(device, buffer) ? std::string(buffer)
                                                                 : std::string("Not Used."));
    }
    return names;
}
