// The sleep timer's countdown, message and actions against a recording system.
#include "SleepTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingSystem : public SleepTimerSystem {
  public:
    void StartMinuteTimer() override { calls.push_back("start"); }
    void StopMinuteTimer() override { calls.push_back("stop"); }
    void CheckTimerItem(bool running) override { checked = running; }
    void RepaintPanel() override { ++repaints; }
    void ShowInformation(const std::wstring& text) override { messages.push_back(text); }
    void SaveAll() override { calls.push_back("save"); }
    void ShutDown(uint32_t flags) override { calls.push_back("exit " + std::to_string(flags)); }
    void CloseMainWindow() override { calls.push_back("close"); }
    void StopPlayback() override { calls.push_back("stop playback"); }

    std::vector<std::string> calls;
    std::vector<std::wstring> messages;
    bool checked = false;
    int repaints = 0;
};

TEST(SleepTimer, AnnouncesCountsDownAndActsOnceAfterSaving) {
    SettingsFields settings;
    settings.OyasumiMin = 2;
    settings.OyasumiProcess = 4;
    RecordingSystem system;
    SleepTimer timer(settings, system);
    timer.TimerStart_MClick();
    EXPECT_TRUE(settings.TimerRunning);
    EXPECT_TRUE(system.checked);
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0], L"お休みタイマが作動しました。\n演奏停止まで残り 2 分です。");
    EXPECT_EQ(timer.MinutesLeft(), 2);
    timer.Tick();
    EXPECT_EQ(timer.MinutesLeft(), 1);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"start"})) << "no action before the end";
    timer.Tick();
    EXPECT_EQ(system.calls, (std::vector<std::string>{"start", "stop", "save", "stop playback"}));
    EXPECT_FALSE(settings.TimerRunning);
    EXPECT_FALSE(system.checked);
    timer.Tick(); // a tick already queued does nothing more
    EXPECT_EQ(system.calls.size(), 4u);
}

TEST(SleepTimer, SecondClickStopsAndTheNextStartCountsAfresh) {
    SettingsFields settings;
    settings.OyasumiMin = 3;
    settings.OyasumiProcess = 3;
    RecordingSystem system;
    SleepTimer timer(settings, system);
    timer.TimerStart_MClick();
    timer.Tick();
    timer.TimerStart_MClick();
    EXPECT_FALSE(settings.TimerRunning);
    EXPECT_FALSE(system.checked);
    EXPECT_EQ(system.messages.size(), 1u) << "stopping announces nothing";
    timer.TimerStart_MClick();
    EXPECT_EQ(timer.MinutesLeft(), 3);
    for (int minute = 0; minute < 3; ++minute)
        timer.Tick();
    EXPECT_EQ(system.calls.back(), "close");
}

TEST(SleepTimer, ActionsByTheStoredChoice) {
    struct Case {
        int32_t minutes;
        int32_t process;
        const wchar_t* message;
        std::string action; // the last call
        int32_t storedAfter;
    };
    for (const Case& c :
         {Case{1, 0, L"お休みタイマが作動しました。\n電源を切るまで残り 1 分です。", "exit 24", 0},
          Case{1, 1, L"お休みタイマが作動しました。\n電源を切る準備(NT系のみ)まで残り 1 分です。",
               "exit 17", 1},
          Case{1, 2, L"お休みタイマが作動しました。\n再起動まで残り 1 分です。", "exit 18", 2},
          Case{1, 7, L"お休みタイマが作動しました。\n演奏停止まで残り 1 分です。", "stop playback",
               4},
          Case{0, -1, L"お休みタイマが作動しました。\nまで残り 1 分です。", "save", -1},
          Case{-5, 3, L"お休みタイマが作動しました。\nQuorelの終了まで残り 1 分です。", "close",
               3}}) {
        SettingsFields settings;
        settings.OyasumiMin = c.minutes;
        settings.OyasumiProcess = c.process;
        RecordingSystem system;
        SleepTimer timer(settings, system);
        timer.TimerStart_MClick();
        ASSERT_EQ(system.messages.size(), 1u);
        EXPECT_EQ(system.messages[0], c.message);
        EXPECT_EQ(settings.OyasumiProcess, c.storedAfter);
        timer.Tick();
        EXPECT_EQ(system.calls.back(), c.action) << c.process;
        EXPECT_EQ(system.calls[system.calls.size() - (c.action == "save" ? 1 : 2)], "save")
            << "saved before acting";
    }
}

} // namespace
