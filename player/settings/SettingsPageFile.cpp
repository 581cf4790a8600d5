#include "SettingsPages.h"

const SettingsPage& FilePage() {
    static const SettingsPage page{L"ファイル",
                                   {
                                       {ControlKind::Check, CheckId(kNotReflexiveCheck),
                                        L"フォルダの階層を再帰的に開かない", 8, 4, 240, 16},
                                       {ControlKind::Check, CheckId(kNotOpenWAVCheck),
                                        L"ＷＡＶファイルを開かない", 8, 21, 240, 16},
                                       {ControlKind::Check, CheckId(kNotOpenMP3Check),
                                        L"ＭＰ３ファイルを開かない", 8, 38, 240, 16},
                                       {ControlKind::Check, CheckId(kNotOpenRMPCheck),
                                        L"ＲＭＰファイルを開かない", 8, 55, 240, 16},
                                       {ControlKind::Check, CheckId(kNotOpenM3UCheck),
                                        L"Ｍ３Ｕファイルを展開しない", 8, 72, 240, 16},
                                       {ControlKind::Check, CheckId(kNotOpenCDACheck),
                                        L"オーディオCDを開かない", 8, 89, 240, 16},
                                       {ControlKind::Check, CheckId(kDDtoAddCheck),
                                        L"ドラッグ＆ドロップで追加する", 8, 106, 240, 16},
                                       {ControlKind::Check, CheckId(kSaveRelativePathCheck),
                                        L"M3Uファイルを相対パスで保存する", 8, 123, 240, 16},
                                   }};
    return page;
}
