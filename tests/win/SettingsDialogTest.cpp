// The settings dialog of a running Quorel: its pages and captions as another
// process reads them, values changed and applied reaching "Quorel.ini" and
// the play list window, the skin message, the keyboard, the colour dialog,
// and saving to and loading from other settings files.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

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

// The header of the play list window, which exists hidden from the start.
std::vector<std::wstring> PlayListTitles() {
    HWND window = FindWindowW(L"QuorelPlayList", nullptr);
    HWND view = window ? FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    harness::ListViewContents contents;
    if (!view || !harness::ReadListView(view, contents)) return {};
    return contents.titles;
}

// Presses a button of the dialog that opens a common dialog, and returns that.
HWND OpenedBy(const harness::Process& quorel, HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    return harness::WaitForMessageBox(quorel.id());
}

// Names `path` in an open or save dialog and accepts it.
void ChooseFile(HWND dialog, const std::string& path) {
    // The file name box: a combo box, or an edit.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name) name = GetDlgItem(dialog, 0x480);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// Types a colour into the full colour dialog's red, green and blue boxes and
// ends it with `button` (IDOK or IDCANCEL).
void ChooseColour(HWND dialog, COLORREF colour, int button) {
    const int boxes[] = {706, 707, 708};
    const int values[] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (int index = 0; index < 3; ++index)
        SendMessageW(GetDlgItem(dialog, boxes[index]), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(values[index]).c_str()));
    PostMessageW(dialog, WM_COMMAND, button, 0);
}

// A pixel of a control as shown, read through its top-level window (Wine
// reads another process's child windows blank).
COLORREF ShownPixel(HWND control, int x, int y) {
    POINT point{x, y};
    HWND top = GetAncestor(control, GA_ROOT);
    MapWindowPoints(control, top, &point, 1);
    return harness::ClientPixel(top, point.x, point.y);
}

bool BecomesForeground(HWND window) {
    SetForegroundWindow(window);
    return harness::WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

// Presses a key (with `held` held) and waits until `expected` has the focus.
bool FocusMovesTo(HWND dialog, WORD key, WORD held, HWND expected) {
    harness::PressKey(key, held);
    return harness::WaitUntil([&] { return harness::FocusOf(dialog) == expected; }, 5000);
}

// Quorel started in a scratch tree, with its settings dialog open.
class SettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        main = harness::WaitForMainWindow(quorel.id());
        ASSERT_NE(main, nullptr);
        dialog = OpenSettings(quorel, main);
        ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
    }

    harness::ScratchTree tree;
    harness::Process quorel{tree.program(), {}};
    HWND main = nullptr;
    HWND dialog = nullptr;
};

TEST_F(SettingsDialog, ShowsEveryPageAndAppliedValuesReachTheSettingsFile) {

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

    // The play list window shows the chosen columns at once.
    EXPECT_TRUE(harness::WaitUntil([] {
        return PlayListTitles() == std::vector<std::wstring>{L"<->",  L"Artist",   L"Album",
                                                             L"Year", L"FileName", L"Time"};
    })) << "the play list header does not follow Apply";

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

TEST_F(SettingsDialog, LoadsOnlySettingsFilesAndSavesToAnotherFileWhichTheDefaultFileThenNames) {
    harness::ScratchFolder elsewhere;
    const std::string other = elsewhere / "other.ini";
    const std::string loaded = elsewhere / "loaded.ini";
    const std::string notes = elsewhere / "notes.txt";
    const std::string notesText = "Title=1\nnot a settings file\n";
    const std::string loadedText = "[PlayListMode]\r\nTitleOn=0\r\nGenreOn=1\r\n"
                                   "[PanelMode]\r\nTitleScroll=0\r\n";
    for (const auto& [path, text] : {std::pair{notes, notesText}, std::pair{loaded, loadedText}}) {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    const std::wstring defaultPath = harness::WindowTextOf(Item(dialog, kIniPathId));

    // A file without a settings section is refused and changes nothing.
    HWND open = OpenedBy(quorel, Item(dialog, kLoadIniId));
    ASSERT_NE(open, nullptr) << "no load dialog";
    EXPECT_EQ(harness::WindowTextOf(open), L"設定の保存");
    ChooseFile(open, notes);
    HWND refusal = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        refusal = harness::FindMessageBox(quorel.id());
        return refusal && harness::MessageBoxText(refusal) != L"";
    })) << "no message for a file that is no settings file";
    EXPECT_EQ(harness::MessageBoxText(refusal),
              L"設定ファイルではないため、読み込みませんでした。");
    harness::PressOk(refusal);
    ASSERT_TRUE(
        harness::WaitUntil([&] { return harness::FindMessageBox(quorel.id()) == nullptr; }));
    EXPECT_EQ(harness::WindowTextOf(Item(dialog, kIniPathId)), defaultPath);
    EXPECT_TRUE(Checked(dialog, kTitleOnCheck));
    EXPECT_TRUE(Checked(dialog, kTitleScrollCheck));

    // A settings file: its values shown and applied, the rest reset.
    open = OpenedBy(quorel, Item(dialog, kLoadIniId));
    ASSERT_NE(open, nullptr);
    ChooseFile(open, loaded);
    EXPECT_TRUE(harness::WaitUntil([&] {
        return harness::WindowTextOf(Item(dialog, kIniPathId)) ==
               std::wstring(loaded.begin(), loaded.end());
    })) << "the dialog does not show the loaded file";
    EXPECT_FALSE(Checked(dialog, kTitleOnCheck));
    EXPECT_TRUE(Checked(dialog, kGenreOnCheck));
    EXPECT_FALSE(Checked(dialog, kTitleScrollCheck));
    EXPECT_TRUE(harness::WaitUntil([] {
        return PlayListTitles() ==
               std::vector<std::wstring>{L"<->", L"Artist", L"Album", L"Genre", L"Time"};
    })) << "the loaded columns were not applied";

    HWND save = OpenedBy(quorel, Item(dialog, kSaveIniId));
    ASSERT_NE(save, nullptr) << "no save dialog";
    EXPECT_EQ(harness::WindowTextOf(save), L"設定の保存");
    ChooseFile(save, other);
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
    for (const char* line : {"TitleOn=0\r\n", "GenreOn=1\r\n", "TitleScroll=0\r\n"})
        EXPECT_TRUE(Contains(saved, line)) << line << " (loaded) missing from\n" << saved;
    ASSERT_TRUE(harness::ReadWholeFile(tree.folder() + "\\Quorel.ini", pointer));
    EXPECT_EQ(pointer, "[OtherOption]\r\nSpecialIniPath=" + other + "\r\n");
    std::string refused;
    ASSERT_TRUE(harness::ReadWholeFile(notes, refused));
    EXPECT_EQ(refused, notesText) << "the refused file was rewritten";
}

TEST_F(SettingsDialog, KeysMoveFocusCancelAndApplyAndTheColourDialogSetsAPendingColour) {
    HWND first = Item(dialog, CheckId(kNotReflexiveCheck));
    HWND second = Item(dialog, CheckId(kNotOpenWAVCheck));

    // Tab and Shift+Tab walk the page's controls in their order.
    ASSERT_TRUE(BecomesForeground(dialog));
    EXPECT_TRUE(FocusMovesTo(dialog, VK_TAB, 0, first)) << "Tab does not reach the first box";
    EXPECT_TRUE(FocusMovesTo(dialog, VK_TAB, 0, second)) << "Tab does not move on";
    EXPECT_TRUE(FocusMovesTo(dialog, VK_TAB, VK_SHIFT, first)) << "Shift+Tab does not move back";

    // Space ticks the focused box, `key` closes the dialog; the dialog
    // opened again.
    auto tickAndCloseWith = [&](WORD key, const char* name) {
        harness::PressKey(VK_SPACE);
        EXPECT_TRUE(harness::WaitUntil([&] { return Checked(dialog, kNotReflexiveCheck); }));
        harness::PressKey(key);
        EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowVisible(dialog); })) << name;
        return OpenSettings(quorel, main);
    };
    // Esc closes without applying.
    ASSERT_EQ(tickAndCloseWith(VK_ESCAPE, "Esc"), dialog);
    EXPECT_FALSE(Checked(dialog, kNotReflexiveCheck)) << "Esc applied the change";

    // Enter is OK: applies and closes.
    ASSERT_TRUE(BecomesForeground(dialog));
    EXPECT_TRUE(FocusMovesTo(dialog, VK_TAB, 0, first));
    ASSERT_EQ(tickAndCloseWith(VK_RETURN, "Enter"), dialog);
    EXPECT_TRUE(Checked(dialog, kNotReflexiveCheck)) << "Enter did not apply the change";

    // The left colour from the colour dialog: the sample on the panel page
    // shows it at once.
    SendMessageW(Item(dialog, kPageTabsId), TCM_SETCURFOCUS, 1, 0);
    HWND sample = Item(dialog, kBarColorId);
    ASSERT_TRUE(harness::WaitUntil([&] { return IsWindowVisible(sample) != FALSE; }));
    RECT area;
    ASSERT_TRUE(GetClientRect(sample, &area));
    const int middle = area.bottom / 2;
    const COLORREF chosen = RGB(0x20, 0x80, 0xC0);
    HWND colours = OpenedBy(quorel, Item(dialog, kLeftColorId));
    ASSERT_NE(colours, nullptr) << "no colour dialog";
    ChooseColour(colours, chosen, IDOK);
    EXPECT_TRUE(harness::WaitUntil([&] { return ShownPixel(sample, 0, middle) == chosen; }))
        << "the sample does not show the chosen colour";
    // Cancel in the colour dialog keeps the right colour.
    const COLORREF rightEnd = ShownPixel(sample, area.right - 1, middle);
    colours = OpenedBy(quorel, Item(dialog, kRightColorId));
    ASSERT_NE(colours, nullptr);
    ChooseColour(colours, RGB(0, 0, 0), IDCANCEL);
    ASSERT_TRUE(
        harness::WaitUntil([&] { return harness::FindMessageBox(quorel.id()) == nullptr; }));
    // (Where the colour dialog stood is drawn again a moment later.)
    EXPECT_TRUE(harness::WaitUntil([&] {
        return ShownPixel(sample, area.right - 1, middle) == rightEnd &&
               ShownPixel(sample, 0, middle) == chosen;
    })) << "Cancel in the colour dialog changed the sample";

    PostMessageW(Item(dialog, kApplyId), BM_CLICK, 0, 0);
    EXPECT_TRUE(harness::WaitUntil([&] { return !IsWindowEnabled(Item(dialog, kApplyId)); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(quorel.WaitForExit(), 0);
    std::string ini;
    ASSERT_TRUE(harness::ReadWholeFile(tree.folder() + "\\Quorel.ini", ini));
    for (const std::string line :
         {"NotReflexive=1\r\n", "LeftColor=12615712\r\n", "RightColor=16777215\r\n"})
        EXPECT_TRUE(Contains(ini, line)) << line << " missing from\n" << ini;
}

} // namespace
