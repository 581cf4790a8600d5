// The settings dialog of a running Quorel: its pages and captions as another
// process reads them, values changed and applied reaching "Quorel.ini" at
// exit, the skin message, and saving to another settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "DialogCommands.h"
#include "Harness.h"
#include "SettingsDialog.h"

namespace {

const std::vector<std::wstring> kTabs = {L"ファイル",   L"パネル", L"プレイリスト", L"再生",
                                         L"ボリューム", L"その他", L"タイマ"};

// Every caption of every page, and the three buttons below them.
const std::vector<std::wstring> kCaptions = {L"フォルダの階層を再帰的に開かない",
                                             L"ＷＡＶファイルを開かない",
                                             L"ＭＰ３ファイルを開かない",
                                             L"ＲＭＰファイルを開かない",
                                             L"Ｍ３Ｕファイルを展開しない",
                                             L"オーディオCDを開かない",
                                             L"ドラッグ＆ドロップで追加する",
                                             L"M3Uファイルを相対パスで保存する",
                                             L"タスクトレイにアイコンを表示する",
                                             L"最小化でタスクバーにアイコンを表示しない",
                                             L"タイトルをスクロールする",
                                             L"リピート・シャッフルボタンの入替え",
                                             L"スキンを使用する",
                                             L"インフォメーションパネルの情報を移動する",
                                             L"元の位置",
                                             L"・バーの色の設定",
                                             L"左端の色",
                                             L"右端の色",
                                             L"リストモードでの表示項目",
                                             L"タイトル",
                                             L"アーティスト",
                                             L"アルバム",
                                             L"年",
                                             L"ジャンル",
                                             L"コメント",
                                             L"ファイル名",
                                             L"時間",
                                             L"システムメニューにプレイリストを組み込む",
                                             L"自動演奏をする",
                                             L"ファイルが追加されても演奏を続ける",
                                             L"DirectSoundを使用する",
                                             L"デコード",
                                             L"ダウンサンプリング",
                                             L"チャンネルの設定",
                                             L"MPx,RMP,WAVを演奏中のボリューム",
                                             L"デバイス :",
                                             L"ボリューム :",
                                             L"ＣＤオーディオを演奏中のボリューム",
                                             L"ＣＰＵの負荷表示",
                                             L"負荷表示をする",
                                             L"負荷表示間隔(ms)",
                                             L"500",
                                             L"設定の保存と読み込み",
                                             L"現在の設定ファイル：",
                                             L"保存",
                                             L"読み込み",
                                             L"お休みタイマ設定",
                                             L"・動作開始までの時間",
                                             L"：",
                                             L"・実行内容",
                                             L"OK",
                                             L"キャンセル",
                                             L"適用"};

const std::wstring kSkinMessage = L"スキンの設定は次回起動時に反映されます。";

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t text[256] = {};
        SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

void Click(HWND dialog, SettingsCheck check) {
    SendMessageW(Item(dialog, CheckId(check)), BM_CLICK, 0, 0);
}

void Select(HWND dialog, int id, int index) {
    HWND list = Item(dialog, id);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool Checked(HWND dialog, SettingsCheck check) {
    return SendMessageW(Item(dialog, CheckId(check)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND OpenSettings(const harness::Process& quorel, HWND main) {
    PostMessageW(main, WM_COMMAND, kShowSettingsCommand, 0);
    return harness::WaitForVisibleWindow(quorel.id(), TForm10::kClassName);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SettingsDialog, ShowsEveryPageAndAppliedValuesReachTheSettingsFile) {
    harness::ScratchTree tree;
    harness::Process quorel(tree.program(), {});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenSettings(quorel, main);
    ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";

    EXPECT_EQ(harness::WindowTextOf(dialog), L"設定");
    RECT client, frame;
    ASSERT_TRUE(GetClientRect(dialog, &client));
    ASSERT_TRUE(GetWindowRect(dialog, &frame));
    EXPECT_EQ(client.right, 276);
    EXPECT_EQ(client.bottom, 251);
    EXPECT_EQ(frame.right - frame.left, 276) << "the dialog has a border";

    HWND tabs = Item(dialog, kPageTabsId);
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 7);
    for (int index = 0; index < 7; ++index)
        EXPECT_EQ(harness::TabText(tabs, index), kTabs[index]) << "tab " << index;
    const std::vector<std::wstring> texts = harness::ChildTexts(dialog);
    for (const std::wstring& caption : kCaptions)
        EXPECT_NE(std::find(texts.begin(), texts.end(), caption), texts.end())
            << "no control shows the caption of index "
            << std::find(kCaptions.begin(), kCaptions.end(), caption) - kCaptions.begin();
    EXPECT_EQ(ListItems(Item(dialog, kReductionId)),
              (std::vector<std::wstring>{L"通常処理", L"１/２", L"１/４"}));
    EXPECT_EQ(ListItems(Item(dialog, kConvertId)),
              (std::vector<std::wstring>{L"通常処理", L"モノラル処理"}));
    EXPECT_EQ(ListItems(Item(dialog, kOyaProcessId)),
              (std::vector<std::wstring>{L"電源を切る", L"電源を切る準備(NT系のみ)", L"再起動",
                                         L"Quorelの終了", L"演奏停止"}));
    EXPECT_FALSE(ListItems(Item(dialog, kWaveDeviceId)).empty()) << "no mixer devices listed";
    EXPECT_FALSE(ListItems(Item(dialog, kWaveVolumeId)).empty()) << "no volume lines listed";
    // The first-run values, and the controls that are stored only.
    EXPECT_TRUE(Checked(dialog, kDDtoAddCheck));
    EXPECT_FALSE(Checked(dialog, kYearOnCheck));
    EXPECT_TRUE(Checked(dialog, kMplTitleOnCheck));
    EXPECT_FALSE(IsWindowEnabled(Item(dialog, CheckId(kMplTitleOnCheck))));
    for (int id : {CheckId(kOkDDCheck), int(kDDReturnId)}) {
        EXPECT_FALSE(IsWindowVisible(Item(dialog, id)));
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, id)));
    }
    EXPECT_FALSE(IsWindowEnabled(Item(dialog, CheckId(kPerformCPUCheck))));
    EXPECT_FALSE(IsWindowEnabled(Item(dialog, kBarIconCheck + kCheckIdBase)));
    EXPECT_FALSE(IsWindowEnabled(Item(dialog, kApplyId)));

    // Change boxes, lists and the timer; the tray pair rule on the way.
    Click(dialog, kYearOnCheck);
    Click(dialog, kFileNameOnCheck);
    Click(dialog, kTitleOnCheck);
    Click(dialog, kNotOpenWAVCheck);
    Click(dialog, kTrayIconCheck);
    EXPECT_TRUE(IsWindowEnabled(Item(dialog, CheckId(kBarIconCheck))));
    Click(dialog, kBarIconCheck);
    Click(dialog, kTrayIconCheck);
    EXPECT_FALSE(Checked(dialog, kBarIconCheck));
    Click(dialog, kTrayIconCheck);
    Click(dialog, kUseSkinCheck);
    Select(dialog, kReductionId, 2);
    Select(dialog, kOyaProcessId, 4);
    SendMessageW(Item(dialog, kHoursEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2"));
    SendMessageW(Item(dialog, kMinutesEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
    EXPECT_TRUE(IsWindowEnabled(Item(dialog, kApplyId)));

    // Apply: the skin choice acts at the next start and says so.
    PostMessageW(Item(dialog, kApplyId), BM_CLICK, 0, 0);
    HWND box = harness::WaitForMessageBox(quorel.id());
    ASSERT_NE(box, nullptr) << "no skin message";
    EXPECT_EQ(harness::MessageBoxText(box), kSkinMessage);
    harness::PressOk(box);
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowEnabled(Item(dialog, kApplyId)); }))
        << "Apply did not finish";
    EXPECT_EQ(harness::FindMessageBox(quorel.id()), nullptr) << "a second message came";

    // Cancel only closes; the applied values stay.
    SendMessageW(Item(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog));

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(quorel.WaitForExit(), 0);
    std::string ini;
    ASSERT_TRUE(harness::ReadWholeFile(tree.folder() + "\\Quorel.ini", ini));
    for (const char* line :
         {"NotOpenWAV=1\r\n", "YearOn=1\r\n", "FileNameOn=1\r\n", "TitleOn=0\r\n", "TrayIcon=1\r\n",
          "BarIcon=0\r\n", "UseSkin=0\r\n", "Reduction=2\r\n", "OyasumiMin=125\r\n",
          "OyasumiProcess=4\r\n", "DDtoAdd=1\r\n"})
        EXPECT_TRUE(Contains(ini, line)) << line << " missing from\n" << ini;
}

TEST(SettingsDialog, SavesToAnotherFileWhichTheDefaultFileThenNames) {
    harness::ScratchTree tree;
    harness::ScratchFolder elsewhere;
    const std::string other = elsewhere / "other.ini";
    harness::Process quorel(tree.program(), {});
    HWND main = harness::WaitForMainWindow(quorel.id());
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenSettings(quorel, main);
    ASSERT_NE(dialog, nullptr);

    PostMessageW(Item(dialog, kSaveIniId), BM_CLICK, 0, 0);
    HWND save = harness::WaitForMessageBox(quorel.id());
    ASSERT_NE(save, nullptr) << "no save dialog";
    EXPECT_EQ(harness::WindowTextOf(save), L"設定の保存");
    // The file name box of the common dialog (combo box, or edit).
    HWND name = GetDlgItem(save, 0x47C);
    if (!name) name = GetDlgItem(save, 0x480);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
    PostMessageW(save, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(harness::WaitUntil([&] {
        char shown[MAX_PATH] = {};
        GetWindowTextA(Item(dialog, kIniPathId), shown, MAX_PATH);
        return other == shown;
    })) << "the dialog does not show the saved file";

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(quorel.WaitForExit(), 0);
    std::string saved, pointer;
    ASSERT_TRUE(harness::ReadWholeFile(other, saved));
    for (const char* section :
         {"[FileOpenMode]", "[PanelMode]", "[Titlebar]", "[PlayListMode]", "[PlayOption]",
          "[OtherOption]", "[VolumeDevice]", "[OyasumiTimer]", "[MainWindowParameter]"})
        EXPECT_TRUE(Contains(saved, section)) << section;
    EXPECT_TRUE(Contains(saved, "SpecialIniPath=" + other + "\r\n"));
    ASSERT_TRUE(harness::ReadWholeFile(tree.folder() + "\\Quorel.ini", pointer));
    EXPECT_EQ(pointer, "[OtherOption]\r\nSpecialIniPath=" + other + "\r\n");
}

} // namespace
