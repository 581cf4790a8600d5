#include "MciChannel_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <functional>

namespace {

// winmm ties a device to the thread that opened it: a command from any other
// thread fails with "invalid device name" (Windows does so, and Wine copies
// it). Tracks are listed and measured on the host's thread but played on the
// playback thread, so every command goes through one thread of the
// channel's own. It lives while a device is open and holds the library
// loaded meanwhile.
class WinMciChannel : public MciChannel {
  public:
    WinMciChannel() {
        InitializeCriticalSection(&callLock);
        requested = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    // Never waits: this may run while the library is being unloaded (the
    // thread has ended then, or the process is ending).
    ~WinMciChannel() override {
        if (thread) CloseHandle(thread);
        if (requested) CloseHandle(requested);
        if (done) CloseHandle(done);
        DeleteCriticalSection(&callLock);
    }
    WinMciChannel(const WinMciChannel&) = delete;
    WinMciChannel& operator=(const WinMciChannel&) = delete;

    uint32_t Command(uint32_t device, uint32_t command, uint32_t flags,
                     MciRequest& request) override {
        // Without the thread no device is open: only an open starts it.
        return Call([&] { return Execute(device, command, flags, request); }, command == kMciOpen,
                    kMciErrorInvalidDevice);
    }

    uint32_t DeviceIdByName(const char* name) override {
        return Call([&] { return static_cast<uint32_t>(mciGetDeviceIDA(name)); }, false, 0);
    }

  private:
    // Runs `work` on the channel's thread and waits for its result; `idle`
    // when the thread is not running and `starts` is false, or when it ended.
    uint32_t Call(std::function<uint32_t()> work, bool starts, uint32_t idle) {
        EnterCriticalSection(&callLock);
        uint32_t result = idle;
        if (serving || (starts && Start())) {
            pending = &work;
            SetEvent(requested);
            HANDLE waits[2] = {done, thread};
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0)
                result = pendingResult;
            else
                serving = false; // ended with the process
        }
        LeaveCriticalSection(&callLock);
        return result;
    }

    bool Start() {
        if (!requested || !done) return false;
        HMODULE library = nullptr;
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCSTR>(&Serve), &library))
            return false;
        if (thread) CloseHandle(thread);
        thread = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
        if (!thread) {
            FreeLibrary(library);
            return false;
        }
        serving = true;
        return true;
    }

    static DWORD WINAPI Serve(void* parameter) {
        auto* channel = static_cast<WinMciChannel*>(parameter);
        HMODULE library = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&Serve), &library);
        for (bool open = true; open;) {
            WaitForSingleObject(channel->requested, INFINITE);
            channel->pendingResult = (*channel->pending)();
            open = channel->openDevices > 0;
            if (!open) channel->serving = false;
            // The channel may be gone once its caller has the result.
            SetEvent(channel->done);
        }
        // Drops the reference Start took for this thread.
        FreeLibraryAndExitThread(library, 0);
    }

    uint32_t Execute(uint32_t device, uint32_t command, uint32_t flags, MciRequest& request) {
        const uint32_t error = SendRequest(device, command, flags, request);
        if (error == 0 && command == kMciOpen) ++openDevices;
        if (error == 0 && command == kMciClose && openDevices > 0) --openDevices;
        return error;
    }

    static uint32_t SendRequest(uint32_t device, uint32_t command, uint32_t flags,
                                MciRequest& request) {
        switch (command) {
        case kMciOpen: {
            MCI_OPEN_PARMSA open = {};
            open.lpstrDeviceType = "cdaudio";
            open.lpstrElementName = request.element;
            const MCIERROR error = Send(0, command, flags, &open);
            request.deviceId = open.wDeviceID;
            return error;
        }
        case kMciPlay: {
            MCI_PLAY_PARMS play = {};
            play.dwFrom = request.from;
            play.dwTo = request.to;
            return Send(device, command, flags, &play);
        }
        case kMciSeek: {
            MCI_SEEK_PARMS seek = {};
            seek.dwTo = request.to;
            return Send(device, command, flags, &seek);
        }
        case kMciSet: {
            MCI_SET_PARMS set = {};
            set.dwTimeFormat = request.timeFormat;
            return Send(device, command, flags, &set);
        }
        case kMciStatus: {
            MCI_STATUS_PARMS status = {};
            status.dwItem = request.item;
            status.dwTrack = request.track;
            const MCIERROR error = Send(device, command, flags, &status);
            request.value = static_cast<uint32_t>(status.dwReturn);
            return error;
        }
        default: {
            MCI_GENERIC_PARMS generic = {};
            return Send(device, command, flags, &generic);
        }
        }
    }

    // No notification target: the drive's end is seen by polling its mode.
    template <typename Parameters>
    static MCIERROR Send(uint32_t device, uint32_t command, uint32_t flags, Parameters* block) {
        return mciSendCommandA(device, command, flags, reinterpret_cast<DWORD_PTR>(block));
    }

    CRITICAL_SECTION callLock; // one call at a time
    HANDLE requested = nullptr;
    HANDLE done = nullptr;
    HANDLE thread = nullptr;
    bool serving = false; // the thread runs and takes requests
    std::function<uint32_t()>* pending = nullptr;
    uint32_t pendingResult = 0;
    int openDevices = 0; // on the thread only
};

} // namespace

std::unique_ptr<MciChannel> MakeWinMciChannel() {
    return std::make_unique<WinMciChannel>();
}

std::vector<std::string> ListCdRomRoots() {
    std::vector<char> strings(131);
    DWORD length = GetLogicalDriveStringsA(static_cast<DWORD>(strings.size()), strings.data());
    if (length > strings.size()) {
        strings.resize(length + 1);
        length = GetLogicalDriveStringsA(static_cast<DWORD>(strings.size()), strings.data());
    }
    std::vector<std::string> roots;
    if (length == 0 || length >= strings.size()) return roots;
    for (const char* root = strings.data(); *root; root += std::strlen(root) + 1)
        if (GetDriveTypeA(root) == DRIVE_CDROM) roots.emplace_back(root);
    return roots;
}
