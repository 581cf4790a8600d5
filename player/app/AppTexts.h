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

// Skin messages. A sheet's file name goes in front of kSkinSheetMissing.
constexpr wchar_t kSkinSheetMissing[] = L" が見つかりません。";
constexpr wchar_t kSkinRegionFailed[] = L"リージョン作成失敗";
constexpr wchar_t kSkinBackgroundRejected[] =
    L"quorel_skin.ini の main_bkg がウインドウの大きさになりません。\n標準のパネルで表示します。";
