// The output plug-in's one object.
#pragma once

#include "OutputPlugin.h"

class Varnoth : public OutputPlugin {
  public:
    int32_t OutputOpen(int32_t deviceId, const PcmFormat* format) override;
    int32_t OutputClose() override;
    int32_t OutputWrite(const void* pcm, int32_t bytes) override;
    int32_t OutputReset() override;
    int32_t OutputPause() override;
    int32_t OutputResume() override;
    int32_t OutputSetVolume(int32_t left, int32_t right) override;
    int32_t OutputReserved8() override;
    int32_t OutputReserved9() override;
    int32_t OutputGetVersion(char* buffer8) override;
    int32_t OutputInitDirectSound(WindowHandle window) override;
    int32_t OutputRelease() override;
};
