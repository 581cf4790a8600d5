#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "HostCallback.h"

namespace {

class HostCallbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    uintptr_t userData() const { return reinterpret_cast<uintptr_t>(window); }

    // Every message waiting for the window, as (message, wParam, lParam).
    std::vector<std::vector<long long>> Drain() {
        std::vector<std::vector<long long>> messages;
        MSG message;
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
            messages.push_back({static_cast<long long>(message.message),
                                static_cast<long long>(message.wParam),
                                static_cast<long long>(message.lParam)});
        return messages;
    }

    HWND window = nullptr;
};

TEST_F(HostCallbackTest, PostsEndAndPositionAsWmApp) {
    EXPECT_EQ(HostCallback(2, 0, userData()), 0);
    EXPECT_EQ(HostCallback(2, 37, userData()), 0);
    EXPECT_EQ(HostCallback(1, 0, userData()), 0);
    std::vector<std::vector<long long>> expected = {
        {0x8000, 2, 0}, {0x8000, 2, 37}, {0x8000, 1, 0}};
    EXPECT_EQ(Drain(), expected);
}

TEST_F(HostCallbackTest, IgnoresEveryOtherCode) {
    for (int32_t code : {0, 3, 4, 101, -1, 0x7FFFFFFF})
        EXPECT_EQ(HostCallback(code, 5, userData()), 0);
    EXPECT_TRUE(Drain().empty());
}

DWORD WINAPI ReportFromAnotherThread(void* parameter) {
    auto* arguments = static_cast<std::pair<uintptr_t, HANDLE>*>(parameter);
    HostCallback(2, 9, arguments->first);
    SetEvent(arguments->second);
    return 0;
}

TEST_F(HostCallbackTest, PostsRatherThanSendsSoAWaitingMainThreadCannotDeadlock) {
    // Called from another thread while this one is not pumping: a send would
    // block the caller until this thread reads its messages.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::pair<uintptr_t, HANDLE> arguments{userData(), done};
    HANDLE thread = CreateThread(nullptr, 0, ReportFromAnotherThread, &arguments, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(done);
    std::vector<std::vector<long long>> expected = {{0x8000, 2, 9}};
    EXPECT_EQ(Drain(), expected);
}

} // namespace
