// The mixer plug-in (Keldrin): device volumes through the Windows mixer.
// Optional: the host runs without it. Every call comes from the main thread.
//
// The table starts with MixerGetDeviceCount: the class has no virtual
// destructor, and the host never deletes the object (it belongs to its
// module).
#pragma once

#include <cstddef>
#include "PluginAbi.h"

// A mixer control as MixerGetControl describes it. The host reads only
// `name` and `controlType`.
struct FaderInfo {
    uint32_t controlId;
    uint32_t lineId;
    char name[64]; // NUL-terminated
    uint32_t channels;
    uint32_t controlType; // kVolumeFaderType for a volume fader
    int32_t minimum;
    int32_t maximum;
};

constexpr uint32_t kVolumeFaderType = 0x50030001;

static_assert(offsetof(FaderInfo, name) == 8, "FaderInfo: the host reads the name at byte 8");
static_assert(offsetof(FaderInfo, controlType) == 76, "FaderInfo: the host reads the type at 76");

// Line kinds that MixerGetLine returns.
constexpr int32_t kMixerLineSpeakers = 4;
constexpr int32_t kMixerLineFirstSource = 0x1000;
constexpr int32_t kMixerLineEnd = -1;

class MixerPlugin {
  public:
    // Entry 0. Number of mixer devices.
    virtual int32_t MixerGetDeviceCount() = 0;
    // Entry 1. Copies the device's name into a 64-byte buffer; false when
    // there is no such device.
    virtual bool MixerGetDeviceName(int32_t index, char* buffer64) = 0;
    // Entry 2. Opens a device with `window` as callback window: control
    // changes arrive there as MM_MIXM_CONTROL_CHANGE with the control id in
    // the second parameter.
    virtual int32_t MixerOpen(WindowHandle window, int32_t device) = 0;
    // Entry 3.
    virtual int32_t MixerClose() = 0;
    // Entries 4 to 9. Not called by the host; kept so that the entries below
    // keep their positions. They return 0.
    virtual int32_t MixerReserved4() = 0;
    virtual int32_t MixerReserved5() = 0;
    virtual int32_t MixerReserved6() = 0;
    virtual int32_t MixerReserved7() = 0;
    virtual int32_t MixerReserved8() = 0;
    virtual int32_t MixerReserved9() = 0;
    // Entry 10. The control's description, or null. The record belongs to
    // the plug-in and stays valid until the next call.
    virtual FaderInfo* MixerGetControl(uint32_t controlId) = 0;
    // Entry 11. The volume control of the line with this name; 0 for none.
    virtual uint32_t MixerFindVolumeControl(const char* lineName) = 0;
    // Entry 12. value = right << 16 | left, each 0 ... 65535; channels is 1.
    virtual int32_t MixerSetControlValue(uint32_t controlId, int32_t channels, uint32_t value) = 0;
    // Entry 13. The control's value in the high 16 bits; channels is 1.
    virtual uint32_t MixerGetControlValue(const FaderInfo* control, int32_t channels) = 0;
    // Entry 14. Line n of the device: its kind (kMixerLineSpeakers, a source
    // kind >= kMixerLineFirstSource, kMixerLineEnd past the last line) with
    // its name in the 64-byte buffer. For n = 4, 4104 and 4101 the answer is
    // a probe: 0 when the device has no speaker, wave or CD line.
    virtual int32_t MixerGetLine(WindowHandle window, int32_t device, int32_t n,
                                 char* buffer64) = 0;
    // Entry 15. Writes a NUL-terminated version text into an 8-byte buffer.
    virtual int32_t MixerGetVersion(char* buffer8) = 0;

  protected:
    ~MixerPlugin() = default;
};

using GetMixerInstanceFn = MixerPlugin* (*)();
