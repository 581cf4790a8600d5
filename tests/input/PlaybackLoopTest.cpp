#include "PlaybackLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "PlaybackFakes.h"

namespace {

using Reports = std::vector<std::pair<int32_t, int32_t>>;

Reports* currentReports = nullptr;

int32_t QUOREL_STDCALL Record(int32_t code, int32_t value, uintptr_t userData) {
    EXPECT_EQ(userData, 42u);
    currentReports->push_back({code, value});
    return 0;
}

class PlaybackLoopTest : public ::testing::Test {
  protected:
    void SetUp() override { currentReports = &reports; }

    // Runs the loop with a PCM buffer of 8 blocks flushed at 6.
    void Run(CountingProducer& producer) {
        const int32_t block = producer.MaxBlockBytes();
        PlaybackLoop loop(producer, {&output, Record, 42, &state}, 8 * block, 6 * block);
        loop.Run(channel);
    }

    size_t Count(const std::string& call) const {
        return static_cast<size_t>(std::count(output.calls.begin(), output.calls.end(), call));
    }

    RecordingOutput output;
    ScriptedChannel channel;
    Reports reports;
    volatile int32_t state = kInputStopped;
};

TEST_F(PlaybackLoopTest, PlaysEverythingInWholeFlushesThenEndsWithNotice) {
    CountingProducer producer(20, 100, 500);
    Run(producer);
    ASSERT_EQ(output.written.size(), 2000u);
    for (size_t i = 0; i < output.written.size(); ++i)
        ASSERT_EQ(output.written[i], i / 100) << "byte " << i;
    // Six blocks per write, the rest when the source ends.
    std::vector<std::string> expected = {"write 600", "write 600", "write 600", "write 200",
                                         "close"};
    EXPECT_EQ(output.calls, expected) << "a natural end closes without a reset";
    EXPECT_EQ(state, kInputStopped);
    // Position 0 at start, each whole second once, 0 at finish, then the end.
    Reports expectedReports = {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 0}, {1, 0}};
    EXPECT_EQ(reports, expectedReports);
}

TEST_F(PlaybackLoopTest, LastBlockIsFlushedAtOnce) {
    CountingProducer producer(3, 100, 1000);
    producer.lastBlockEnds = true;
    Run(producer);
    std::vector<std::string> expected = {"write 300", "close"};
    EXPECT_EQ(output.calls, expected);
    EXPECT_EQ(reports.back(), std::make_pair(1, 0));
}

TEST_F(PlaybackLoopTest, StopDropsWhatIsHeldResetsClosesAndSendsNoEnd) {
    CountingProducer producer(1000, 100, 100);
    channel.Queue(kPlaybackStop, 0, 8, 7);
    Run(producer);
    EXPECT_EQ(state, kInputStopped);
    EXPECT_EQ(output.written.size(), 600u) << "the held blocks after the last flush are dropped";
    std::vector<std::string> tail(output.calls.end() - 2, output.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"reset", "close"}));
    EXPECT_EQ(reports.back(), std::make_pair(2, 0));
    EXPECT_EQ(std::count(reports.begin(), reports.end(), std::make_pair(1, 0)), 0);
    EXPECT_EQ(channel.signalled, std::vector<uintptr_t>{7});
}

TEST_F(PlaybackLoopTest, PauseBlocksUntilResumeAndStopWhilePausedEndsQuietly) {
    CountingProducer producer(1000, 100, 100);
    channel.Queue(kPlaybackPause, 0, 2, 3);
    channel.Queue(kPlaybackResume, 0, 0, 4);
    channel.Queue(kPlaybackPause, 0, 0, 5); // taken on the next pass
    channel.Queue(kPlaybackStop, 0, 0, 6);  // taken by the blocking wait
    Run(producer);
    EXPECT_EQ(channel.signalled, (std::vector<uintptr_t>{3, 4, 5, 6}));
    EXPECT_EQ(Count("pause"), 2u);
    EXPECT_EQ(Count("resume"), 1u);
    EXPECT_EQ(output.calls.back(), "close");
    EXPECT_EQ(output.calls[output.calls.size() - 2], "reset");
    EXPECT_EQ(std::count(reports.begin(), reports.end(), std::make_pair(1, 0)), 0);
    EXPECT_EQ(state, kInputStopped);
}

TEST_F(PlaybackLoopTest, SeekResetsTheOutputDropsHeldPcmAndMovesThePosition) {
    CountingProducer producer(100, 100, 100); // one block per second
    channel.Queue(kPlaybackSeek, 50, 3, 9);
    Run(producer);
    EXPECT_EQ(producer.seeks, std::vector<int32_t>{50});
    EXPECT_EQ(channel.signalled, std::vector<uintptr_t>{9});
    // Three blocks were made before the seek and dropped with it.
    EXPECT_EQ(output.written.size(), 50u * 100);
    EXPECT_EQ(output.written.front(), 50);
    ASSERT_GE(output.calls.size(), 1u);
    EXPECT_EQ(output.calls.front(), "reset");
    // The reached second is reported by the seek and not again by the loop.
    EXPECT_EQ(std::count(reports.begin(), reports.end(), std::make_pair(2, 50)), 1);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), std::make_pair(2, 51)), 1);
}

TEST_F(PlaybackLoopTest, UnknownMessagesAreIgnoredAndNotSignalled) {
    CountingProducer producer(10, 100, 100);
    channel.Queue(0x1234, 0, 1, 8);
    Run(producer);
    EXPECT_TRUE(channel.signalled.empty());
    EXPECT_EQ(output.written.size(), 1000u);
}

TEST_F(PlaybackLoopTest, RefusedWriteEndsTheTrackWithoutWritingAgain) {
    CountingProducer producer(100, 100, 100);
    output.refuseWritesAfter = 600;
    Run(producer);
    EXPECT_EQ(output.written.size(), 600u);
    std::vector<std::string> expected = {"write 600", "write 600", "close"};
    EXPECT_EQ(output.calls, expected);
    EXPECT_EQ(reports.back(), std::make_pair(1, 0));
}

TEST_F(PlaybackLoopTest, SourceWithoutRateEndsAtOnceWithReset) {
    CountingProducer producer(10, 100, 0);
    Run(producer);
    std::vector<std::string> expected = {"reset", "close"};
    EXPECT_EQ(output.calls, expected);
    Reports expectedReports = {{2, 0}, {2, 0}, {1, 0}};
    EXPECT_EQ(reports, expectedReports);
}

TEST_F(PlaybackLoopTest, EmptySourceStillClosesAndEnds) {
    CountingProducer producer(0, 100, 100);
    Run(producer);
    EXPECT_EQ(output.calls, std::vector<std::string>{"close"});
    EXPECT_EQ(reports.back(), std::make_pair(1, 0));
}

} // namespace
