// Quorel.exe under real mouse and keyboard input: the control menu's MPEG
// information, the open dialog, the folder browser, the re-open history
// across two runs, and files dropped from another process.
#include <gtest/gtest.h>

#include <cstring>

#include "Harness.h"
#include "TessalyTestSupport.h"

#include <shlobj.h> // DROPFILES; after windows.h

namespace {

using namespace tessaly_test;

// The tagged fixture (3 s) with another ID3v1 title; artist "Quorel".
Bytes TaggedTone(const std::string& title) {
    Bytes file = ReadFile(Fixture("tone-22k-tagged.mp3"));
    const size_t titleField = file.size() - 128 + 3;
    std::fill(file.begin() + titleField, file.begin() + titleField + 30, 0);
    std::copy(title.begin(), title.end(), file.begin() + titleField);
    return file;
}

// Two minutes of quiet, untagged.
Bytes LongWave() {
    return MakeWave(1, 1, 8000, Bytes(8000 * 2 * 120, 0));
}

// The task-bar title while a tone titled `title` plays; an untagged file's.
std::wstring Playing(const wchar_t* title) {
    return std::wstring(L" ") + title + L" : Quorel : Quorel";
}
const std::wstring kPlayingUntagged = L"  :  : Quorel";

BOOL CALLBACK FindEdit(HWND child, LPARAM parameter) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (!IsWindowVisible(child) || _stricmp(className, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(parameter) = child;
    return FALSE;
}

// The open dialog's one visible edit: the file name box.
HWND FileNameBox(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, FindEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A folder at the drive's root: the folder browser's tree shows no hidden
// folder on the way (the temporary folder lies below one).
class RootFolder {
  public:
    RootFolder() : path("C:\\QuorelMenusTest" + std::to_string(GetCurrentProcessId())) {
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~RootFolder() {
        for (const char* name : {"\\a.mp3", "\\b.mp3"})
            DeleteFileA((path + name).c_str());
        RemoveDirectoryA(path.c_str());
    }
    const std::string path;
};

// The panel's open button (lower row) and a spot on the title line.
constexpr int kOpenX = 245, kOpenY = 22;
constexpr int kTitleX = 100, kTitleY = 10;

class Menus : public ::testing::Test {
  protected:
    // Starts Quorel with `arguments` and waits for its window.
    void Start(const std::vector<std::string>& arguments) {
        quorel = std::make_unique<harness::Process>(tree.program(), arguments);
        window = harness::WaitForMainWindow(quorel->id());
        ASSERT_NE(window, nullptr);
    }
    // Opens a menu with a click and walks it with the keys.
    void Choose(DWORD down, DWORD up, int x, int y, std::initializer_list<WORD> keys) {
        harness::SendClick(window, x, y, down, up);
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::PopupMenuOpen(quorel->id()); }))
            << "no menu opened";
        harness::PressMenuKeys(quorel->id(), keys);
        ASSERT_TRUE(harness::WaitUntil([&] { return !harness::PopupMenuOpen(quorel->id()); }));
    }
    ::testing::AssertionResult TitleBecomes(const std::wstring& title) {
        if (harness::WaitUntil([&] { return harness::WindowTextOf(window) == title; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the title is \"" << harness::WindowTextOf(window) << "\"";
    }
    void Close() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(quorel->WaitForExit(), 0);
    }
    std::string Music(const std::string& name) const { return music.path() + "\\" + name; }

    harness::ScratchTree tree;
    harness::ScratchFolder music;
    std::unique_ptr<harness::Process> quorel;
    HWND window = nullptr;
};

TEST_F(Menus, RightClickShowsTheMpegInformationOfTheCurrentItem) {
    WriteFile(Music("tone.mp3"), ReadFile(Fixture("tone-22k-tagged.mp3")));
    Start({Music("tone.mp3")});
    ASSERT_TRUE(TitleBecomes(Playing(L"Tone")));
    // "プレイリスト", then "MPEG INFO".
    Choose(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, kTitleX, kTitleY,
           {VK_DOWN, VK_DOWN, VK_RETURN});
    HWND box = harness::WaitForMessageBox(quorel->id());
    ASSERT_NE(box, nullptr);
    // The fixture's first header: FF F3 80 C4 (MPEG-2 Layer III, single
    // channel, original, no copyright, no emphasis).
    EXPECT_EQ(harness::MessageBoxText(box), L"--- MPEG Info ---\nMPEG-2 layer  3\nmode  mono\n"
                                            L"copyright  No\noriginal  Yes\nemphasis  No");
    EXPECT_EQ(harness::WindowTextOf(box), L"Quorel");
    harness::PressOk(box);
    Close();
}

TEST_F(Menus, OpenDialogPlaysTheChosenNamesInTheirOrderAndCancelChangesNothing) {
    WriteFile(Music("long.wav"), LongWave());
    WriteFile(Music("a.mp3"), TaggedTone("A"));
    WriteFile(Music("b.mp3"), TaggedTone("B"));
    Start({Music("long.wav")});
    ASSERT_TRUE(TitleBecomes(kPlayingUntagged));

    // "ファイルを開く" of the open button's menu; the dialog starts in the
    // folder of the last file opened.
    Choose(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, kOpenX, kOpenY, {VK_DOWN, VK_RETURN});
    HWND dialog = harness::WaitForMessageBox(quorel->id());
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(harness::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(harness::WindowTextOf(window), kPlayingUntagged) << "cancel changed the list";

    Choose(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, kOpenX, kOpenY, {VK_DOWN, VK_RETURN});
    dialog = harness::WaitForMessageBox(quorel->id());
    ASSERT_NE(dialog, nullptr);
    HWND name = FileNameBox(dialog);
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\"b.mp3\" \"a.mp3\""));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(TitleBecomes(Playing(L"B"))) << "the first chosen name does not play";
    EXPECT_TRUE(TitleBecomes(Playing(L"A"))) << "the second does not follow";
    EXPECT_TRUE(TitleBecomes(L"Quorel")) << "the list was not replaced";
    Close();
}

TEST_F(Menus, FolderBrowserLoadsTheLastFolderAndTheNextRunReopensIt) {
    const RootFolder folder;
    WriteFile(folder.path + "\\a.mp3", TaggedTone("A"));
    WriteFile(folder.path + "\\b.mp3", TaggedTone("B"));
    Start({folder.path + "\\a.mp3"});
    ASSERT_TRUE(TitleBecomes(Playing(L"A")));
    ASSERT_TRUE(TitleBecomes(L"Quorel")) << "the one-item list ends";
    // "フォルダで開く": OK on the folder it starts in loads a and b.
    Choose(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, kOpenX, kOpenY, {VK_DOWN, VK_DOWN, VK_RETURN});
    HWND browser = harness::WaitForMessageBox(quorel->id());
    ASSERT_NE(browser, nullptr);
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(TitleBecomes(Playing(L"B"))) << "the folder was not loaded";
    Close();

    std::string ini;
    ASSERT_TRUE(harness::ReadWholeFile(tree.folder() + "\\Quorel.ini", ini));
    EXPECT_NE(ini.find("[FileList]\r\nName0=" + folder.path + "\\\r\nName1=\r\n"),
              std::string::npos)
        << ini;

    // Next run, nothing loaded: "開き直す" and its first entry.
    Start({});
    Choose(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, kOpenX, kOpenY,
           {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
    EXPECT_TRUE(TitleBecomes(Playing(L"A"))) << "the history did not reopen the folder";
    Close();
}

// A drop as Explorer delivers it: a DROPFILES block in the receiver's
// memory, its address in WM_DROPFILES.
TEST_F(Menus, DroppedFilesReplaceTheListSortedByName) {
    WriteFile(Music("long.wav"), LongWave());
    WriteFile(Music("a.mp3"), TaggedTone("A"));
    WriteFile(Music("b.mp3"), TaggedTone("B"));
    {
        std::string ini = "[FileOpenMode]\r\nDDtoAdd=0\r\n";
        WriteFile(tree.folder() + "\\Quorel.ini", Bytes(ini.begin(), ini.end()));
    }
    Start({Music("long.wav")});
    ASSERT_TRUE(TitleBecomes(kPlayingUntagged));

    const std::string b = Music("b.mp3"), a = Music("a.mp3");
    const std::wstring names =
        std::wstring(b.begin(), b.end()) + L'\0' + std::wstring(a.begin(), a.end()) + L'\0' + L'\0';
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    Bytes block(sizeof header + names.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, quorel->id());
    ASSERT_NE(process, nullptr);
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(WriteProcessMemory(process, remote, block.data(), block.size(), nullptr));
    CloseHandle(process);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);

    EXPECT_TRUE(TitleBecomes(Playing(L"A"))) << "the dropped files did not replace the list";
    EXPECT_TRUE(TitleBecomes(Playing(L"B")));
    EXPECT_TRUE(TitleBecomes(L"Quorel"));
    Close();
}

} // namespace
