// A mixer device's lines as one flat list: each destination followed by
// its sources, in the order the mixer API numbers them.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// `object` is a device index (with MIXER_OBJECTF_MIXER) or an open handle
// (with MIXER_OBJECTF_HMIXER), as `objectFlag` says.
struct MixerObject {
    HMIXEROBJ object;
    DWORD objectFlag;
};

// Line number `index` of the flat list; false past the last line.
bool MixerLineAt(const MixerObject& mixer, int32_t index, MIXERLINEA& line);

// The first line whose component type is `type`; false when there is none.
bool MixerLineOfType(const MixerObject& mixer, DWORD type, MIXERLINEA& line);

// The line that owns control `controlId`, with the control; false when the
// device has no such control.
bool MixerControlById(const MixerObject& mixer, DWORD controlId, MIXERCONTROLA& control,
                      MIXERLINEA& line);

// The line's control of `controlType`; false when it has none.
bool MixerControlOfType(const MixerObject& mixer, const MIXERLINEA& line, DWORD controlType,
                        MIXERCONTROLA& control);
