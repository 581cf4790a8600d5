#include "DirectSoundDevice.h"

namespace {
using DirectSoundCreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);
} // namespace

DirectSoundDevice::~DirectSoundDevice() {
    Release();
    if (library) FreeLibrary(library);
}

bool DirectSoundDevice::Create(HWND window) {
    Release();
    if (!window || !IsWindow(window)) return false;
    if (!library) library = LoadLibraryA("dsound.dll");
    if (!library) return false;
    const auto create = reinterpret_cast<DirectSoundCreateFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "DirectSoundCreate")));
    if (!create || FAILED(create(nullptr, &sound, nullptr))) {
        sound = nullptr;
        Release();
        return false;
    }
    if (FAILED(sound->SetCooperativeLevel(window, DSSCL_PRIORITY))) {
        Release();
        return false;
    }
    return true;
}

void DirectSoundDevice::Release() {
    if (sound) sound->Release();
    sound = nullptr;
}
