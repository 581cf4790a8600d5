// The MCI commands and values the CD player uses, by their mmsystem names,
// behind a small interface: the Windows side sends them to the "cdaudio"
// device, tests answer them from a scripted drive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kMciOpen = 0x0803;
constexpr uint32_t kMciClose = 0x0804;
constexpr uint32_t kMciPlay = 0x0806;
constexpr uint32_t kMciSeek = 0x0807;
constexpr uint32_t kMciPause = 0x0809;
constexpr uint32_t kMciSet = 0x080D;
constexpr uint32_t kMciStatus = 0x0814;

constexpr uint32_t kMciNotify = 0x1;
constexpr uint32_t kMciWait = 0x2;
constexpr uint32_t kMciFrom = 0x4;
constexpr uint32_t kMciTo = 0x8;
constexpr uint32_t kMciTrack = 0x10;
constexpr uint32_t kMciStatusItem = 0x100;
constexpr uint32_t kMciOpenElement = 0x200;
constexpr uint32_t kMciSetTimeFormat = 0x400;
constexpr uint32_t kMciOpenType = 0x2000;

constexpr uint32_t kMciStatusLength = 1;
constexpr uint32_t kMciStatusPosition = 2;
constexpr uint32_t kMciStatusNumberOfTracks = 3;
constexpr uint32_t kMciStatusMode = 4;
constexpr uint32_t kMciStatusCurrentTrack = 8;
constexpr uint32_t kMciCdaStatusTypeTrack = 0x4001;

constexpr uint32_t kMciFormatMsf = 2;
constexpr uint32_t kMciFormatTmsf = 10;

constexpr uint32_t kMciModeStop = 525;
constexpr uint32_t kMciModePlay = 526;
constexpr uint32_t kMciModeSeek = 528;
constexpr uint32_t kMciModePause = 529;
constexpr uint32_t kMciModeOpen = 530; // the tray is open: no disc
constexpr uint32_t kMciCdaTrackAudio = 1088;

constexpr uint32_t kMciErrorInvalidDevice = 257;

// Packed times: minutes-seconds-frames (minutes in the lowest byte) and
// tracks-minutes-seconds-frames (track in the lowest byte).
constexpr uint32_t PackTmsf(uint32_t track, uint32_t minutes, uint32_t seconds, uint32_t frames) {
    return (track & 0xFF) | (minutes & 0xFF) << 8 | (seconds & 0xFF) << 16 | (frames & 0xFF) << 24;
}
constexpr uint32_t PackMsf(uint32_t minutes, uint32_t seconds, uint32_t frames) {
    return (minutes & 0xFF) | (seconds & 0xFF) << 8 | (frames & 0xFF) << 16;
}

// The fields of every command's parameter block; each command reads and
// fills only its own.
struct MciRequest {
    const char* element = nullptr; // open: the drive, such as "D:"
    uint32_t deviceId = 0;         // open: the device made
    uint32_t from = 0;             // play
    uint32_t to = 0;               // play, seek
    uint32_t timeFormat = 0;       // set
    uint32_t item = 0;             // status
    uint32_t track = 0;            // status
    uint32_t value = 0;            // status: the answer
};

class MciChannel {
  public:
    virtual ~MciChannel() = default;
    // Sends `command` with `flags` to `device` (0 for open); 0 on success,
    // else the MCI error number. The notification target is always none.
    virtual uint32_t Command(uint32_t device, uint32_t command, uint32_t flags,
                             MciRequest& request) = 0;
    // The device this process already holds open under `name`; 0 for none.
    virtual uint32_t DeviceIdByName(const char* name) = 0;
};
