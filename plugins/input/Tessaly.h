// The input plug-in's one object.
#pragma once

#include "InputPlugin.h"
#include "decoder/DecoderTypes.h"

class Tessaly : public InputPlugin {
  public:
    Tessaly();
    ~Tessaly() override = default;

    int32_t SetOutput(OutputPlugin* output) override;
    int32_t SetCallback(InputCallback callback, uintptr_t userData) override;
    int32_t Open(const char* fileName, InputFileInfo* info) override;
    int32_t Close() override;
    int32_t GetState() override;
    int32_t GetFileInfo(const char* fileName, InputFileInfo* info) override;
    int32_t Play() override;
    int32_t Stop() override;
    int32_t Pause() override;
    int32_t Resume() override;
    int32_t Seek(int32_t seconds) override;
    int32_t SetVolume(int32_t left, int32_t right) override;
    int32_t SetDecodeOptions(int32_t reduction, int32_t conversion,
                             int32_t frequencyLimit) override;
    int32_t GetVersion(char* buffer) override;
    int32_t WriteID3v1(const char* fileName, const TagRecord* tag) override;
    int32_t WriteRiffInfo(const char* fileName, const TagRecord* tag) override;
    int32_t WriteLyrics3(const char* fileName, const TagRecord* tag) override;
    int32_t GetCDTrackCount(const char* path) override;

  protected:
    DecodeOptions decodeOptions;
    // Written by the playback thread, read by the host thread.
    volatile int32_t state = kInputStopped;
    InputCallback callback = nullptr;
    uintptr_t userData = 0;
    OutputPlugin* output = nullptr; // owned by the output module
};
