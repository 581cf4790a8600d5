#include "Win32PlaybackThread.h"

#include <windows.h>

namespace {

class ThreadQueue : public PlaybackChannel {
  public:
    bool Take(PlaybackMessage* message) override {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
        Unpack(msg, message);
        return true;
    }
    bool Wait(PlaybackMessage* message) override {
        MSG msg;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
        Unpack(msg, message);
        return true;
    }
    bool WaitFor(PlaybackMessage* message, int32_t milliseconds) override {
        if (Take(message)) return true;
        // Wakes for messages posted after the look above.
        const DWORD woken = MsgWaitForMultipleObjects(
            0, nullptr, FALSE, static_cast<DWORD>(milliseconds), QS_POSTMESSAGE);
        return woken == WAIT_OBJECT_0 && Take(message);
    }
    void Signal(uintptr_t event) override { SetEvent(reinterpret_cast<HANDLE>(event)); }

  private:
    static void Unpack(const MSG& msg, PlaybackMessage* message) {
        message->number = msg.message;
        message->event = static_cast<uintptr_t>(msg.wParam);
        message->argument = static_cast<int32_t>(msg.lParam);
    }
};

struct StartContext {
    void (*body)(PlaybackChannel&, void*);
    void* argument;
    HANDLE ready;
};

DWORD WINAPI ThreadMain(void* parameter) {
    const StartContext context = *static_cast<StartContext*>(parameter);
    // The first message call makes the thread's queue: only then can the host
    // post to it.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(context.ready);
    ThreadQueue queue;
    context.body(queue, context.argument);
    return 0;
}

} // namespace

Win32PlaybackThread::~Win32PlaybackThread() {
    // Never waits: this may run while the library is being unloaded.
    if (handle) CloseHandle(handle);
}

bool Win32PlaybackThread::Start(void (*body)(PlaybackChannel&, void*), void* argument) {
    Join();
    StartContext context = {body, argument, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    if (!context.ready) return false;
    DWORD id = 0;
    HANDLE created = CreateThread(nullptr, 0, ThreadMain, &context, 0, &id);
    if (!created) {
        CloseHandle(context.ready);
        return false;
    }
    // Wait until the queue exists (or the thread is gone).
    HANDLE waits[2] = {context.ready, created};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    CloseHandle(context.ready);
    handle = created;
    threadId = id;
    return true;
}

void Win32PlaybackThread::Send(uint32_t number, int32_t argument) {
    if (!handle) return;
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!done) return;
    if (PostThreadMessageA(threadId, number, reinterpret_cast<WPARAM>(done), argument)) {
        // A thread that ends on its own before it reads the message never
        // signals: its end releases the wait as well.
        HANDLE waits[2] = {done, static_cast<HANDLE>(handle)};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
    CloseHandle(done);
}

void Win32PlaybackThread::Join() {
    if (!handle) return;
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
    handle = nullptr;
    threadId = 0;
}
