// A scripted CD drive behind the MCI interface: a disc of tracks, a clock
// the test advances, injected errors, an eject;
// every command is logged with its packed values.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "MciChannel.h"

class FakeCdDrive : public MciChannel {
  public:
    struct Track {
        bool audio;
        int32_t seconds;
    };
    struct Logged {
        uint32_t command, flags;
        std::string element;
        uint32_t from, to, timeFormat, item, track;
    };

    explicit FakeCdDrive(std::vector<Track> disc) : disc(std::move(disc)) {}

    uint32_t Command(uint32_t device, uint32_t command, uint32_t flags,
                     MciRequest& request) override {
        std::lock_guard<std::mutex> lock(mutex);
        now += commandCost;
        log.push_back({command, flags, request.element ? request.element : "", request.from,
                       request.to, request.timeFormat, request.item, request.track});
        const auto failure =
            failures.find(command == kMciStatus ? 0x10000 + request.item : command);
        if (failure != failures.end()) return failure->second;
        if (command == kMciOpen) return Open(request);
        if (device == 0 || device != openDevice) return kMciErrorInvalidDevice;
        switch (command) {
        case kMciClose:
            openDevice = 0;
            return 0;
        case kMciSet:
            timeFormat = request.timeFormat;
            return 0;
        case kMciPlay: {
            const int32_t from = flags & kMciFrom ? Absolute(request.from) : Position();
            playTo = flags & kMciTo ? Absolute(request.to) : DiscEnd();
            StartAt(from, true);
            return 0;
        }
        case kMciSeek:
            StartAt(Absolute(request.to), false);
            return 0;
        case kMciPause:
            StartAt(Position(), false);
            paused = true;
            return 0;
        case kMciStatus:
            return Status(request);
        }
        return 0;
    }

    uint32_t DeviceIdByName(const char*) override {
        std::lock_guard<std::mutex> lock(mutex);
        return openDevice;
    }

    void Advance(int32_t milliseconds) {
        std::lock_guard<std::mutex> lock(mutex);
        now += milliseconds;
    }
    // Makes `command` fail with `error`; a status item as 0x10000 + item.
    void Fail(uint32_t command, uint32_t error) {
        std::lock_guard<std::mutex> lock(mutex);
        failures[command] = error;
    }
    void Eject() {
        std::lock_guard<std::mutex> lock(mutex);
        trayOpen = true;
    }
    std::vector<Logged> Log() {
        std::lock_guard<std::mutex> lock(mutex);
        return log;
    }
    bool DeviceOpen() {
        std::lock_guard<std::mutex> lock(mutex);
        return openDevice != 0;
    }

    std::vector<Track> disc;
    int32_t commandCost = 0; // milliseconds each command takes
    std::string lastElement;

  private:
    uint32_t Open(MciRequest& request) {
        if (openDevice) return 263; // the device is already open
        openDevice = 1;
        lastElement = request.element ? request.element : "";
        request.deviceId = openDevice;
        return 0;
    }

    int32_t TrackStart(uint32_t track) const {
        int32_t start = 0;
        for (uint32_t t = 1; t < track && t <= disc.size(); ++t)
            start += disc[t - 1].seconds;
        return start;
    }
    int32_t DiscEnd() const { return TrackStart(static_cast<uint32_t>(disc.size()) + 1); }
    int32_t Absolute(uint32_t tmsf) const {
        return TrackStart(tmsf & 0xFF) +
               static_cast<int32_t>((tmsf >> 8 & 0xFF) * 60 + (tmsf >> 16 & 0xFF));
    }
    void StartAt(int32_t second, bool play) {
        startSecond = second;
        startClock = now;
        playing = play;
        paused = false;
    }
    // Whole seconds from the disc's start.
    int32_t Position() const {
        if (!playing) return startSecond;
        return std::min(playTo, startSecond + static_cast<int32_t>((now - startClock) / 1000));
    }
    uint32_t CurrentTrack() const {
        uint32_t track = 1;
        while (track < disc.size() && TrackStart(track + 1) <= Position())
            ++track;
        return track;
    }
    uint32_t Status(MciRequest& request) {
        const uint32_t track = request.track;
        switch (request.item) {
        case kMciStatusNumberOfTracks:
            request.value = static_cast<uint32_t>(disc.size());
            return 0;
        case kMciStatusLength: {
            if (track < 1 || track > disc.size()) return 289; // bad track
            const int32_t s = disc[track - 1].seconds;
            request.value = PackMsf(s / 60, s % 60, 0);
            return 0;
        }
        case kMciCdaStatusTypeTrack:
            if (track < 1 || track > disc.size()) return 289;
            request.value = disc[track - 1].audio ? kMciCdaTrackAudio : kMciCdaTrackAudio + 1;
            return 0;
        case kMciStatusMode:
            request.value = trayOpen                         ? kMciModeOpen
                            : paused                         ? kMciModePause
                            : playing && Position() < playTo ? kMciModePlay
                                                             : kMciModeStop;
            return 0;
        case kMciStatusCurrentTrack:
            request.value = CurrentTrack();
            return 0;
        case kMciStatusPosition: {
            if (timeFormat != kMciFormatTmsf) return 0;
            const uint32_t t = CurrentTrack();
            const int32_t in = Position() - TrackStart(t);
            request.value =
                PackTmsf(t, static_cast<uint32_t>(in / 60), static_cast<uint32_t>(in % 60), 0);
            return 0;
        }
        }
        return 0;
    }

    std::mutex mutex;
    std::map<uint32_t, uint32_t> failures;
    std::vector<Logged> log;
    int64_t now = 0;
    uint32_t openDevice = 0;
    uint32_t timeFormat = 0;
    bool playing = false, paused = false, trayOpen = false;
    int32_t startSecond = 0, playTo = 0;
    int64_t startClock = 0;
};

// The CD player owns its channel; the caller keeps the drive.
class LentDrive : public MciChannel {
  public:
    explicit LentDrive(FakeCdDrive& drive) : drive(drive) {}
    uint32_t Command(uint32_t device, uint32_t command, uint32_t flags,
                     MciRequest& request) override {
        return drive.Command(device, command, flags, request);
    }
    uint32_t DeviceIdByName(const char* name) override { return drive.DeviceIdByName(name); }

  private:
    FakeCdDrive& drive;
};
