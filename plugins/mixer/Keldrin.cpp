#include "Keldrin.h"

#include <algorithm>
#include <cstring>

#include "FaderScale.h"
#include "MixerLines.h"

namespace {

constexpr char kVersion[] = "1.0.0";
static_assert(sizeof kVersion <= 8, "the version fits the host's 8-byte buffer");

constexpr size_t kNameBytes = 64;

// Copies a NUL-terminated text into a 64-byte buffer, cut to fit.
void CopyName(char* buffer64, const char* name) {
    const size_t length = strnlen(name, kNameBytes - 1);
    std::memcpy(buffer64, name, length);
    buffer64[length] = '\0';
}

bool IsComponentType(int32_t n) {
    const bool destination = n >= static_cast<int32_t>(MIXERLINE_COMPONENTTYPE_DST_FIRST) &&
                             n <= static_cast<int32_t>(MIXERLINE_COMPONENTTYPE_DST_LAST);
    const bool source = n >= static_cast<int32_t>(MIXERLINE_COMPONENTTYPE_SRC_FIRST) &&
                        n <= static_cast<int32_t>(MIXERLINE_COMPONENTTYPE_SRC_LAST);
    return destination || source;
}

MixerObject DeviceObject(int32_t device) {
    return {reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(device)), MIXER_OBJECTF_MIXER};
}

// Channels a value carries for the control: one for a uniform control.
DWORD ValueChannels(const MIXERCONTROLA& control, const MIXERLINEA& line) {
    if (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) return 1;
    return std::clamp<DWORD>(line.cChannels, 1, 2);
}

bool ControlDetails(HMIXER mixer, const MIXERCONTROLA& control, DWORD channels,
                    MIXERCONTROLDETAILS_UNSIGNED* values, bool write) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = channels;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values;
    const HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
    const DWORD flags = MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE;
    const MMRESULT result = write ? mixerSetControlDetails(object, &details, flags)
                                  : mixerGetControlDetailsA(object, &details, flags);
    return result == MMSYSERR_NOERROR;
}

} // namespace

int32_t Keldrin::MixerGetDeviceCount() {
    return static_cast<int32_t>(mixerGetNumDevs());
}

bool Keldrin::MixerGetDeviceName(int32_t index, char* buffer64) {
    if (!buffer64 || index < 0) return false;
    MIXERCAPSA caps{};
    if (mixerGetDevCapsA(static_cast<UINT_PTR>(index), &caps, sizeof caps) != MMSYSERR_NOERROR)
        return false;
    char name[sizeof caps.szPname + 1] = {};
    std::memcpy(name, caps.szPname, sizeof caps.szPname);
    CopyName(buffer64, name);
    return true;
}

int32_t Keldrin::MixerOpen(WindowHandle window, int32_t device) {
    MixerClose();
    if (device < 0) return 0;
    const DWORD callback = window ? CALLBACK_WINDOW : CALLBACK_NULL;
    HMIXER opened = nullptr;
    if (mixerOpen(&opened, static_cast<UINT>(device), reinterpret_cast<DWORD_PTR>(window), 0,
                  callback | MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return 0;
    mixer = opened;
    return 1;
}

int32_t Keldrin::MixerClose() {
    if (!mixer) return 0;
    mixerClose(mixer);
    mixer = nullptr;
    return 1;
}

int32_t Keldrin::MixerReserved4() {
    return 0;
}
int32_t Keldrin::MixerReserved5() {
    return 0;
}
int32_t Keldrin::MixerReserved6() {
    return 0;
}
int32_t Keldrin::MixerReserved7() {
    return 0;
}
int32_t Keldrin::MixerReserved8() {
    return 0;
}
int32_t Keldrin::MixerReserved9() {
    return 0;
}

FaderInfo* Keldrin::MixerGetControl(uint32_t controlId) {
    if (!mixer) return nullptr;
    MIXERCONTROLA control;
    MIXERLINEA line;
    const MixerObject object{reinterpret_cast<HMIXEROBJ>(mixer), MIXER_OBJECTF_HMIXER};
    if (!MixerControlById(object, controlId, control, line)) return nullptr;
    fader = FaderInfo{};
    fader.controlId = control.dwControlID;
    fader.lineId = line.dwLineID;
    CopyName(fader.name, line.szName);
    fader.channels = ValueChannels(control, line);
    fader.controlType = control.dwControlType;
    fader.minimum = control.Bounds.lMinimum;
    fader.maximum = control.Bounds.lMaximum;
    return &fader;
}

uint32_t Keldrin::MixerFindVolumeControl(const char* lineName) {
    if (!mixer || !lineName) return 0;
    const MixerObject object{reinterpret_cast<HMIXEROBJ>(mixer), MIXER_OBJECTF_HMIXER};
    MIXERLINEA line;
    for (int32_t index = 0; MixerLineAt(object, index, line); ++index) {
        if (std::strncmp(line.szName, lineName, sizeof line.szName) != 0) continue;
        MIXERCONTROLA control;
        if (!MixerControlOfType(object, line, MIXERCONTROL_CONTROLTYPE_VOLUME, control)) continue;
        if (control.dwControlID == 0xFFFFFFFFu) continue; // no room for the +1
        return control.dwControlID + 1;
    }
    return 0;
}

int32_t Keldrin::MixerSetControlValue(uint32_t controlId, int32_t, uint32_t value) {
    if (!mixer || controlId == 0) return 0;
    MIXERCONTROLA control;
    MIXERLINEA line;
    const MixerObject object{reinterpret_cast<HMIXEROBJ>(mixer), MIXER_OBJECTF_HMIXER};
    if (!MixerControlById(object, controlId - 1, control, line)) return 0;
    const DWORD minimum = control.Bounds.dwMinimum;
    const DWORD maximum = control.Bounds.dwMaximum;
    const uint32_t left = value & 0xFFFF;
    const uint32_t right = value >> 16;
    MIXERCONTROLDETAILS_UNSIGNED values[2];
    const DWORD channels = ValueChannels(control, line);
    if (channels == 1) {
        values[0].dwValue = ToControlValue(std::max(left, right), minimum, maximum);
    } else {
        values[0].dwValue = ToControlValue(left, minimum, maximum);
        values[1].dwValue = ToControlValue(right, minimum, maximum);
    }
    return ControlDetails(mixer, control, channels, values, true) ? 1 : 0;
}

uint32_t Keldrin::MixerGetControlValue(const FaderInfo* info, int32_t) {
    if (!mixer || !info) return 0;
    MIXERCONTROLA control;
    MIXERLINEA line;
    const MixerObject object{reinterpret_cast<HMIXEROBJ>(mixer), MIXER_OBJECTF_HMIXER};
    if (!MixerControlById(object, info->controlId, control, line)) return 0;
    const DWORD channels = ValueChannels(control, line);
    MIXERCONTROLDETAILS_UNSIGNED values[2] = {};
    if (!ControlDetails(mixer, control, channels, values, false)) return 0;
    const DWORD minimum = control.Bounds.dwMinimum;
    const DWORD maximum = control.Bounds.dwMaximum;
    const uint32_t left = FromControlValue(values[0].dwValue, minimum, maximum);
    const uint32_t right =
        channels == 1 ? left : FromControlValue(values[1].dwValue, minimum, maximum);
    return PackStereo(left, right);
}

// The window is not needed: the device is asked by its index.
int32_t Keldrin::MixerGetLine(WindowHandle, int32_t device, int32_t n, char* buffer64) {
    if (!buffer64 || device < 0 || n < 0) return kMixerLineEnd;
    buffer64[0] = '\0';
    const MixerObject object = DeviceObject(device);
    MIXERLINEA line;
    if (MixerLineAt(object, n, line)) {
        CopyName(buffer64, line.szName);
        return static_cast<int32_t>(line.dwComponentType);
    }
    // Just past the last line is the end of the list; further on, a probe.
    if (n == 0 || !IsComponentType(n) || MixerLineAt(object, n - 1, line)) return kMixerLineEnd;
    if (!MixerLineOfType(object, static_cast<DWORD>(n), line)) return 0;
    CopyName(buffer64, line.szName);
    return n;
}

int32_t Keldrin::MixerGetVersion(char* buffer8) {
    if (!buffer8) return 0;
    std::memcpy(buffer8, kVersion, sizeof kVersion);
    return 1;
}
