// An MCI "cdaudio" driver for the Windows tests: winmm loads it by the
// name registered for the device type and sends it what a real driver gets.
// It plays the disc of SimulatedDisc.h on a clock that runs in real time,
// answers like a real CD driver (modes and track types as resources, times
// packed), never notifies the end of a play (Wine's own driver does not
// either), and appends every command to the file named by QUOREL_CD_LOG.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "SimulatedDisc.h"

namespace {

using simulated_disc::kTrackCount;
using simulated_disc::kTracks;

constexpr DWORD kFramesPerSecond = 75;

// Commands may come from several threads.
CRITICAL_SECTION lock;

// One disc, one drive: every open of the driver shares it.
struct Drive {
    DWORD timeFormat = MCI_FORMAT_MSF;
    DWORD mode = MCI_MODE_STOP;
    DWORD position = 0; // frames from the disc's start, as of `since`
    DWORD end = 0;      // where a play stops
    DWORD since = 0;
} drive;

DWORD TrackStart(int track) {
    DWORD frames = 0;
    for (int t = 1; t < track; ++t)
        frames += static_cast<DWORD>(kTracks[t - 1].seconds) * kFramesPerSecond;
    return frames;
}

DWORD DiscEnd() {
    return TrackStart(kTrackCount + 1);
}

// Moves the clock of a play on; the drive stops at the play's end.
void Advance() {
    const DWORD now = GetTickCount();
    if (drive.mode == MCI_MODE_PLAY) {
        const DWORD played = static_cast<DWORD>((now - drive.since) * kFramesPerSecond / 1000);
        drive.position += played;
        drive.since += static_cast<DWORD>(played) * 1000 / kFramesPerSecond;
        if (drive.position >= drive.end) {
            drive.position = drive.end;
            drive.mode = MCI_MODE_STOP;
        }
    } else {
        drive.since = now;
    }
}

int TrackAt(DWORD frames) {
    int track = 1;
    while (track < kTrackCount && frames >= TrackStart(track + 1))
        ++track;
    return track;
}

DWORD Msf(DWORD frames) {
    const DWORD seconds = frames / kFramesPerSecond;
    return MCI_MAKE_MSF(seconds / 60, seconds % 60, frames % kFramesPerSecond);
}

DWORD Tmsf(DWORD frames) {
    const int track = TrackAt(frames);
    const DWORD msf = Msf(frames - TrackStart(track));
    return MCI_MAKE_TMSF(track, MCI_MSF_MINUTE(msf), MCI_MSF_SECOND(msf), MCI_MSF_FRAME(msf));
}

// A time in the current format as frames from the disc's start; false when
// it lies outside the disc.
bool ToFrames(DWORD time, DWORD* frames) {
    if (drive.timeFormat == MCI_FORMAT_TMSF) {
        const int track = MCI_TMSF_TRACK(time);
        if (track < 1 || track > kTrackCount) return false;
        *frames = TrackStart(track) +
                  (MCI_TMSF_MINUTE(time) * 60 + MCI_TMSF_SECOND(time)) * kFramesPerSecond +
                  MCI_TMSF_FRAME(time);
    } else if (drive.timeFormat == MCI_FORMAT_MSF) {
        *frames = (MCI_MSF_MINUTE(time) * 60 + MCI_MSF_SECOND(time)) * kFramesPerSecond +
                  MCI_MSF_FRAME(time);
    } else {
        *frames = time * kFramesPerSecond / 1000;
    }
    return *frames <= DiscEnd();
}

void Log(const char* format, ...) {
    // Read at every line: the C runtime's copy of the environment would miss
    // a variable the test sets after the start.
    char path[MAX_PATH];
    const DWORD pathLength = GetEnvironmentVariableA(simulated_disc::kLogVariable, path, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH) return;
    char line[200];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(line, sizeof line - 1, format, arguments);
    va_end(arguments);
    if (length <= 0) return;
    const size_t size = std::min(static_cast<size_t>(length), sizeof line - 2);
    line[size] = '\n';
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size + 1), &written, nullptr);
    CloseHandle(file);
}

DWORD Open(DWORD flags, const MCI_OPEN_PARMSW* parameters) {
    // The drive is named by the element, as "E:".
    const wchar_t* element = (flags & MCI_OPEN_ELEMENT) ? parameters->lpstrElementName : nullptr;
    if (!element || !element[0] || element[1] != L':' || element[2]) {
        Log("open refused");
        return MCIERR_INVALID_FILE;
    }
    Log("open %c:", static_cast<char>(element[0]));
    return 0;
}

DWORD Resource(MCI_STATUS_PARMS* parameters, DWORD value) {
    parameters->dwReturn = MAKEMCIRESOURCE(value, value);
    return MCI_RESOURCE_RETURNED;
}

DWORD Status(DWORD flags, MCI_STATUS_PARMS* parameters) {
    if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
    const bool hasTrack = (flags & MCI_TRACK) != 0;
    const int track = static_cast<int>(parameters->dwTrack);
    const auto item = static_cast<unsigned long>(parameters->dwItem);
    if (hasTrack)
        Log("status %lu track %d", item, track);
    else
        Log("status %lu", item);
    if (hasTrack && (track < 1 || track > kTrackCount)) return MCIERR_OUTOFRANGE;
    Advance();
    switch (parameters->dwItem) {
    case MCI_STATUS_NUMBER_OF_TRACKS:
        parameters->dwReturn = kTrackCount;
        return 0;
    case MCI_STATUS_LENGTH: {
        // Lengths are minutes, seconds and frames in both CD time formats.
        const DWORD frames = hasTrack ? TrackStart(track + 1) - TrackStart(track) : DiscEnd();
        parameters->dwReturn = Msf(frames);
        return MCI_COLONIZED3_RETURN;
    }
    case MCI_STATUS_POSITION: {
        const DWORD frames = hasTrack ? TrackStart(track) : drive.position;
        if (drive.timeFormat == MCI_FORMAT_TMSF) {
            parameters->dwReturn = Tmsf(frames);
            return MCI_COLONIZED4_RETURN;
        }
        if (drive.timeFormat == MCI_FORMAT_MSF) {
            parameters->dwReturn = Msf(frames);
            return MCI_COLONIZED3_RETURN;
        }
        parameters->dwReturn = frames * 1000 / kFramesPerSecond;
        return 0;
    }
    case MCI_STATUS_CURRENT_TRACK:
        parameters->dwReturn = static_cast<DWORD>(TrackAt(drive.position));
        return 0;
    case MCI_STATUS_MODE:
        return Resource(parameters, drive.mode);
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY:
        return Resource(parameters, TRUE);
    case MCI_STATUS_TIME_FORMAT:
        return Resource(parameters, drive.timeFormat);
    case MCI_CDA_STATUS_TYPE_TRACK:
        if (!hasTrack) return MCIERR_MISSING_PARAMETER;
        return Resource(parameters,
                        kTracks[track - 1].audio ? MCI_CDA_TRACK_AUDIO : MCI_CDA_TRACK_OTHER);
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

DWORD Set(DWORD flags, const MCI_SET_PARMS* parameters) {
    if (!(flags & MCI_SET_TIME_FORMAT)) {
        Log("set %#lx", flags);
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    Log("set time format %lu", parameters->dwTimeFormat);
    switch (parameters->dwTimeFormat) {
    case MCI_FORMAT_MSF:
    case MCI_FORMAT_TMSF:
    case MCI_FORMAT_MILLISECONDS:
        drive.timeFormat = parameters->dwTimeFormat;
        return 0;
    default:
        return MCIERR_BAD_TIME_FORMAT;
    }
}

DWORD Play(DWORD flags, const MCI_PLAY_PARMS* parameters) {
    char fromText[12] = "-";
    char toText[12] = "-";
    if (flags & MCI_FROM) std::snprintf(fromText, sizeof fromText, "%08lx", parameters->dwFrom);
    if (flags & MCI_TO) std::snprintf(toText, sizeof toText, "%08lx", parameters->dwTo);
    Log("play from %s to %s", fromText, toText);
    Advance();
    DWORD from = drive.position;
    DWORD to = DiscEnd();
    if ((flags & MCI_FROM) && !ToFrames(parameters->dwFrom, &from)) return MCIERR_OUTOFRANGE;
    if ((flags & MCI_TO) && !ToFrames(parameters->dwTo, &to)) return MCIERR_OUTOFRANGE;
    if (from > to) return MCIERR_OUTOFRANGE;
    drive.position = from;
    drive.end = to;
    drive.mode = from < to ? MCI_MODE_PLAY : MCI_MODE_STOP;
    drive.since = GetTickCount();
    return 0;
}

// A seek stops the drive at the place sought.
DWORD Seek(DWORD flags, const MCI_SEEK_PARMS* parameters) {
    if (flags & MCI_TO)
        Log("seek to %08lx", parameters->dwTo);
    else
        Log("seek %#lx", flags);
    DWORD to = 0;
    if (flags & MCI_SEEK_TO_END)
        to = DiscEnd();
    else if (!(flags & MCI_SEEK_TO_START) && !((flags & MCI_TO) && ToFrames(parameters->dwTo, &to)))
        return MCIERR_OUTOFRANGE;
    Advance();
    drive.position = to;
    drive.mode = MCI_MODE_STOP;
    return 0;
}

DWORD Hold(const char* name, DWORD mode) {
    Log("%s", name);
    Advance();
    if (drive.mode == MCI_MODE_PLAY || mode == MCI_MODE_STOP) drive.mode = mode;
    return 0;
}

DWORD Resume() {
    Log("resume");
    Advance();
    if (drive.mode != MCI_MODE_PAUSE) return 0;
    drive.mode = MCI_MODE_PLAY;
    drive.since = GetTickCount();
    return 0;
}

LRESULT Command(UINT message, DWORD flags, LPARAM parameters) {
    switch (message) {
    case MCI_OPEN_DRIVER:
        return Open(flags, reinterpret_cast<MCI_OPEN_PARMSW*>(parameters));
    case MCI_CLOSE_DRIVER:
        Log("close");
        Advance();
        drive.mode = MCI_MODE_STOP;
        return 0;
    case MCI_STATUS:
        return Status(flags, reinterpret_cast<MCI_STATUS_PARMS*>(parameters));
    case MCI_SET:
        return Set(flags, reinterpret_cast<MCI_SET_PARMS*>(parameters));
    case MCI_PLAY:
        return Play(flags, reinterpret_cast<MCI_PLAY_PARMS*>(parameters));
    case MCI_SEEK:
        return Seek(flags, reinterpret_cast<MCI_SEEK_PARMS*>(parameters));
    case MCI_PAUSE:
        return Hold("pause", MCI_MODE_PAUSE);
    case MCI_STOP:
        return Hold("stop", MCI_MODE_STOP);
    case MCI_RESUME:
        return Resume();
    default:
        Log("command %#x", message);
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DriverProc(DWORD_PTR, HDRVR, UINT message, LPARAM first, LPARAM second) {
    switch (message) {
    case DRV_LOAD:
        InitializeCriticalSection(&lock);
        return 1;
    case DRV_FREE:
        DeleteCriticalSection(&lock);
        return 1;
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
        return 1;
    case DRV_OPEN: {
        // Without parameters: winmm's session instance of the module.
        auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(second);
        if (!open) return 1;
        open->wType = MCI_DEVTYPE_CD_AUDIO;
        open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
        return open->wDeviceID;
    }
    default:
        if (message < DRV_MCI_FIRST || message > DRV_MCI_LAST) return 0;
        EnterCriticalSection(&lock);
        const LRESULT result = Command(message, static_cast<DWORD>(first), second);
        LeaveCriticalSection(&lock);
        return result;
    }
}
