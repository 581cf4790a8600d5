// The mixer plug-in's one object: the Windows mixer API behind the host's
// table.
//
// Lines: MixerGetLine numbers a device's lines as one list, each
// destination followed by its sources, and answers the line's component
// type (MIXERLINE_COMPONENTTYPE_*). A number past the list that is itself a
// component type (0 ... 8, 0x1000 ... 0x100A) is a probe: the device's
// first line of that type, or 0 when it has none. The number just past the
// last line always answers -1, so the host's listing stops there (with
// exactly four lines, the speaker probe 4 answers -1 too, which the host
// takes as "present").
//
// Control ids: MixerFindVolumeControl and MixerSetControlValue use the
// system's control id plus one, since the system may number a control 0,
// which the host takes as "none". MixerGetControl takes the system's id as
// MM_MIXM_CONTROL_CHANGE carries it in its second parameter.
//
// FaderInfo: name is the name of the control's line (the text MixerGetLine
// lists), so that the host's comparison with the line text in use finds
// it; controlId, lineId, channels, minimum and maximum are the system's.
//
// Values: 0 ... 65535 per channel, right << 16 | left, scaled to the
// control's bounds; a one-channel or uniform control takes the louder side.
// The `channels` arguments of the host (always 1) are not used.
#pragma once

#include "MixerPlugin.h"

#include <windows.h>
#include <mmsystem.h>

class Keldrin : public MixerPlugin {
  public:
    int32_t MixerGetDeviceCount() override;
    bool MixerGetDeviceName(int32_t index, char* buffer64) override;
    int32_t MixerOpen(WindowHandle window, int32_t device) override;
    int32_t MixerClose() override;
    int32_t MixerReserved4() override;
    int32_t MixerReserved5() override;
    int32_t MixerReserved6() override;
    int32_t MixerReserved7() override;
    int32_t MixerReserved8() override;
    int32_t MixerReserved9() override;
    FaderInfo* MixerGetControl(uint32_t controlId) override;
    uint32_t MixerFindVolumeControl(const char* lineName) override;
    int32_t MixerSetControlValue(uint32_t controlId, int32_t channels, uint32_t value) override;
    uint32_t MixerGetControlValue(const FaderInfo* control, int32_t channels) override;
    int32_t MixerGetLine(WindowHandle window, int32_t device, int32_t n, char* buffer64) override;
    int32_t MixerGetVersion(char* buffer8) override;

  private:
    HMIXER mixer = nullptr;
    FaderInfo fader{};
};
