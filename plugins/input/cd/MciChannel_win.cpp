#include "MciChannel_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace {

class WinMciChannel : public MciChannel {
  public:
    uint32_t Command(uint32_t device, uint32_t command, uint32_t flags,
                     MciRequest& request) override {
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

    uint32_t DeviceIdByName(const char* name) override { return mciGetDeviceIDA(name); }

  private:
    // No notification target: the drive's end is seen by polling its mode.
    template <typename Parameters>
    static MCIERROR Send(uint32_t device, uint32_t command, uint32_t flags, Parameters* block) {
        return mciSendCommandA(device, command, flags, reinterpret_cast<DWORD_PTR>(block));
    }
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
