#include "PluginManager.h"

#include <initializer_list>

PluginManager::~PluginManager() {
    for (HMODULE module : {inputModule, outputModule, mixerModule})
        if (module) FreeLibrary(module);
}

void* PluginManager::LoadInto(HMODULE& slot, const char* path) {
    if (slot) {
        FreeLibrary(slot);
        slot = nullptr;
    }
    slot = LoadLibraryA(path);
    if (!slot) return nullptr;
    using Factory = void* (*)();
    auto factory = reinterpret_cast<Factory>(
        reinterpret_cast<void (*)()>(GetProcAddress(slot, kGetInstanceExport)));
    return factory ? factory() : nullptr;
}

InputPlugin* PluginManager::LoadInput(const char* path) {
    return static_cast<InputPlugin*>(LoadInto(inputModule, path));
}

OutputPlugin* PluginManager::LoadOutput(const char* path) {
    return static_cast<OutputPlugin*>(LoadInto(outputModule, path));
}

MixerPlugin* PluginManager::LoadMixer(const char* path) {
    return static_cast<MixerPlugin*>(LoadInto(mixerModule, path));
}
