#include "SettingsPages.h"

const SettingsPage& PlayListPage() {
    static const SettingsPage page{
        L"プレイリスト",
        {
            {ControlKind::Group, kStaticId, L"リストモードでの表示項目", 4, 0, 250, 68},
            {ControlKind::Check, CheckId(kTitleOnCheck), L"タイトル", 12, 14, 78, 16},
            {ControlKind::Check, CheckId(kArtistOnCheck), L"アーティスト", 92, 14, 78, 16},
            {ControlKind::Check, CheckId(kAlbumOnCheck), L"アルバム", 172, 14, 78, 16},
            {ControlKind::Check, CheckId(kYearOnCheck), L"年", 12, 31, 78, 16},
            {ControlKind::Check, CheckId(kGenreOnCheck), L"ジャンル", 92, 31, 78, 16},
            {ControlKind::Check, CheckId(kCommentOnCheck), L"コメント", 172, 31, 78, 16},
            {ControlKind::Check, CheckId(kFileNameOnCheck), L"ファイル名", 12, 48, 78, 16},
            {ControlKind::Check, CheckId(kTimeOnCheck), L"時間", 92, 48, 78, 16},
            {ControlKind::Check, CheckId(kMenuPlayListOnCheck),
             L"システムメニューにプレイリストを組み込む", 8, 71, 246, 16},
            {ControlKind::Group, kStaticId, L"", 4, 87, 250, 52},
            {ControlKind::Check, CheckId(kMplTitleOnCheck), L"タイトル", 12, 100, 110, 16},
            {ControlKind::Check, CheckId(kMplArtistOnCheck), L"アーティスト", 132, 100, 110, 16},
            {ControlKind::Check, CheckId(kMplAlbumOnCheck), L"アルバム", 12, 118, 110, 16},
            {ControlKind::Check, CheckId(kMplTimeOnCheck), L"時間", 132, 118, 110, 16},
        }};
    return page;
}
