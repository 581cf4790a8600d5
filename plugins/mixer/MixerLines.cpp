#include "MixerLines.h"

#include <vector>

namespace {

MIXERLINEA EmptyLine() {
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    return line;
}

bool Destination(const MixerObject& mixer, DWORD destination, MIXERLINEA& line) {
    line = EmptyLine();
    line.dwDestination = destination;
    return mixerGetLineInfoA(mixer.object, &line,
                             mixer.objectFlag | MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR;
}

bool Source(const MixerObject& mixer, DWORD destination, DWORD source, MIXERLINEA& line) {
    line = EmptyLine();
    line.dwDestination = destination;
    line.dwSource = source;
    return mixerGetLineInfoA(mixer.object, &line, mixer.objectFlag | MIXER_GETLINEINFOF_SOURCE) ==
           MMSYSERR_NOERROR;
}

} // namespace

bool MixerLineAt(const MixerObject& mixer, int32_t index, MIXERLINEA& line) {
    if (index < 0) return false;
    // Walk the destinations, skipping whole ones with their sources.
    DWORD remaining = static_cast<DWORD>(index);
    for (DWORD destination = 0; Destination(mixer, destination, line); ++destination) {
        if (remaining == 0) return true;
        --remaining;
        const DWORD sources = line.cConnections;
        if (remaining < sources) return Source(mixer, destination, remaining, line);
        remaining -= sources;
    }
    return false;
}

bool MixerLineOfType(const MixerObject& mixer, DWORD type, MIXERLINEA& line) {
    for (int32_t index = 0; MixerLineAt(mixer, index, line); ++index)
        if (line.dwComponentType == type) return true;
    return false;
}

// Walks every line's controls: some drivers (Wine's among them) answer a
// query by id without filling the control in.
bool MixerControlById(const MixerObject& mixer, DWORD controlId, MIXERCONTROLA& control,
                      MIXERLINEA& line) {
    for (int32_t index = 0; MixerLineAt(mixer, index, line); ++index) {
        if (line.cControls == 0) continue;
        std::vector<MIXERCONTROLA> controls(line.cControls);
        for (MIXERCONTROLA& each : controls)
            each.cbStruct = sizeof each;
        MIXERLINECONTROLSA query{};
        query.cbStruct = sizeof query;
        query.dwLineID = line.dwLineID;
        query.cControls = line.cControls;
        query.cbmxctrl = sizeof(MIXERCONTROLA);
        query.pamxctrl = controls.data();
        if (mixerGetLineControlsA(mixer.object, &query,
                                  mixer.objectFlag | MIXER_GETLINECONTROLSF_ALL) !=
            MMSYSERR_NOERROR)
            continue;
        for (const MIXERCONTROLA& each : controls) {
            if (each.dwControlID != controlId) continue;
            control = each;
            return true;
        }
    }
    return false;
}

bool MixerControlOfType(const MixerObject& mixer, const MIXERLINEA& line, DWORD controlType,
                        MIXERCONTROLA& control) {
    if (line.cControls == 0) return false;
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwLineID = line.dwLineID;
    query.dwControlType = controlType;
    query.cControls = 1;
    query.cbmxctrl = sizeof control;
    query.pamxctrl = &control;
    control = MIXERCONTROLA{};
    control.cbStruct = sizeof control;
    return mixerGetLineControlsA(mixer.object, &query,
                                 mixer.objectFlag | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}
