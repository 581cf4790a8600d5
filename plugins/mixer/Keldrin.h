// The mixer plug-in's one object.
#pragma once

#include "MixerPlugin.h"

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
};
