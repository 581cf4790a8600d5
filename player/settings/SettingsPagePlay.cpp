#include "SettingsPages.h"

const SettingsPage& PlayPage() {
    static const SettingsPage page{
        L"再生",
        {
            {ControlKind::Check, CheckId(kAutoPlayCheck), L"自動演奏をする", 8, 2, 246, 16},
            {ControlKind::Check, CheckId(kAddFiletoPlayCheck),
             L"ファイルが追加されても演奏を続ける", 8, 18, 246, 16},
            {ControlKind::Check, CheckId(kUseDirectSoundCheck), L"DirectSoundを使用する", 8, 34,
             246, 16},
            {ControlKind::Group, kStaticId, L"デコード", 4, 54, 250, 78},
            {ControlKind::Label, kStaticId, L"ダウンサンプリング", 12, 74, 112, 14},
            {ControlKind::List, kReductionId, L"", 128, 70, 118, 100},
            {ControlKind::Label, kStaticId, L"チャンネルの設定", 12, 102, 112, 14},
            {ControlKind::List, kConvertId, L"", 128, 98, 118, 100},
        }};
    return page;
}
