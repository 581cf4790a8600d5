// Loads the three plug-in modules and asks each for its object.
#pragma once

#include <windows.h>

#include "InputPlugin.h"
#include "MixerPlugin.h"
#include "OutputPlugin.h"

class PluginManager {
  public:
    PluginManager() = default;
    PluginManager(const PluginManager&) = delete;
    PluginManager& operator=(const PluginManager&) = delete;
    // Frees the loaded modules in the order input, output, mixer; the
    // objects they handed out die with them.
    virtual ~PluginManager();

    // Each frees the module its slot already holds, loads `path` and returns
    // what the module's "_GetInstance" returns. Null when the module can't be
    // loaded, lacks the export (it then stays loaded) or its factory returns
    // null.
    InputPlugin* LoadInput(const char* path);
    OutputPlugin* LoadOutput(const char* path);
    MixerPlugin* LoadMixer(const char* path);

  private:
    static void* LoadInto(HMODULE& slot, const char* path);

    HMODULE inputModule = nullptr;
    HMODULE outputModule = nullptr;
    HMODULE mixerModule = nullptr;
};
