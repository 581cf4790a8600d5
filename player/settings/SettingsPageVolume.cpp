#include "SettingsPages.h"

const SettingsPage& VolumePage() {
    static const SettingsPage page{
        L"ボリューム",
        {
            {ControlKind::Group, kStaticId, L"MPx,RMP,WAVを演奏中のボリューム", 4, 0, 250, 66},
            {ControlKind::Label, kStaticId, L"デバイス :", 12, 18, 62, 14},
            {ControlKind::List, kWaveDeviceId, L"", 76, 14, 170, 200},
            {ControlKind::Label, kStaticId, L"ボリューム :", 12, 42, 62, 14},
            {ControlKind::List, kWaveVolumeId, L"", 76, 38, 170, 200},
            {ControlKind::Group, kStaticId, L"ＣＤオーディオを演奏中のボリューム", 4, 70, 250, 66},
            {ControlKind::Label, kStaticId, L"デバイス :", 12, 88, 62, 14},
            {ControlKind::List, kCDDeviceId, L"", 76, 84, 170, 200},
            {ControlKind::Label, kStaticId, L"ボリューム :", 12, 112, 62, 14},
            {ControlKind::List, kCDVolumeId, L"", 76, 108, 170, 200},
        }};
    return page;
}
