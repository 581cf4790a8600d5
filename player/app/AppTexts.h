// The program's fixed texts. UTF-16, so that they show correctly whatever
// the system's ANSI code page.
#pragma once

constexpr wchar_t kMissingPluginMessage[] = L"必要なプラグインが見つかりません。\n終了します。";
constexpr wchar_t kDirectSoundFailedMessage[] =
    L"DirectSound初期化に失敗しました。\n通常のWavデバイスを使用します。";

// Byte text for the panel (ANSI code page).
constexpr char kIdleTitle[] = "Quorel 3.4.6";
// The panel's second line while idle: at most 21 characters, three spaces first.
constexpr char kIdleSubtitle[] = "   Player & Tagger";
static_assert(sizeof kIdleSubtitle - 1 <= 21, "the idle subtitle fits the panel");

// The popup menus' captions.
constexpr wchar_t kMenuFileOpen[] = L"ファイルを開く";
constexpr wchar_t kMenuFolderOpen[] = L"フォルダで開く";
constexpr wchar_t kMenuReOpen[] = L"開き直す";
constexpr wchar_t kMenuAddFileOpen[] = L"追加でファイルを開く";
constexpr wchar_t kMenuAddFolderOpen[] = L"追加でフォルダを開く";
constexpr wchar_t kMenuAddReOpen[] = L"追加で開き直す";
constexpr wchar_t kMenuPlayList[] = L"プレイリスト";
constexpr wchar_t kMenuMpegInfo[] = L"MPEG INFO";
constexpr wchar_t kMenuControl[] = L"コントロール";
constexpr wchar_t kMenuOpen[] = L"開く";
constexpr wchar_t kMenuPlay[] = L"再生";
constexpr wchar_t kMenuStop[] = L"停止";
constexpr wchar_t kMenuPause[] = L"一時停止";
constexpr wchar_t kMenuNext[] = L"次曲";
constexpr wchar_t kMenuPrev[] = L"前曲";
constexpr wchar_t kMenuRepeat[] = L"リピート";
constexpr wchar_t kMenuShuffle[] = L"シャッフル/ランダム";
constexpr wchar_t kMenuSetup[] = L"設定";
constexpr wchar_t kMenuTimerStart[] = L"タイマーＯＮ";
constexpr wchar_t kMenuAbout[] = L"バージョン情報";
constexpr wchar_t kMenuHelp[] = L"ヘルプ";
constexpr wchar_t kMenuExit[] = L"終了";

// The open dialog's filters, and the folder browser's title.
constexpr wchar_t kOpenDialogFilter[] =
    L"M3U File (*.m3u)\0*.m3u\0"
    L"Audio Files (*.mpX,*.wav,*.rmp,*.cda,*.m3u)\0"
    L"*.mpg;*.mp1;*.mp2;*.mp3;*.rmp;*.wav;*.cda;*.m3u\0"
    L"MPx Files (*.mpg,*.mp1,*.mp2,*.mp3)\0*.mpg;*.mp1;*.mp2;*.mp3\0"
    L"WAVE Files (*.wav)\0*.wav\0"
    L"RMP Files (*.rmp)\0*.rmp\0"
    L"すべてのファイル (*.*)\0*.*\0";
constexpr wchar_t kFolderBrowserTitle[] = L"ＭＰ３のあるフォルダを選んでください";

// The caption of boxes that report no error.
constexpr wchar_t kInformationCaption[] = L"Quorel";
// Skin messages. A sheet's file name goes in front of kSkinSheetMissing.
constexpr wchar_t kSkinSheetMissing[] = L" が見つかりません。";
constexpr wchar_t kSkinRegionFailed[] = L"リージョン作成失敗";
constexpr wchar_t kSkinBackgroundRejected[] =
    L"quorel_skin.ini の main_bkg がウインドウの大きさになりません。\n標準のパネルで表示します。";
