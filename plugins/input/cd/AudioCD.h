// Audio-CD tracks played by the drive itself through the MCI "cdaudio"
// device: the input plug-in only starts, pauses, resumes, seeks and watches.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MciChannel.h"

// Status of the device.
enum CdStatus : int32_t { kCdClosed = -1, kCdPlaying = 0, kCdStopped = 1, kCdPaused = 2 };

class TAudioCD {
  public:
    // `cdRoots`: the CD-ROM drives' roots ("D:\") in the system's order.
    TAudioCD(std::unique_ptr<MciChannel> mci, std::vector<std::string> cdRoots);
    ~TAudioCD();
    TAudioCD(const TAudioCD&) = delete;
    TAudioCD& operator=(const TAudioCD&) = delete;

    // Opens the device on the drive of `root`, or adopts the one this
    // process already holds; 0 on success (also when already open).
    uint32_t OpenDevice(const std::string& root);
    // 0, or 257 when the device was closed.
    uint32_t CloseDevice();
    bool IsOpen() const { return device != 0; }
    CdStatus Status() const { return status; }

    // Number of tracks; 0 on error.
    int32_t GetTrackCount();
    // 0 for an audio track, 1 for any other, the error on failure.
    uint32_t IsDataTrack(int32_t track);
    // Whole seconds of `track`; false on any error (the device is closed
    // when the time format cannot be set).
    bool GetTrackLength(int32_t track, int32_t* seconds);
    uint32_t SetTrackTimeFormat();
    // Plays `track` to the start of the next, or to the disc's end.
    uint32_t PlayTrack(int32_t track);
    // Elapsed seconds in the current track; 0 on error.
    int32_t GetPositionInTrack();
    // The MCI mode value; false on error.
    bool GetMode(uint32_t* mode);
    uint32_t StopTrack();
    uint32_t PauseTrack();
    uint32_t ResumeTrack();
    // Moves to `seconds` into the current track (kept inside it) and plays on
    // from there when `playOn`; else the drive waits there for a resume.
    uint32_t SeekInTrack(int32_t seconds, bool playOn);

    // A play list name as a CD track: its length in seconds, -1 when the
    // device is busy, 0 when it is no playable track. Leaves the device closed.
    int32_t GetCDTrackLength(const char* name);
    // The same, but leaves the device open on success and hands back the
    // track number; 0 also when busy.
    int32_t OpenCDTrack(const char* name, int32_t* track);
    // Tracks on the disc in the drive of `path` ("D:\..."): the count, its
    // negative when track 1 holds data, 0 for no disc or no CD drive.
    int32_t CountTracks(const char* path);

  private:
    bool IsCdRoot(const std::string& root) const;
    uint32_t Send(uint32_t command, uint32_t flags, MciRequest& request);
    uint32_t Query(uint32_t item, uint32_t track, uint32_t* value);
    // Play from where the drive stands (or `from`) to the next track's start.
    uint32_t PlayOn(int32_t track, bool fromStart);
    int32_t OpenTrack(const char* name, int32_t* track, bool busyAnswer);

    std::unique_ptr<MciChannel> mci;
    std::vector<std::string> roots; // lower case
    // Read by the host thread while the playback thread plays.
    std::atomic<uint32_t> device{0};
    std::atomic<CdStatus> status{kCdClosed};
};
