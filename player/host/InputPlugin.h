// The input plug-in (Tessaly): opens media sources, reads and writes tags,
// decodes, and feeds PCM to the output plug-in on a playback thread of its
// own.
//
// Threads: the host calls every entry from its main thread. The playback
// thread calls the InputCallback. Stop, Pause, Resume and Seek wait for the
// playback thread to handle them, so they must never be called from inside
// the callback.
//
// Records: InputFileInfo and TagRecord belong to the caller and are filled or
// read during the call only. File names are NUL-terminated ANSI text.
//
// Results: 1 for success, 0 for refusal or failure, unless said otherwise.
#pragma once

#include "InputFileInfo.h"
#include "OutputPlugin.h"
#include "PluginAbi.h"

// Codes of the InputCallback.
constexpr int32_t kNotifyEnd = 1;      // the source finished by itself; value 0
constexpr int32_t kNotifyPosition = 2; // value = elapsed whole seconds

// Called on the playback thread. `userData` comes back as SetCallback got it;
// it is pointer-sized so that a window handle fits on 64-bit Windows too.
using InputCallback = int32_t(QUOREL_STDCALL*)(int32_t code, int32_t value, uintptr_t userData);

// What GetState returns.
enum InputState : int32_t { kInputStopped = 0, kInputPlaying = 1, kInputPaused = 2 };

class InputPlugin {
  public:
    // Entry 0. Never called by the host: the object lives as long as its
    // module.
    virtual ~InputPlugin() = default;

    // Entry 1. Refused unless stopped.
    virtual int32_t SetOutput(OutputPlugin* output) = 0;
    // Entry 2. Refused unless stopped.
    virtual int32_t SetCallback(InputCallback callback, uintptr_t userData) = 0;
    // Entry 3. Opens a file or CD track for playing and fills `info` (the
    // caller passes the play list item's own record, refreshed in place).
    virtual int32_t Open(const char* fileName, InputFileInfo* info) = 0;
    // Entry 4. 0 when nothing is open; else stops and releases the file.
    virtual int32_t Close() = 0;
    // Entry 5. An InputState.
    virtual int32_t GetState() = 0;
    // Entry 6. Fills `info` from a file without disturbing playback.
    virtual int32_t GetFileInfo(const char* fileName, InputFileInfo* info) = 0;
    // Entry 7. Opens the output and starts the playback thread.
    virtual int32_t Play() = 0;
    // Entries 8 to 11. Handled by the playback thread; the call waits for it.
    virtual int32_t Stop() = 0;
    virtual int32_t Pause() = 0;
    virtual int32_t Resume() = 0;
    virtual int32_t Seek(int32_t seconds) = 0;
    // Entry 12. Passed to OutputSetVolume; its result is returned.
    virtual int32_t SetVolume(int32_t left, int32_t right) = 0;
    // Entry 13. Reduction 0-2 and conversion 0-1 (anything else stores 0);
    // a positive frequency limit stores 24000, others leave it. Always 1.
    virtual int32_t SetDecodeOptions(int32_t reduction, int32_t conversion,
                                     int32_t frequencyLimit) = 0;
    // Entry 14. Copies the version text with its NUL into a buffer of at
    // least 6 bytes.
    virtual int32_t GetVersion(char* buffer) = 0;
    // Entries 15 to 17. Write the tag text into the file; the audio data is
    // never touched.
    virtual int32_t WriteID3v1(const char* fileName, const TagRecord* tag) = 0;
    virtual int32_t WriteRiffInfo(const char* fileName, const TagRecord* tag) = 0;
    virtual int32_t WriteLyrics3(const char* fileName, const TagRecord* tag) = 0;
    // Entry 18. Audio tracks on the CD in the drive that `path` names (for
    // example "D:\Track01.cda"); 0 when none; negative when track 1 is data.
    virtual int32_t GetCDTrackCount(const char* path) = 0;
};

using GetInputInstanceFn = InputPlugin* (*)();
