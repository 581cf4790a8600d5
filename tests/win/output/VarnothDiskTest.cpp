// Varnoth's disk writer: every stream becomes a standard WAVE file.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "Harness.h"
#include "VarnothTestSupport.h"

namespace {

using namespace varnoth_test;

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t Get16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::string Tag(const std::vector<uint8_t>& b, size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

// Checks a file the way a standard WAVE reader does and returns its sound.
std::vector<uint8_t> ReadWave(const std::vector<uint8_t>& file, const PcmFormat& format) {
    EXPECT_GE(file.size(), 44u);
    if (file.size() < 44) return {};
    EXPECT_EQ(Tag(file, 0), "RIFF");
    EXPECT_EQ(Get32(file, 4), file.size() - 8) << "RIFF size";
    EXPECT_EQ(Tag(file, 8), "WAVE");
    EXPECT_EQ(Tag(file, 12), "fmt ");
    EXPECT_EQ(Get32(file, 16), 16u);
    EXPECT_EQ(Get16(file, 20), 1u) << "PCM";
    EXPECT_EQ(Get16(file, 22), static_cast<uint32_t>(format.channels));
    EXPECT_EQ(Get32(file, 24), static_cast<uint32_t>(format.samplesPerSecond));
    const uint32_t align = static_cast<uint32_t>(format.channels * format.bitsPerSample / 8);
    EXPECT_EQ(Get32(file, 28), align * static_cast<uint32_t>(format.samplesPerSecond));
    EXPECT_EQ(Get16(file, 32), align);
    EXPECT_EQ(Get16(file, 34), static_cast<uint32_t>(format.bitsPerSample));
    EXPECT_EQ(Tag(file, 36), "data");
    const uint32_t size = Get32(file, 40);
    EXPECT_EQ(44u + size + (size & 1), file.size()) << "data size and pad byte";
    if (44u + size > file.size()) return {};
    return std::vector<uint8_t>(file.begin() + 44, file.begin() + 44 + size);
}

class VarnothDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        SetEnvironmentVariableA("VARNOTH_SINK", "disk");
        SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", folder.path().c_str());
        SetEnvironmentVariableA("VARNOTH_DISK_PACE", "fast");
        output = LoadVarnoth();
        ASSERT_NE(output, nullptr);
    }
    void TearDown() override {
        if (output) output->OutputRelease();
        SetEnvironmentVariableA("VARNOTH_SINK", nullptr);
        SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", nullptr);
        SetEnvironmentVariableA("VARNOTH_DISK_PACE", nullptr);
    }
    std::vector<uint8_t> File(const char* name) const { return ReadFileBytes(folder / name); }

    harness::ScratchFolder folder;
    OutputPlugin* output = nullptr;
};

TEST_F(VarnothDisk, SixteenBitStereoStreamBecomesAWaveFile) {
    const PcmFormat format = Format(2, 16, 44100, 8 * 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(176400 + 1000, 1);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 6 * 4608));
    output->OutputClose();
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), pcm);
}

TEST_F(VarnothDisk, OddSizedEightBitMonoGetsAPadByte) {
    const PcmFormat format = Format(1, 8, 8000, 1000);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(8001, 2);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 999));
    output->OutputClose();
    const std::vector<uint8_t> file = File("Varnoth-0001.wav");
    EXPECT_EQ(file.size(), 44u + 8001u + 1u);
    EXPECT_EQ(ReadWave(file, format), pcm);
}

TEST_F(VarnothDisk, HeaderIsRightAfterAResetAndTheStreamGoesOn) {
    const PcmFormat format = Format(2, 16, 22050, 4096);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> a = Signal(20000, 3);
    ASSERT_TRUE(WriteInBlocks(output, a, 4096));
    EXPECT_EQ(output->OutputReset(), 1);
    // Readable while still open: a reset leaves a valid file behind.
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), a);
    const std::vector<uint8_t> b = Signal(8000, 4);
    ASSERT_TRUE(WriteInBlocks(output, b, 4096));
    output->OutputClose();
    std::vector<uint8_t> both = a;
    both.insert(both.end(), b.begin(), b.end());
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), both);
}

TEST_F(VarnothDisk, ForcedStopLeavesAValidFile) {
    const PcmFormat format = Format(1, 16, 11025, 4096);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> a = Signal(5000, 5);
    ASSERT_TRUE(WriteInBlocks(output, a, 4096));
    output->OutputReset();
    output->OutputClose();
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), a);
}

TEST_F(VarnothDisk, EachStreamGetsTheNextFreeNumber) {
    const PcmFormat format = Format(1, 8, 8000, 100);
    const std::vector<uint8_t> pcm = Signal(100, 6);
    // A file of another program keeps its number.
    ASSERT_TRUE(CloseHandle(CreateFileA((folder / "Varnoth-0002.wav").c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_NEW, 0, nullptr)));
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(output->OutputOpen(0, &format), 1);
        ASSERT_TRUE(WriteInBlocks(output, pcm, 100));
        output->OutputClose();
    }
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), pcm);
    EXPECT_TRUE(File("Varnoth-0002.wav").empty());
    EXPECT_EQ(ReadWave(File("Varnoth-0003.wav"), format), pcm);
}

TEST_F(VarnothDisk, ReleaseClosesTheFileProperly) {
    const PcmFormat format = Format(2, 8, 11025, 1000);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(3000, 7);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 1000));
    output->OutputRelease();
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), pcm);
}

TEST_F(VarnothDisk, UnusableFolderRefusesTheStream) {
    const std::string blocker = folder / "file";
    ASSERT_TRUE(CloseHandle(
        CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", (blocker + "\\below").c_str());
    const PcmFormat format = Format(2, 16, 44100, 4608);
    EXPECT_EQ(output->OutputOpen(0, &format), 0);
}

TEST_F(VarnothDisk, MissingFolderIsCreated) {
    SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", (folder / "new").c_str());
    const PcmFormat format = Format(1, 8, 8000, 100);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    output->OutputClose();
    EXPECT_EQ(ReadWave(ReadFileBytes(folder / "new\\Varnoth-0001.wav"), format),
              std::vector<uint8_t>());
}

TEST_F(VarnothDisk, PauseHoldsTheWriterUntilResume) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    output->OutputPause();
    const std::vector<uint8_t> pcm = Signal(4608, 8);
    std::atomic<int> result{-1};
    std::thread writer(
        [&] { result = output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())); });
    Sleep(300);
    EXPECT_EQ(result, -1) << "written while paused";
    output->OutputResume();
    EXPECT_TRUE(harness::WaitUntil([&] { return result != -1; }));
    writer.join();
    EXPECT_EQ(result, 1);
    output->OutputClose();
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), pcm);
}

TEST_F(VarnothDisk, ResetReleasesAWriterHeldByPause) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    output->OutputPause();
    const std::vector<uint8_t> pcm = Signal(4608, 9);
    std::atomic<int> result{-1};
    std::thread writer(
        [&] { result = output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())); });
    Sleep(100);
    output->OutputReset();
    EXPECT_TRUE(harness::WaitUntil([&] { return result != -1; }, 5000));
    writer.join();
    EXPECT_EQ(result, 1);
    output->OutputClose();
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), std::vector<uint8_t>());
}

TEST_F(VarnothDisk, RealTimePacingHoldsTheWriterToTheSoundsTime) {
    SetEnvironmentVariableA("VARNOTH_DISK_PACE", "realtime");
    const PcmFormat format = Format(1, 8, 8000, 800);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(12000, 10); // 1.5 s of sound
    const DWORD start = GetTickCount();
    ASSERT_TRUE(WriteInBlocks(output, pcm, 800));
    const DWORD elapsed = GetTickCount() - start;
    output->OutputClose();
    // At most half a second may run ahead of the clock (1.4 s are due after 0.9 s).
    EXPECT_GE(elapsed, 800u);
    EXPECT_EQ(ReadWave(File("Varnoth-0001.wav"), format), pcm);
}

TEST_F(VarnothDisk, OpenCloseCyclesLeakNoHandles) {
    const PcmFormat format = Format(1, 8, 8000, 100);
    const std::vector<uint8_t> pcm = Signal(100, 12);
    auto cycle = [&] {
        ASSERT_EQ(output->OutputOpen(0, &format), 1);
        ASSERT_TRUE(WriteInBlocks(output, pcm, 100));
        output->OutputClose();
    };
    cycle();
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 20; ++i)
        cycle();
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);
}

TEST_F(VarnothDisk, SettingsComeFromTheIniBesideTheDll) {
    SetEnvironmentVariableA("VARNOTH_SINK", nullptr);
    SetEnvironmentVariableA("VARNOTH_DISK_FOLDER", nullptr);
    SetEnvironmentVariableA("VARNOTH_DISK_PACE", nullptr);
    // A copy of the DLL is another module, with its own folder and object.
    harness::ScratchFolder plugin;
    const std::string dll = plugin / "Varnoth.dll";
    ASSERT_TRUE(CopyFileA((harness::BuiltTreeFolder() + "\\Plugin\\Varnoth.dll").c_str(),
                          dll.c_str(), FALSE));
    const std::string ini = plugin / "Varnoth.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("Varnoth", "Sink", "Disk", ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Varnoth", "DiskFolder", "Saved", ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Varnoth", "DiskPace", "fast", ini.c_str()));
    OutputPlugin* copy = LoadVarnoth(dll);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, output);
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(copy->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(176400, 11);
    ASSERT_TRUE(WriteInBlocks(copy, pcm, 4608));
    copy->OutputClose();
    copy->OutputRelease();
    EXPECT_EQ(ReadWave(ReadFileBytes(plugin / "Saved\\Varnoth-0001.wav"), format), pcm);
    FreeLibrary(GetModuleHandleA(dll.c_str()));
}

} // namespace
