#include "SettingsPages.h"

const SettingsPage& OtherPage() {
    // The processor-load group is stored only: disabled with all it holds.
    static const SettingsPage page{
        L"その他",
        {
            {ControlKind::Group, kStaticId, L"ＣＰＵの負荷表示", 4, 0, 250, 58, true},
            {ControlKind::Check, CheckId(kPerformCPUCheck), L"負荷表示をする", 12, 14, 150, 16,
             true},
            {ControlKind::Label, kStaticId, L"負荷表示間隔(ms)", 12, 36, 104, 14, true},
            {ControlKind::Edit, kPerformEditId, L"500", 120, 33, 64, 20, true},
            {ControlKind::UpDown, kPerformUpDownId, L"", 0, 0, 0, 0, true},
            {ControlKind::Group, kStaticId, L"設定の保存と読み込み", 4, 62, 250, 80},
            {ControlKind::Label, kStaticId, L"現在の設定ファイル：", 12, 78, 200, 14},
            {ControlKind::PathLabel, kIniPathId, L"", 12, 94, 234, 14},
            {ControlKind::Button, kSaveIniId, L"保存", 100, 114, 70, 22},
            {ControlKind::Button, kLoadIniId, L"読み込み", 176, 114, 70, 22},
        }};
    return page;
}
