// The settings dialog's pages: every control, group and label with its
// caption and place. One table per page (SettingsPage*.cpp); the dialog
// creates the controls from them.
#pragma once

#include <vector>

#include "SettingsDialogModel.h"

// Control ids; a check box's id is kCheckIdBase + its SettingsCheck.
enum SettingsControlId : int {
    kStaticId = -1, // labels and groups
    kCheckIdBase = 1000,
    kLeftColorId = 1100,
    kRightColorId,
    kBarColorId,
    kDDReturnId,
    kReductionId,
    kConvertId,
    kWaveDeviceId,
    kWaveVolumeId,
    kCDDeviceId,
    kCDVolumeId,
    kPerformEditId,
    kPerformUpDownId,
    kIniPathId,
    kSaveIniId,
    kLoadIniId,
    kHoursEditId,
    kHoursUpDownId,
    kMinutesEditId,
    kMinutesUpDownId,
    kOyaProcessId,
    kPageTabsId,
    kApplyId,
};

enum class ControlKind { Check, Group, Label, PathLabel, Button, List, Edit, UpDown, Sample };

struct ControlPlace {
    ControlKind kind;
    int id;
    const wchar_t* caption;
    int x, y, width, height; // inside the page, pixels
    bool disabled = false;   // always disabled
    bool hidden = false;     // never shown
};

constexpr int CheckId(SettingsCheck check) {
    return kCheckIdBase + check;
}

struct SettingsPage {
    const wchar_t* title;
    std::vector<ControlPlace> controls;
};

const SettingsPage& FilePage();
const SettingsPage& PanelPage();
const SettingsPage& PlayListPage();
const SettingsPage& PlayPage();
const SettingsPage& VolumePage();
const SettingsPage& OtherPage();
const SettingsPage& TimerPage();
