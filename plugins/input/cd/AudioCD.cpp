#include "AudioCD.h"

#include <algorithm>

#include "CdTrackName.h"

namespace {

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

int32_t MsfSeconds(uint32_t msf) {
    return static_cast<int32_t>((msf & 0xFF) * 60 + (msf >> 8 & 0xFF));
}

} // namespace

TAudioCD::TAudioCD(std::unique_ptr<MciChannel> channel, std::vector<std::string> cdRoots)
    : mci(std::move(channel)) {
    for (const std::string& root : cdRoots)
        roots.push_back(LowerCase(root));
}

TAudioCD::~TAudioCD() {
    CloseDevice();
}

bool TAudioCD::IsCdRoot(const std::string& root) const {
    return std::find(roots.begin(), roots.end(), LowerCase(root)) != roots.end();
}

uint32_t TAudioCD::Send(uint32_t command, uint32_t flags, MciRequest& request) {
    return mci->Command(device, command, flags, request);
}

uint32_t TAudioCD::Query(uint32_t item, uint32_t track, uint32_t* value) {
    MciRequest request;
    request.item = item;
    request.track = track;
    const uint32_t flags = kMciStatusItem | kMciWait | (track ? kMciTrack : 0);
    const uint32_t error = Send(kMciStatus, flags, request);
    *value = request.value;
    return error;
}

// The drive is chosen by the element of the open ("D:"), so nothing
// system-wide (the registry's default drive) is ever written.
uint32_t TAudioCD::OpenDevice(const std::string& root) {
    if (device != 0) return 0;
    const std::string element = root.substr(0, 2);
    MciRequest request;
    request.element = element.c_str();
    const uint32_t error =
        mci->Command(0, kMciOpen, kMciOpenType | kMciOpenElement | kMciWait, request);
    if (error == 0) {
        device = request.deviceId;
        status = kCdStopped;
        return 0;
    }
    device = mci->DeviceIdByName(element.c_str());
    if (device == 0) return error;
    uint32_t mode = 0;
    if (!GetMode(&mode)) mode = kMciModeStop;
    status = mode == kMciModePlay ? kCdPlaying : mode == kMciModePause ? kCdPaused : kCdStopped;
    return 0;
}

uint32_t TAudioCD::CloseDevice() {
    if (device == 0) return kMciErrorInvalidDevice;
    MciRequest request;
    Send(kMciClose, kMciWait, request);
    device = 0;
    status = kCdClosed;
    return 0;
}

int32_t TAudioCD::GetTrackCount() {
    uint32_t count = 0;
    if (device == 0 || Query(kMciStatusNumberOfTracks, 0, &count) != 0) return 0;
    return static_cast<int32_t>(std::min<uint32_t>(count, 99));
}

uint32_t TAudioCD::IsDataTrack(int32_t track) {
    uint32_t type = 0;
    const uint32_t error = Query(kMciCdaStatusTypeTrack, static_cast<uint32_t>(track), &type);
    if (error) return error;
    return type == kMciCdaTrackAudio ? 0 : 1;
}

bool TAudioCD::GetTrackLength(int32_t track, int32_t* seconds) {
    MciRequest request;
    request.timeFormat = kMciFormatMsf;
    if (Send(kMciSet, kMciSetTimeFormat | kMciWait, request) != 0) {
        CloseDevice();
        return false;
    }
    // The track alone: its length does not depend on the ones before it.
    uint32_t msf = 0;
    if (Query(kMciStatusLength, static_cast<uint32_t>(track), &msf) != 0) return false;
    *seconds = MsfSeconds(msf);
    return true;
}

uint32_t TAudioCD::SetTrackTimeFormat() {
    MciRequest request;
    request.timeFormat = kMciFormatTmsf;
    return Send(kMciSet, kMciSetTimeFormat | kMciWait, request);
}

uint32_t TAudioCD::PlayOn(int32_t track, bool fromStart) {
    MciRequest request;
    uint32_t flags = kMciNotify;
    if (fromStart) {
        flags |= kMciFrom;
        request.from = PackTmsf(static_cast<uint32_t>(track), 0, 0, 0);
    }
    // Without "to" the drive plays to the end of the disc.
    if (track < GetTrackCount()) {
        flags |= kMciTo;
        request.to = PackTmsf(static_cast<uint32_t>(track + 1), 0, 0, 0);
    }
    const uint32_t error = Send(kMciPlay, flags, request);
    if (error == 0) status = kCdPlaying;
    return error;
}

uint32_t TAudioCD::PlayTrack(int32_t track) {
    return PlayOn(track, true);
}

int32_t TAudioCD::GetPositionInTrack() {
    if (SetTrackTimeFormat() != 0) return 0;
    uint32_t tmsf = 0;
    if (Query(kMciStatusPosition, 0, &tmsf) != 0) return 0;
    return static_cast<int32_t>((tmsf >> 8 & 0xFF) * 60 + (tmsf >> 16 & 0xFF));
}

bool TAudioCD::GetMode(uint32_t* mode) {
    return Query(kMciStatusMode, 0, mode) == 0;
}

uint32_t TAudioCD::StopTrack() {
    MciRequest request;
    const uint32_t error = Send(kMciPause, kMciWait, request);
    status = kCdStopped;
    return error;
}

uint32_t TAudioCD::PauseTrack() {
    MciRequest request;
    const uint32_t error = Send(kMciPause, kMciWait, request);
    status = kCdPaused;
    return error;
}

uint32_t TAudioCD::ResumeTrack() {
    uint32_t track = 0;
    const uint32_t error = Query(kMciStatusCurrentTrack, 0, &track);
    if (error) return error;
    return PlayOn(static_cast<int32_t>(track), false);
}

uint32_t TAudioCD::SeekInTrack(int32_t seconds, bool playOn) {
    const uint32_t error = SetTrackTimeFormat();
    if (error) {
        CloseDevice();
        return error;
    }
    uint32_t position = 0;
    if (const uint32_t failed = Query(kMciStatusPosition, 0, &position)) return failed;
    const uint32_t track = position & 0xFF;
    // Kept inside the track: a seek past its end would play the next one.
    uint32_t length = 0;
    if (Query(kMciStatusLength, track, &length) == 0)
        seconds = std::min(seconds, MsfSeconds(length) - 1);
    seconds = std::max(seconds, 0);
    MciRequest request;
    request.to = PackTmsf(track, static_cast<uint32_t>(seconds / 60),
                          static_cast<uint32_t>(seconds % 60), 0);
    if (const uint32_t failed = Send(kMciSeek, kMciTo | kMciWait, request)) return failed;
    return playOn ? PlayOn(static_cast<int32_t>(track), false) : 0;
}

int32_t TAudioCD::OpenTrack(const char* name, int32_t* track, bool busyAnswer) {
    CdTrackName parsed;
    if (!name || !ParseCdTrackName(name, &parsed) || !IsCdRoot(parsed.root)) return 0;
    if (device != 0) return busyAnswer ? -1 : 0;
    if (OpenDevice(parsed.root) != 0) return 0;
    // An adopted device that plays belongs to a play in progress.
    if (status == kCdPlaying || status == kCdPaused) {
        device = 0;
        status = kCdClosed;
        return busyAnswer ? -1 : 0;
    }
    int32_t seconds = 0;
    if (parsed.track > GetTrackCount() || !GetTrackLength(parsed.track, &seconds) || seconds <= 0) {
        CloseDevice();
        return 0;
    }
    *track = parsed.track;
    return seconds;
}

int32_t TAudioCD::GetCDTrackLength(const char* name) {
    int32_t track = 0;
    const int32_t seconds = OpenTrack(name, &track, true);
    if (seconds > 0) CloseDevice();
    return seconds;
}

int32_t TAudioCD::OpenCDTrack(const char* name, int32_t* track) {
    return OpenTrack(name, track, false);
}

int32_t TAudioCD::CountTracks(const char* path) {
    if (!path || !path[0] || !path[1]) return 0;
    const std::string root = LowerCase(std::string(path, 2)) + "\\";
    if (!IsCdRoot(root) || device != 0) return 0;
    if (OpenDevice(root) != 0) return 0;
    int32_t count = GetTrackCount();
    const uint32_t firstType = count > 0 ? IsDataTrack(1) : 0;
    if (firstType == 1) count = count > 1 ? -count : 0;
    if (firstType > 1) count = 0; // the type query failed
    // Closed on every path: a device left open would answer "busy" to the
    // tracks listed next.
    CloseDevice();
    return count;
}
