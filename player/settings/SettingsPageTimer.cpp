#include "SettingsPages.h"

const SettingsPage& TimerPage() {
    static const SettingsPage page{
        L"タイマ",
        {
            {ControlKind::Group, kStaticId, L"お休みタイマ設定", 4, 0, 250, 112},
            {ControlKind::Label, kStaticId, L"・動作開始までの時間", 12, 18, 200, 14},
            {ControlKind::Edit, kHoursEditId, L"0", 24, 36, 48, 20},
            {ControlKind::UpDown, kHoursUpDownId, L"", 0, 0, 0, 0},
            {ControlKind::Label, kStaticId, L"：", 78, 39, 12, 14},
            {ControlKind::Edit, kMinutesEditId, L"0", 92, 36, 48, 20},
            {ControlKind::UpDown, kMinutesUpDownId, L"", 0, 0, 0, 0},
            {ControlKind::Label, kStaticId, L"・実行内容", 12, 66, 200, 14},
            {ControlKind::List, kOyaProcessId, L"", 24, 82, 200, 120},
        }};
    return page;
}
