#pragma once

#include "InputPlugin.h"
#include "Messages.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

// An input plug-in that knows every file except the ones marked unreadable,
// and a CD drive with a chosen track count.
class FakeInput : public InputPlugin {
  public:
    std::set<std::string> unreadable;
    int32_t cdTrackCount = 0;
    std::vector<std::string> cdQueries;
    int infoCalls = 0;

    int32_t GetFileInfo(const char* fileName, InputFileInfo* info) override {
        ++infoCalls;
        if (unreadable.count(fileName) != 0) return 0;
        std::snprintf(info->tag.artist, sizeof info->tag.artist, "artist");
        std::snprintf(info->tag.title, sizeof info->tag.title, "tag title");
        info->playLength = 61;
        return 1;
    }
    int32_t GetCDTrackCount(const char* path) override {
        cdQueries.push_back(path);
        return cdTrackCount;
    }

    int32_t SetOutput(OutputPlugin*) override { return 0; }
    int32_t SetCallback(InputCallback, uintptr_t) override { return 0; }
    int32_t Open(const char*, InputFileInfo*) override { return 0; }
    int32_t Close() override { return 0; }
    int32_t GetState() override { return kInputStopped; }
    int32_t Play() override { return 0; }
    int32_t Stop() override { return 0; }
    int32_t Pause() override { return 0; }
    int32_t Resume() override { return 0; }
    int32_t Seek(int32_t) override { return 0; }
    int32_t SetVolume(int32_t, int32_t) override { return 0; }
    int32_t SetDecodeOptions(int32_t, int32_t, int32_t) override { return 1; }
    int32_t GetVersion(char*) override { return 0; }
    int32_t WriteID3v1(const char*, const TagRecord*) override { return 0; }
    int32_t WriteRiffInfo(const char*, const TagRecord*) override { return 0; }
    int32_t WriteLyrics3(const char*, const TagRecord*) override { return 0; }
};

// Collects the messages shown.
struct MessageLog {
    std::vector<std::string> shown;
    MessageSink Sink() {
        return [this](const char* text) { shown.push_back(text); };
    }
};
