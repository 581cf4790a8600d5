#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Harness.h"

using namespace harness;

namespace {

constexpr UINT kHandoverMessage = 0x80C8;

// "D:\名前 の表示" in code page 932; the second byte of 表 is a backslash.
const char kJapaneseFolder[] = "D:\\\x96\xbc\x91\x4f \x82\xcc\x95\x5c\x8e\xa6";

std::string HandoverListPath() {
    char folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    std::string path(folder, length);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + "quorel.m3u";
}

// `seconds` of 8 kHz mono 16-bit silence as a WAVE file.
std::vector<uint8_t> SilentWave(uint32_t seconds) {
    const uint32_t data = seconds * 16000;
    std::vector<uint8_t> bytes(44 + data, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    std::memcpy(bytes.data(), "RIFF\0\0\0\0WAVEfmt ", 16);
    put32(4, 36 + data);
    put32(16, 16);
    put32(20, 1 | 1 << 16);  // PCM, one channel
    put32(24, 8000);         // samples per second
    put32(28, 16000);        // bytes per second
    put32(32, 2 | 16 << 16); // block align, bits per sample
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(40, data);
    return bytes;
}

// Plays the first instance itself: owns the mutex and a window carrying the
// property, and records the messages that reach it.
class FirstInstanceStandIn {
  public:
    FirstInstanceStandIn() {
        mutex = CreateMutexA(nullptr, TRUE, "Quorel_MP3Player_with_ID3TagEditor");
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorelStandIn";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "QuorelStandIn", "stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetPropA(window, "Quorel_MP3Player", reinterpret_cast<HANDLE>(1));
    }
    ~FirstInstanceStandIn() {
        RemovePropA(window, "Quorel_MP3Player");
        DestroyWindow(window);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    bool ready() const { return mutex && GetLastError() != ERROR_ALREADY_EXISTS && window; }

    // Pumps messages until the hand-over message arrives or time runs out.
    bool ReceiveHandover(DWORD timeoutMs) {
        return WaitUntil(
            [&] {
                MSG message;
                while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
                    if (message.message == kHandoverMessage && message.wParam == 0 &&
                        message.lParam == 0)
                        return true;
                    DispatchMessageA(&message);
                }
                return false;
            },
            timeoutMs);
    }
    HWND handle() const { return window; }

  private:
    HANDLE mutex = nullptr;
    HWND window = nullptr;
};

TEST(SingleInstance, SecondStartWithoutArgumentsRestoresTheFirstAndWritesNothing) {
    DeleteFileA(HandoverListPath().c_str());
    ScratchTree tree;
    Process first(tree.program(), {});
    HWND window = WaitForMainWindow(first.id());
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));

    Process second(tree.program(), {});
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) == FALSE; })) << "not restored";
    EXPECT_EQ(GetFileAttributesA(HandoverListPath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "a hand-over list was written without arguments";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST(SingleInstance, SecondStartWithArgumentsHandsThemOver) {
    DeleteFileA(HandoverListPath().c_str());
    FirstInstanceStandIn standIn;
    ASSERT_TRUE(standIn.ready());
    ShowWindow(standIn.handle(), SW_MINIMIZE);

    ScratchTree tree;
    ScratchFolder current;
    Process second(tree.program(), {"C:\\music\\a.mp3", kJapaneseFolder, "list.m3u"},
                   current.path());
    ASSERT_TRUE(second.started());
    EXPECT_TRUE(standIn.ReceiveHandover(kDefaultTimeoutMs));
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_FALSE(IsIconic(standIn.handle())) << "the first instance was not restored";

    std::string contents;
    ASSERT_TRUE(ReadWholeFile(HandoverListPath(), contents));
    // The arguments as the second process got them (ANSI), made absolute
    // against its current directory, one per CR LF line.
    EXPECT_EQ(contents, std::string("C:\\music\\a.mp3\r\n") + kJapaneseFolder + "\r\n" +
                            current.path() + "\\list.m3u\r\n");
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

TEST(SingleInstance, RelativeNamesFromAnotherFolderPlayInBothInstances) {
    ScratchTree tree;
    // The user's folder, away from the program's, with the music below it.
    ScratchFolder current;
    ASSERT_TRUE(CreateDirectoryA((current / "music").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(current / "music\\song.wav", SilentWave(20)));
    std::string tagged;
    ASSERT_TRUE(
        ReadWholeFile(std::string(QUOREL_TEST_DATA) + "\\input\\tone-22k-tagged.mp3", tagged));
    ASSERT_TRUE(WriteBytes(current / "music\\tagged.mp3",
                           std::vector<uint8_t>(tagged.begin(), tagged.end())));

    Process first(tree.program(), {"music\\song.wav"}, current.path());
    HWND window = WaitForMainWindow(first.id());
    ASSERT_NE(window, nullptr);
    // With AutoPlay on it plays: the task-bar title names the item (an
    // untitled file: empty title and artist).
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(window) == L"  :  : Quorel"; }))
        << "the first instance did not play its relative argument";

    Process second(tree.program(), {"music\\tagged.mp3"}, current.path());
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(window) == L" Tone : Quorel : Quorel"; }))
        << "the first instance did not play the handed-over relative name";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST(SingleInstance, SecondStartMakesNoWindowOfItsOwn) {
    FirstInstanceStandIn standIn;
    ASSERT_TRUE(standIn.ready());
    ScratchTree tree;
    Process second(tree.program(), {"x.mp3"});
    ASSERT_TRUE(second.started());
    bool sawWindow = false;
    // Watch the second process until it ends.
    WaitUntil([&] {
        sawWindow = sawWindow || FindMainWindow(second.id()) != nullptr;
        return second.WaitForExit(0) != -1;
    });
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_FALSE(sawWindow);
}

} // namespace
