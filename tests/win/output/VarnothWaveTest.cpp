// Varnoth on Wine's wave-out device, whose sound the ALSA file sink appends
// to the capture file: what is played must arrive there byte for byte.
#include <gtest/gtest.h>

#include <cstdio>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "Harness.h"
#include "VarnothTestSupport.h"

#include <tlhelp32.h>

namespace {

using namespace varnoth_test;

constexpr DWORD kArrivalMs = 30000;
// 300 ms of 44.1 kHz 16-bit stereo: the most a closed track may leave to play.
constexpr int32_t kTailBytes = 52920;

class VarnothWave : public ::testing::Test {
  protected:
    void SetUp() override {
        SetEnvironmentVariableA("VARNOTH_SINK", "wave");
        output = LoadVarnoth();
        ASSERT_NE(output, nullptr);
        ASSERT_TRUE(capture.available()) << "QUOREL_CAPTURE is not set";
        output->OutputSetVolume(100, 100);
        start = capture.SettledSize(200);
    }
    void TearDown() override {
        if (output) output->OutputRelease();
    }

    // The capture grew by the streams since SetUp, whole (a cut one: its
    // beginning), in order and with no silence inside them.
    void ExpectCaptured(const std::vector<Stream>& streams) {
        size_t total = 0;
        for (const Stream& stream : streams)
            total += stream.cutAfter > 0 ? stream.cutAfter : stream.pcm.size();
        ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() >= start + total; }, kArrivalMs))
            << "only " << capture.Size() - start << " of " << total << " bytes arrived";
        // What follows a cut stream may still be on its way.
        harness::WaitUntil([&] { return Misplayed(capture.ReadFrom(start), streams).empty(); },
                           5000);
        capture.SettledSize();
        const std::string wrong = Misplayed(capture.ReadFrom(start), streams);
        EXPECT_TRUE(wrong.empty()) << wrong;
    }

    OutputPlugin* output = nullptr;
    Capture capture;
    uint64_t start = 0;
};

TEST_F(VarnothWave, SixteenBitStereoArrivesExactlyAndCompletely) {
    const PcmFormat format = Format(2, 16, 44100, 8 * 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    // MPEG-sized writes, the last one short: the final partial buffer must be played.
    const std::vector<uint8_t> pcm = Signal(176400 + 6 * 4608 + 1000, 1);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 6 * 4608));
    output->OutputClose();
    ExpectCaptured({{pcm, 0, 176400}});
}

TEST_F(VarnothWave, EightBitMonoArrivesExactlyAndCompletely) {
    const PcmFormat format = Format(1, 8, 11025, 4096);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(11025 + 777, 2); // odd total
    ASSERT_TRUE(WriteInBlocks(output, pcm, 1000));
    output->OutputClose();
    ExpectCaptured({{pcm, 0x80, 11025}});
}

TEST_F(VarnothWave, WritesLargerThanTheQueueAreSplitNotRefused) {
    const PcmFormat format = Format(2, 16, 22050, 0x80000);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(3 * 88200, 3); // three seconds in one write
    ASSERT_EQ(output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())), 1);
    output->OutputClose();
    ExpectCaptured({{pcm, 0, 88200}});
}

// A track ends with at most 300 ms left to play; the next one of its
// format follows on the same device without a byte of silence, also when
// the input's buffer differs. One of another format waits for the tail and
// gets a device of its own, at most one period later.
TEST_F(VarnothWave, ConsecutiveStreamsFollowEachOther) {
    const PcmFormat first = Format(2, 16, 44100, 4608);
    const PcmFormat same = Format(2, 16, 44100, 8 * 4608);
    const PcmFormat other = Format(1, 16, 22050, 4608);
    const std::vector<uint8_t> a = Signal(176400 + 50000, 4);
    const std::vector<uint8_t> b = Signal(30004, 5); // shorter than the tail
    const std::vector<uint8_t> c = Signal(30002, 6);
    ASSERT_EQ(output->OutputOpen(0, &first), 1);
    ASSERT_TRUE(WriteInBlocks(output, a, 4608));
    output->OutputClose();
    EXPECT_LE(output->OutputQueuedBytes(), kTailBytes) << "the track ended with more to play";
    ASSERT_EQ(output->OutputOpen(0, &same), 1);
    ASSERT_TRUE(WriteInBlocks(output, b, 6 * 4608));
    output->OutputClose();
    ASSERT_EQ(output->OutputOpen(0, &other), 1);
    ASSERT_TRUE(WriteInBlocks(output, c, 4608));
    output->OutputClose();
    ExpectCaptured({{a, 0, 176400}, {b, 0, 176400, 0, Gap::kNone}, {c, 0, 44100}});
}

// A tail that has run out is still taken over by the next track of its
// format; the device then waits for a full queue again, so the new track
// plays without a gap inside.
TEST_F(VarnothWave, ATrackTakesOverADeviceWhoseTailHasPlayed) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    const std::vector<uint8_t> a = Signal(88200, 12);
    const std::vector<uint8_t> b = Signal(3 * 176400, 13);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, a, 4608));
    output->OutputClose();
    ASSERT_TRUE(harness::WaitUntil([&] { return output->OutputQueuedBytes() == 0; }, kArrivalMs));
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, b, 4608));
    output->OutputClose();
    ExpectCaptured({{a, 0, 176400}, {b, 0, 176400, 0, Gap::kAny}});
}

// The user stopping during a tail: it is dropped at once, and the next
// track opens a device of its own. OutputRelease plays a tail out before
// it returns.
TEST_F(VarnothWave, AResetDropsATailAndAReleasePlaysOneOut) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    const std::vector<uint8_t> a = Signal(2 * 176400, 14);
    const std::vector<uint8_t> b = Signal(176400, 15);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, a, 4608));
    output->OutputClose();
    EXPECT_EQ(output->OutputReset(), 1) << "a tail was there to drop";
    EXPECT_EQ(output->OutputQueuedBytes(), 0);
    EXPECT_EQ(output->OutputReset(), 0) << "nothing is left";
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, b, 4608));
    output->OutputClose();
    output->OutputRelease();
    EXPECT_EQ(output->OutputQueuedBytes(), 0);
    ExpectCaptured({{a, 0, 176400, a.size() / 2}, {b, 0, 176400}});
}

// Threads of this process: a lingering stream has one that closes it.
size_t ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// Nobody takes the tail over: it plays out, and the stream's device and
// thread go by themselves.
TEST_F(VarnothWave, AnUntakenTailPlaysOutAndItsDeviceCloses) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    const std::vector<uint8_t> warm = Signal(4608, 16);
    ASSERT_EQ(output->OutputOpen(0, &format), 1); // the sound system's own threads start
    ASSERT_TRUE(WriteInBlocks(output, warm, 4608));
    output->OutputClose();
    output->OutputRelease();
    start = capture.SettledSize(200);
    const size_t threads = ThreadCount();
    DWORD handles = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handles));
    const std::vector<uint8_t> pcm = Signal(88200, 17);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    ASSERT_TRUE(WriteInBlocks(output, pcm, 4608));
    output->OutputClose();
    EXPECT_GT(ThreadCount(), threads) << "the lingering stream has its closer";
    EXPECT_TRUE(harness::WaitUntil([&] { return ThreadCount() <= threads; }, 10000))
        << "the lingering stream was never closed";
    DWORD now = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &now));
    EXPECT_LE(now, handles + 2);
    EXPECT_EQ(output->OutputQueuedBytes(), 0);
    ExpectCaptured({{pcm, 0, 176400}});
}

TEST_F(VarnothWave, ResetReleasesABlockedWriterAndNothingMoreOfTheStreamArrives) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    // A minute of sound in one write keeps the writer blocked for many seconds.
    const std::vector<uint8_t> a = Signal(60 * 176400, 6);
    std::atomic<int> result{-1};
    std::thread writer(
        [&] { result = output->OutputWrite(a.data(), static_cast<int32_t>(a.size())); });
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() > start + 176400; }, kArrivalMs));
    EXPECT_EQ(output->OutputReset(), 1);
    const bool released = harness::WaitUntil([&] { return result != -1; }, 5000);
    if (!released) output->OutputRelease(); // unblock it, so the test can end
    writer.join();
    ASSERT_TRUE(released) << "OutputWrite stayed blocked after OutputReset";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(output->OutputQueuedBytes(), 0) << "the queue is empty after a reset";

    // Give the capture pipe time to deliver what was played before the reset.
    Sleep(300);
    const uint64_t atReset = capture.Size() - start;
    // The stream goes on after a reset (a seek): only the new sound follows.
    const std::vector<uint8_t> b = Signal(40000, 7);
    ASSERT_TRUE(WriteInBlocks(output, b, 4608));
    output->OutputClose();
    output->OutputRelease(); // returns once the tail has been played
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() >= start + atReset + b.size(); },
                                   kArrivalMs));
    const std::vector<uint8_t> got = capture.ReadFrom(start, capture.SettledSize());
    // Capture = a prefix of A, then the device's own silence while stopped
    // (Wine keeps its stream running after a reset), then B exactly, then
    // any silence while the device idled before it was closed.
    ASSERT_NE(b.back(), 0) << "B must end in sound for the silence after it to show";
    size_t last = got.size();
    while (last > 0 && got[last - 1] == 0)
        --last;
    ASSERT_GE(last, b.size());
    EXPECT_TRUE(
        std::equal(b.begin(), b.end(), got.begin() + static_cast<ptrdiff_t>(last - b.size())))
        << "the sound written after the reset is not the end of the capture";
    size_t end = last - b.size();
    while (end > 0 && got[end - 1] == 0)
        --end;
    EXPECT_LE(end, atReset) << "sound of the reset stream arrived after the reset";
    EXPECT_LT(end, a.size()) << "the whole minute arrived: nothing was dropped";
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + static_cast<ptrdiff_t>(end), a.begin()))
        << "what arrived before the reset is not the start of the stream";
}

TEST_F(VarnothWave, PauseHaltsTheFlowAndResumeContinuesIt) {
    const PcmFormat format = Format(2, 16, 44100, 8 * 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(20 * 176400, 8);
    std::atomic<bool> written{false};
    std::thread writer([&] {
        WriteInBlocks(output, pcm, 6 * 4608);
        written = true;
    });
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() > start + 88200; }, kArrivalMs));
    EXPECT_EQ(output->OutputPause(), 1);
    const uint64_t paused = capture.SettledSize(500);
    Sleep(1000);
    EXPECT_EQ(capture.Size(), paused) << "sound went on while paused";
    EXPECT_FALSE(written) << "the writer must be held back while paused";
    EXPECT_GT(output->OutputQueuedBytes(), 0) << "the queue holds sound while paused";
    EXPECT_EQ(output->OutputResume(), 1);
    ASSERT_TRUE(harness::WaitUntil([&] { return capture.Size() > paused; }, kArrivalMs));
    writer.join();
    output->OutputClose();
    ExpectCaptured({{pcm, 0, 176400}});
}

TEST_F(VarnothWave, VolumeFromAnotherThreadDuringWritesNeitherBlocksNorCorrupts) {
    const PcmFormat format = Format(2, 16, 44100, 8 * 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const std::vector<uint8_t> pcm = Signal(4 * 176400, 9);
    std::atomic<bool> done{false};
    std::atomic<int> volumeCalls{0};
    std::thread mainThread([&] {
        while (!done) {
            if (output->OutputSetVolume(100, 100) == 1) ++volumeCalls;
            Sleep(1); // as often as a dragged volume bar, without starving the device
        }
    });
    const bool written = WriteInBlocks(output, pcm, 6 * 4608);
    output->OutputClose();
    done = true;
    mainThread.join();
    ASSERT_TRUE(written);
    EXPECT_GT(volumeCalls, 10);
    ExpectCaptured({{pcm, 0, 176400}});
}

TEST_F(VarnothWave, VolumeScalesTheSamples) {
    output->OutputSetVolume(50, 50); // kept for the next stream
    const PcmFormat format = Format(1, 16, 22050, 4096);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    // A square wave of amplitude 16000.
    std::vector<uint8_t> pcm(22050 * 2);
    for (size_t i = 0; i < pcm.size() / 2; ++i) {
        const int16_t sample = (i / 50) % 2 ? 16000 : -16000;
        pcm[2 * i] = static_cast<uint8_t>(sample & 0xFF);
        pcm[2 * i + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
    }
    ASSERT_TRUE(WriteInBlocks(output, pcm, 4096));
    output->OutputClose();
    output->OutputSetVolume(100, 100);
    ASSERT_TRUE(
        harness::WaitUntil([&] { return capture.Size() >= start + pcm.size(); }, kArrivalMs));
    const std::vector<uint8_t> got = capture.ReadFrom(start);
    ASSERT_GE(got.size(), pcm.size());
    int loudest = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2)
        loudest = std::max(loudest, std::abs(static_cast<int16_t>(got[i] | got[i + 1] << 8)));
    EXPECT_GT(loudest, 16000 / 8) << "half volume is not silence";
    EXPECT_LT(loudest, 16000 * 3 / 4) << "half volume must be quieter";
}

TEST_F(VarnothWave, RefusesFormatsTheDeviceDoesNotTake) {
    const PcmFormat refused[] = {Format(0, 16, 44100, 4608), Format(3, 16, 44100, 4608),
                                 Format(2, 24, 44100, 4608), Format(2, 16, 7999, 4608),
                                 Format(2, 16, 88201, 4608), Format(2, 16, 44100, 0)};
    for (const PcmFormat& format : refused)
        EXPECT_EQ(output->OutputOpen(0, &format), 0);
    EXPECT_EQ(output->OutputOpen(0, nullptr), 0);
    const PcmFormat highest = Format(2, 16, 88200, 4608);
    EXPECT_EQ(output->OutputOpen(0, &highest), 1);
    output->OutputClose();
}

TEST_F(VarnothWave, CallsWithoutAnOpenStreamFailCleanly) {
    const uint8_t pcm[4] = {};
    EXPECT_EQ(output->OutputWrite(pcm, 4), 0);
    EXPECT_EQ(output->OutputReset(), 0);
    EXPECT_EQ(output->OutputPause(), 0);
    EXPECT_EQ(output->OutputResume(), 0);
    EXPECT_EQ(output->OutputClose(), 0);
    EXPECT_EQ(output->OutputQueuedBytes(), 0);
    EXPECT_EQ(output->OutputReserved9(), 0);
    EXPECT_EQ(output->OutputSetVolume(100, 100), 1); // kept for the next stream
}

TEST_F(VarnothWave, BadWriteArgumentsAreRefused) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    const uint8_t pcm[4] = {};
    EXPECT_EQ(output->OutputWrite(nullptr, 4), 0);
    EXPECT_EQ(output->OutputWrite(pcm, -4), 0);
    EXPECT_EQ(output->OutputWrite(pcm, 0), 1);
    output->OutputClose();
}

TEST_F(VarnothWave, ReleaseWhileAWriteIsBlockedEndsTheWrite) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    ASSERT_EQ(output->OutputOpen(0, &format), 1);
    output->OutputPause();
    const std::vector<uint8_t> pcm = Signal(176400, 10);
    std::atomic<int> result{-1};
    std::thread writer(
        [&] { result = output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())); });
    Sleep(200);
    EXPECT_EQ(result, -1) << "a paused device must hold the writer back";
    output->OutputRelease();
    const bool released = harness::WaitUntil([&] { return result != -1; }, 5000);
    writer.join();
    ASSERT_TRUE(released);
    EXPECT_EQ(result, 0) << "after release the track ends";
    EXPECT_EQ(output->OutputWrite(pcm.data(), 4), 0);
}

TEST_F(VarnothWave, OpenCloseCyclesLeakNoHandles) {
    const PcmFormat format = Format(2, 16, 44100, 4608);
    const std::vector<uint8_t> pcm = Signal(4608, 11);
    auto cycle = [&] {
        ASSERT_EQ(output->OutputOpen(0, &format), 1);
        ASSERT_EQ(output->OutputWrite(pcm.data(), static_cast<int32_t>(pcm.size())), 1);
        output->OutputReset();
        output->OutputClose();
    };
    cycle(); // the first open may start the sound system's own threads
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 20; ++i)
        cycle();
    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LE(after, before + 2);
}

TEST_F(VarnothWave, VersionIsAShortTerminatedText) {
    char version[8];
    std::memset(version, 'x', sizeof version);
    EXPECT_EQ(output->OutputGetVersion(version), 1);
    EXPECT_LE(strnlen(version, sizeof version), 7u);
    EXPECT_GT(strnlen(version, sizeof version), 0u);
}

} // namespace
