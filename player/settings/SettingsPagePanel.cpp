#include "SettingsPages.h"

const SettingsPage& PanelPage() {
    static const SettingsPage page{
        L"パネル",
        {
            {ControlKind::Check, CheckId(kTrayIconCheck), L"タスクトレイにアイコンを表示する", 8, 2,
             240, 16},
            {ControlKind::Check, CheckId(kBarIconCheck),
             L"最小化でタスクバーにアイコンを表示しない", 8, 18, 240, 16},
            {ControlKind::Check, CheckId(kTitleScrollCheck), L"タイトルをスクロールする", 8, 34,
             240, 16},
            {ControlKind::Check, CheckId(kExchangeButtonCheck),
             L"リピート・シャッフルボタンの入替え", 8, 50, 240, 16},
            {ControlKind::Check, CheckId(kUseSkinCheck), L"スキンを使用する", 8, 66, 240, 16},
            {ControlKind::Check, CheckId(kOkDDCheck), L"インフォメーションパネルの情報を移動する",
             8, 82, 170, 16, true, true},
            {ControlKind::Button, kDDReturnId, L"元の位置", 180, 82, 60, 18, true, true},
            {ControlKind::Label, kStaticId, L"・バーの色の設定", 8, 84, 200, 14},
            {ControlKind::Sample, kBarColorId, L"", 16, 100, 225, 18},
            {ControlKind::Button, kLeftColorId, L"左端の色", 16, 122, 80, 20},
            {ControlKind::Button, kRightColorId, L"右端の色", 161, 122, 80, 20},
        }};
    return page;
}
