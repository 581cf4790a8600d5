// The DirectSound device object, made by OutputInitDirectSound and kept
// until OutputRelease. dsound.dll is loaded at run time, so Varnoth also
// loads on a system without it.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

class DirectSoundDevice {
  public:
    DirectSoundDevice() = default;
    ~DirectSoundDevice();
    DirectSoundDevice(const DirectSoundDevice&) = delete;
    DirectSoundDevice& operator=(const DirectSoundDevice&) = delete;

    // Creates the default device with `window` as its cooperative window;
    // false (and nothing kept) when DirectSound or the window is unusable.
    bool Create(HWND window);
    // Lets go of the device; dsound.dll stays loaded until destruction, as
    // a sink on the playback thread may still hold a buffer.
    void Release();
    IDirectSound* get() const { return sound; }

  private:
    HMODULE library = nullptr;
    IDirectSound* sound = nullptr;
};
