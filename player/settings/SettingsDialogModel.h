// The settings dialog's controls as plain values, and its rules: showing the
// fields, the enabling rules, Apply (controls to fields, with the effects on
// the running program in order), and saving to or loading from another
// settings file. The Win32 dialog (SettingsDialog.h) only moves these values
// in and out of its controls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MixerPlugin.h"
#include "OpenAudioFile.h"
#include "SettingsFields.h"

// The dialog's check boxes.
enum SettingsCheck : int {
    // "ファイル"
    kNotReflexiveCheck,
    kNotOpenWAVCheck,
    kNotOpenMP3Check,
    kNotOpenRMPCheck,
    kNotOpenM3UCheck,
    kNotOpenCDACheck,
    kDDtoAddCheck,
    kSaveRelativePathCheck,
    // "パネル"
    kTrayIconCheck,
    kBarIconCheck,
    kTitleScrollCheck,
    kExchangeButtonCheck,
    kUseSkinCheck,
    kOkDDCheck,
    // "プレイリスト"
    kTitleOnCheck,
    kArtistOnCheck,
    kAlbumOnCheck,
    kYearOnCheck,
    kGenreOnCheck,
    kCommentOnCheck,
    kFileNameOnCheck,
    kTimeOnCheck,
    kMenuPlayListOnCheck,
    kMplTitleOnCheck,
    kMplArtistOnCheck,
    kMplAlbumOnCheck,
    kMplTimeOnCheck,
    // "再生"
    kAutoPlayCheck,
    kAddFiletoPlayCheck,
    kUseDirectSoundCheck,
    // "その他"
    kPerformCPUCheck,
    kCheckCount
};

// The field each check box shows and Apply writes.
bool SettingsFields::*CheckField(SettingsCheck check);

struct CheckState {
    bool checked = false;
    bool enabled = true;
};

// A drop-down list: its item count and selection (-1: none).
struct ListState {
    int32_t count = 0;
    int32_t selected = -1;
    bool enabled = true;
};

struct SettingsControls {
    std::array<CheckState, kCheckCount> checks;
    // The colour buttons' pending colours (0x00BBGGRR).
    uint32_t leftColour = 0, rightColour = 0;
    ListState reduction{3}, convert{2};
    ListState waveDevice, waveVolume, cdDevice, cdVolume;
    ListState oyasumiProcess{5};
    std::string iniPath;         // IniPath_Lb's caption and hint
    std::string performInterval; // PerformCPU_Ed
    std::string hours, minutes;  // the timer's two edits
    bool timerEnabled = true;    // the timer's edits, up-downs and action list
    bool applyEnabled = false;
};

// The timer's edits: hours 0-100, minutes 0-59.
constexpr int32_t kMostTimerHours = 100;
constexpr int32_t kMostTimerMinutes = 59;

// What showing needs besides the fields: whether a mixer is loaded and the
// item counts of the device list and of each device's volume list.
struct SettingsShowContext {
    bool mixer = false;
    bool skinActive = false;
    int32_t deviceCount = 0;
    std::function<int32_t(int32_t device)> volumeCount;
};

// FormShow: the controls for the fields. A stored index beyond its list
// selects nothing.
SettingsControls ShowControls(const SettingsFields& fields, const SettingsShowContext& context);

// A click on a check box, after its check has flipped: the tray pair rule,
// the menu play list's boxes, Apply enabled.
void CheckClicked(SettingsControls& controls, SettingsCheck check);

// A device list's new selection: its volume list is refilled (count items,
// item 0 selected), Apply enabled and VolumeChanged set.
void DeviceChanged(SettingsControls& controls, SettingsFields& fields, bool cd,
                   int32_t volumeCount);

// The messages Apply may show, in this order.
enum class SettingsMessage { SkinNextStart, DirectSoundNextStart, VolumeNextTrack };

// What Apply changes in the running program besides the fields.
class SettingsProgram {
  public:
    virtual ~SettingsProgram() = default;
    // The input plug-in's state: 0 stopped, 1 playing, 2 paused.
    virtual int32_t PlayState() const = 0;
    // A skin is in use (the panel's buttons are then the skin's).
    virtual bool SkinActive() const = 0;
    // Rebuilds the menu play list (on) or removes it.
    virtual void SetMenuPlayList(bool on) = 0;
    virtual void RepaintPanel() = 0;
    // The colours, SaveRelativePath and the eight column flags; the play list
    // window redraws its title bar inactive and rebuilds its grid at once.
    virtual void HandToPlayListWindow(const SettingsFields& fields) = 0;
    virtual void SetFileOpenOptions(const FileTypeOptions& options) = 0;
    // Posted to the play list window: 130 rebuild the grid, 131 draw the
    // title bar inactive.
    virtual void PostToPlayListWindow(int32_t command) = 0;
    // Adds the tray icon (state icon, default tip) or deletes it.
    virtual void SetTrayIcon(bool on) = 0;
};

constexpr int32_t kRebuildGridCommand = 130;
constexpr int32_t kInactiveTitleCommand = 131;

// Apply_BtClick: the controls into the fields, and the effects, in order;
// `show` shows a message (and returns when it was answered).
void ApplyControls(SettingsControls& controls, SettingsFields& fields, bool mixer,
                   SettingsProgram& program, const std::function<void(SettingsMessage)>& show);

// The mixer's device names for the device lists ("Not Used." for a device
// that does not answer); a name fills at most the 64 bytes of its buffer.
std::vector<std::string> MixerDeviceNames(MixerPlugin& mixer);

// A count typed into an edit: digits only, at most `highest` (larger values
// become `highest`); anything else gives `fallback`.
int32_t ParseCount(const std::string& text, int32_t highest, int32_t fallback);

// The Save button's file: written first, and only then the current file.
// False (nothing switched) when it could not be written.
bool SaveSettingsTo(SettingsFields& fields, const std::string& path);
// The Load button's file: read (the redirection entry ignored) only when it
// is a settings file; false (nothing changed) otherwise.
bool LoadSettingsFrom(SettingsFields& fields, const std::string& path);
