// An output that takes PCM and throws it away at once, counting the bytes:
// for benchmarks of the input plug-in.
#pragma once

#include "OutputPlugin.h"

class DiscardingOutput : public OutputPlugin {
  public:
    int32_t OutputOpen(int32_t, const PcmFormat* f) override {
        format = *f;
        return 1;
    }
    int32_t OutputClose() override { return 1; }
    int32_t OutputWrite(const void*, int32_t bytes) override {
        bytesWritten += bytes;
        return 1;
    }
    int32_t OutputReset() override { return 1; }
    int32_t OutputPause() override { return 1; }
    int32_t OutputResume() override { return 1; }
    int32_t OutputSetVolume(int32_t, int32_t) override { return 1; }
    int32_t OutputQueuedBytes() override { return 0; }
    int32_t OutputReserved9() override { return 0; }
    int32_t OutputGetVersion(char*) override { return 0; }
    int32_t OutputInitDirectSound(WindowHandle) override { return 0; }
    int32_t OutputRelease() override { return 1; }

    PcmFormat format = {};
    long long bytesWritten = 0;
};
