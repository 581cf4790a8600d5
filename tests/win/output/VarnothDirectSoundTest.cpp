// Varnoth through DirectSound (Wine's dsound.dll mixing into the ALSA
// capture sink).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "Harness.h"
#include "VarnothTestSupport.h"

namespace {

using namespace varnoth_test;

constexpr DWORD kArrivalMs = 30000;

HWND MakeWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "VarnothTestWindow";
    RegisterClassA(&type);
    return CreateWindowA("VarnothTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, type.hInstance,
                         nullptr);
}

// Wine's DirectSound mixes into 32-bit float at the device's 48 kHz: a
// 48 kHz 16-bit stream arrives as its samples divided by 32768.
std::vector<float> AsMixed(const std::vector<uint8_t>& pcm16) {
    std::vector<float> mixed(pcm16.size() / 2);
    for (size_t i = 0; i < mixed.size(); ++i)
        mixed[i] = static_cast<int16_t>(pcm16[2 * i] | pcm16[2 * i + 1] << 8) / 32768.0f;
    return mixed;
}

std::vector<float> AsFloats(const std::vector<uint8_t>& bytes) {
    std::vector<float> floats(bytes.size() / 4);
    std::memcpy(floats.data(), bytes.data(), floats.size() * 4);
    return floats;
}

// DirectSound's device idles before the first sound and after the last:
// waits for the stream's length and a tenth of a second more from the first
// sound. Inside the stream every sample must match (ExpectMixedExactly).
std::vector<float> MixedCapture(const Capture& capture, uint64_t start, size_t samples) {
    std::vector<float> got;
    harness::WaitUntil(
        [&] {
            got = AsFloats(capture.ReadFrom(start));
            const auto first = std::find_if(got.begin(), got.end(), [](float x) { return x != 0; });
            return static_cast<size_t>(got.end() - first) >= samples + 9600;
        },
        kArrivalMs);
    return got;
}

// The capture holds the stream whole and in order, with only silence
// around it.
void ExpectMixedExactly(const Capture& capture, uint64_t start, const std::vector<uint8_t>& pcm16) {
    const std::vector<float> expected = AsMixed(pcm16);
    const std::vector<float> got = MixedCapture(capture, start, expected.size());
    const auto first = std::find_if(got.begin(), got.end(), [](float x) { return x != 0.0f; });
    ASSERT_TRUE(first != got.end()) << "nothing but silence arrived";
    const size_t at = static_cast<size_t>(first - got.begin());
    ASSERT_GE(got.size() - at, expected.size()) << "the end of the stream is missing";
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), first)) << "the sound differs";
    EXPECT_TRUE(std::all_of(first + static_cast<ptrdiff_t>(expected.size()), got.end(),
                            [](float x) { return x == 0.0f; }))
        << "sound after the end of the stream";
}

class VarnothDirectSound : public ::testing::Test {
  protected:
    void SetUp() override {
        SetEnvironmentVariableA("VARNOTH_SINK", "wave");
        output = LoadVarnoth();
        ASSERT_NE(output, nullptr);
        ASSERT_TRUE(capture.available());
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
        output->OutputSetVolume(100, 100);
        start = capture.SettledSize(200);
    }
    void TearDown() override {
        if (output) output->OutputRelease();
        DestroyWindow(window);
    }

    OutputPlugin* output = nullptr;
    HWND window = nullptr;
    Capture capture;
    uint64_t start = 0;
};

// A track ends with at most 300 ms left to play, and the next one of its
// format follows in the same buffer without a sample of silence.
TEST_F(VarnothDirectSound, StreamsASignalAndTheNextTrackFollowsItsTail) {
    ASSERT_EQ(output->OutputInitDirectSound(window), 1);
    const PcmFormat format = Format(2, 16, 48000, 8 * 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> a = Signal(2 * 192000 + 4 * 333, 1);
    const std::vector<uint8_t> b = Signal(192000, 7);
    ASSERT_TRUE(WriteInBlocks(output, a, 6 * 4608));
    output->OutputClose();
    EXPECT_LE(output->OutputQueuedBytes(), 57600) << "more than 300 ms left to play";
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, b, 4608));
    output->OutputClose();
    std::vector<uint8_t> joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    ExpectMixedExactly(capture, start, joined);
    output->OutputRelease();
    EXPECT_EQ(output->OutputQueuedBytes(), 0) << "the release played the tail out";
}

TEST_F(VarnothDirectSound, FailsWithoutAUsableWindowAndTheWaveDeviceStays) {
    EXPECT_EQ(output->OutputInitDirectSound(nullptr), 0);
    HWND gone = MakeWindow();
    DestroyWindow(gone);
    EXPECT_EQ(output->OutputInitDirectSound(gone), 0);
    // The wave device plays the exact bytes; DirectSound would turn them into floats.
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(50000, 2);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 4608));
    output->OutputClose();
    output->OutputRelease(); // returns once the tail has been played
    ASSERT_TRUE(
        harness::WaitUntil([&] { return capture.Size() >= start + pcm.size(); }, kArrivalMs));
    // The device may idle a period or two before it is closed.
    const std::string wrong =
        Misplayed(capture.ReadFrom(start, capture.SettledSize()), {{pcm, 0, 176400}});
    EXPECT_TRUE(wrong.empty()) << wrong;
}

TEST_F(VarnothDirectSound, ResetReleasesABlockedWriter) {
    ASSERT_EQ(output->OutputInitDirectSound(window), 1);
    const PcmFormat format = Format(2, 16, 48000, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(60 * 192000, 3);
    std::atomic<int> result{-1};
    std::thread writer(
        [&] { result = output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())); });
    ASSERT_TRUE(harness::WaitUntil([&] { return output->OutputQueuedBytes() > 0; }));
    Sleep(200);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(output->OutputReset(), 1);
    const bool released = harness::WaitUntil([&] { return result != -1; }, 5000);
    if (!released) output->OutputRelease();
    writer.join();
    ASSERT_TRUE(released);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(output->OutputQueuedBytes(), 0);
    output->OutputClose();
}

TEST_F(VarnothDirectSound, PauseHoldsTheStreamAndResumeFinishesIt) {
    ASSERT_EQ(output->OutputInitDirectSound(window), 1);
    const PcmFormat format = Format(2, 16, 48000, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    output->OutputPause();
    const std::vector<uint8_t> pcm = Signal(3 * 192000, 4);
    std::atomic<bool> written{false};
    std::thread writer([&] {
        WriteInBlocks(output, pcm, 4608);
        written = true;
    });
    Sleep(1000);
    EXPECT_FALSE(written) << "a paused stream must hold the writer back";
    const std::vector<float> meanwhile = AsFloats(capture.ReadFrom(start, capture.Size()));
    EXPECT_TRUE(std::all_of(meanwhile.begin(), meanwhile.end(), [](float x) { return x == 0; }))
        << "sound while paused";
    output->OutputResume();
    writer.join();
    output->OutputClose();
    ExpectMixedExactly(capture, start, pcm);
}

TEST_F(VarnothDirectSound, OpenCloseCyclesLeakNoHandles) {
    ASSERT_EQ(output->OutputInitDirectSound(window), 1);
    const PcmFormat format = Format(2, 16, 48000, 4608);
    const std::vector<uint8_t> pcm = Signal(4608, 6);
    auto cycle = [&] {
        ASSERT_EQ(output->OutputOpen(0, &format), 1);
        ASSERT_EQ(output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())), 1);
        output->OutputReset();
        output->OutputClose();
    };
    cycle();
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 20; ++i)
        cycle();
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LE(after, before + 2);
}

TEST_F(VarnothDirectSound, VolumeFromAnotherThreadDuringWrites) {
    ASSERT_EQ(output->OutputInitDirectSound(window), 1);
    const PcmFormat format = Format(2, 16, 48000, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(192000, 5);
    std::atomic<bool> done{false};
    std::thread mainThread([&] {
        while (!done) {
            output->OutputSetVolume(100, 100);
            Sleep(1);
        }
    });
    const bool written = WriteInBlocks(output, pcm, 4608);
    output->OutputClose();
    done = true;
    mainThread.join();
    ASSERT_TRUE(written);
    ExpectMixedExactly(capture, start, pcm);
}

} // namespace
