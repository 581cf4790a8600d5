#include "HostCallback.h"

#include <windows.h>

int32_t QUOREL_STDCALL HostCallback(int32_t code, int32_t value, uintptr_t window) {
    if (code == kNotifyEnd || code == kNotifyPosition)
        PostMessageA(reinterpret_cast<HWND>(window), kHostCallbackMessage,
                     static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    return 0;
}
