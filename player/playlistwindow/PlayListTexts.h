// The play list window's captions, hints and messages. UTF-16, so that they
// show correctly whatever the system's ANSI code page.
#pragma once

constexpr wchar_t kListModeNames[3][8] = {L"リストモード", L"編集モード", L"統一モード"};
constexpr wchar_t kListModeHint[] = L"一覧のモードを変更します。";
constexpr wchar_t kTagCopyCaption[] = L"コピー";
constexpr wchar_t kTagCopyHint[] = L"タイトルを入力すると１つ下の行に他の情報をコピーします";
constexpr wchar_t kUniteModeCaption[] = L"モード";
constexpr wchar_t kModeUniteCaption[] = L"文字列";
constexpr wchar_t kUniteTitleCaption[] = L"タイトル";
constexpr wchar_t kKeywordLabel[] = L"ファイル名";
constexpr wchar_t kSeparatorLabel[] = L"セパレータ";
constexpr wchar_t kKeywordDefault[] = L"album";
constexpr wchar_t kSeparatorDefault[] = L"-";
constexpr wchar_t kUniteStringHint[] = L"ここに入力されたキーワードでファイル名を統一します";
constexpr wchar_t kNumberingCaption[] = L"番号付け";
constexpr wchar_t kSaveIdCaption[] = L"保存";
constexpr wchar_t kSaveIdHint[] = L"各情報をそれぞれのファイルの保存します。(Ctrl+S)";
constexpr wchar_t kAllClearCaption[] = L"AC";
constexpr wchar_t kAllClearHint[] = L"リストの中身をすべて削除します。";
constexpr wchar_t kUpCaption[] = L"∧";
constexpr wchar_t kUpHint[] = L"曲を一つ前に動かします。(Ctrl+↑)";
constexpr wchar_t kDelCaption[] = L"×";
constexpr wchar_t kDelHint[] = L"リストから削除します。(del)";
constexpr wchar_t kUniteCaption[] = L"変更";
constexpr wchar_t kUniteHint[] = L"ファイル名を変更します。";
constexpr wchar_t kDownCaption[] = L"∨";
constexpr wchar_t kDownHint[] = L"曲を一つ後ろに動かします。(Ctrl+↓)";
constexpr wchar_t kSaveM3UCaption[] = L"M3U";
constexpr wchar_t kSaveM3UHint[] = L"プレイリストを保存します。";
constexpr wchar_t kHelpHint[] = L"ヘルプ";

constexpr wchar_t kHeightMaxCaption[] = L"縦に最大化(&H)";
constexpr wchar_t kWidthMaxCaption[] = L"横に最大化(&W)";
constexpr wchar_t kReverseSizeCaption[] = L"元のサイズに戻す(&R)";
constexpr wchar_t kCalcTimeCaption[] = L"総演奏時間計算(&A)";
constexpr wchar_t kCloseCaption[] = L"閉じる(&C)";
constexpr wchar_t kTotalTimePrefix[] = L"総演奏時間は、";

// The save dialog's filter and default extension (ANSI).
constexpr char kM3UFilter[] = "m3u Files (*.m3u)\0*.m3u\0";
constexpr char kM3UExtension[] = "m3u";

constexpr wchar_t kNoEditRecordMessage[] = L"情報がバッファリングできませんでした";
// Shown once after a tag save in which at least one file could not be written.
constexpr wchar_t kTagSaveFailedMessage[] =
    L"少なくとも１つのファイルのタグを保存できませんでした。";
constexpr wchar_t kRenameWhilePlayingMessage[] =
    L"演奏中はファイル名の統一ができません。\n演奏を停止ししてから処理を続行してください。";
constexpr wchar_t kRenameFailedMessage[] = L"少なくとも１つのファイル名を変更できませんでした。";
