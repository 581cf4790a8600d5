// The input plug-in's one object: opens a source, reports file information,
// writes tags, and runs the playback thread.
#pragma once

#include <memory>

#include "AudioCD.h"
#include "CdPlaybackLoop.h"
#include "InputPlugin.h"
#include "PlaybackChannel.h"
#include "PlaybackLoop.h"
#include "TagFile.h"
#include "WaveSource.h"
#include "decoder/DecoderTypes.h"

// What a source is.
enum SourceKind : int32_t { kSourceNone = 0, kSourceMpeg = 1, kSourceWave = 2, kSourceCdTrack = 3 };

class Tessaly : public InputPlugin {
  public:
    // `thread` runs the playback loop (Win32 thread messages in the plug-in);
    // `cd` plays audio-CD tracks (null: no CD support, every name is a file).
    explicit Tessaly(std::unique_ptr<PlaybackThread> thread,
                     std::unique_ptr<TAudioCD> cd = nullptr);
    ~Tessaly() override;

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
    struct StreamFacts;
    static int32_t ProbeMpeg(TagFile& file, int64_t searchStart, StreamFacts* facts);
    static void CopyStreamFields(const StreamFacts& facts, InputFileInfo* info);
    static void RunLoop(PlaybackChannel& channel, void* self);
    int32_t OpenCdTrack(const char* fileName, InputFileInfo* info);
    int32_t PlayCdTrack();

    std::unique_ptr<TagFile> file; // the open media file; null when none
    FrameHeader header = {};
    OutputShape shape = {};
    DecodeOptions decodeOptions;
    int64_t dataOffset = 0;
    int64_t audioSize = 0;
    std::unique_ptr<PlaybackThread> thread;
    // Written by the playback thread, read by the host thread.
    volatile int32_t state = kInputStopped;
    InputCallback callback = nullptr;
    uintptr_t userData = 0;
    OutputPlugin* output = nullptr; // owned by the output module
    std::unique_ptr<PcmProducer> producer;
    std::unique_ptr<PlaybackLoop> loop;
    std::unique_ptr<TAudioCD> cd;
    std::unique_ptr<CdPlaybackLoop> cdLoop;
    int32_t sourceKind = kSourceNone;
    int32_t cdTrack = 0; // the open CD source's track; 0 when none
    WaveFormat waveFormat = {};
    WaveCounters waveCounters = {};
};
