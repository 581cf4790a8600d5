// A mixer for the transport's tests: lines are a scripted list of (kind,
// name), probes answer from a table, volume controls are found by line name,
// controls are described from a table, and the last value set is kept and
// read back.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "MixerPlugin.h"

class ScriptedMixer : public MixerPlugin {
  public:
    int32_t MixerGetDeviceCount() override { return 1; }
    bool MixerGetDeviceName(int32_t, char*) override { return false; }
    int32_t MixerOpen(WindowHandle, int32_t) override { return 1; }
    int32_t MixerClose() override { return 1; }
    int32_t MixerReserved4() override { return 0; }
    int32_t MixerReserved5() override { return 0; }
    int32_t MixerReserved6() override { return 0; }
    int32_t MixerReserved7() override { return 0; }
    int32_t MixerReserved8() override { return 0; }
    int32_t MixerReserved9() override { return 0; }
    FaderInfo* MixerGetControl(uint32_t id) override {
        const auto found = faders.find(id);
        return found == faders.end() ? nullptr : &found->second;
    }
    uint32_t MixerFindVolumeControl(const char* name) override {
        const auto found = controls.find(name);
        return found == controls.end() ? 0 : found->second;
    }
    int32_t MixerSetControlValue(uint32_t control, int32_t, uint32_t value) override {
        set = {control, value};
        return 1;
    }
    uint32_t MixerGetControlValue(const FaderInfo*, int32_t) override { return set.second; }
    int32_t MixerGetLine(WindowHandle, int32_t device, int32_t n, char* buffer64) override {
        ++lineCalls[device];
        if (probes.count(n)) return probes[n];
        if (n < 0 || n >= static_cast<int32_t>(lines.size())) return kMixerLineEnd;
        std::strncpy(buffer64, lines[n].second.c_str(), 63);
        return lines[n].first;
    }
    int32_t MixerGetVersion(char*) override { return 0; }

    std::vector<std::pair<int32_t, std::string>> lines;
    std::map<int32_t, int32_t> probes;
    std::map<std::string, uint32_t> controls; // line name -> volume control id
    std::pair<uint32_t, uint32_t> set{0, 0};  // last (control, value) set
    std::map<uint32_t, FaderInfo> faders;     // control id -> description
    std::map<int32_t, int> lineCalls;         // MixerGetLine calls per device
};
