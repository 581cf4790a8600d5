// Fakes for the playback loop: an output that records every call, a channel
// with messages queued in advance, a producer that counts bytes.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "OutputPlugin.h"
#include "PcmProducer.h"
#include "PlaybackChannel.h"

class RecordingOutput : public OutputPlugin {
  public:
    int32_t OutputOpen(int32_t, const PcmFormat*) override { return Log("open"), 1; }
    int32_t OutputClose() override { return Log("close"), 1; }
    int32_t OutputWrite(const void* pcm, int32_t bytes) override {
        Log("write " + std::to_string(bytes));
        if (refuseWritesAfter >= 0 && written.size() >= static_cast<size_t>(refuseWritesAfter))
            return 0;
        const auto* p = static_cast<const uint8_t*>(pcm);
        written.insert(written.end(), p, p + bytes);
        return 1;
    }
    int32_t OutputReset() override { return Log("reset"), 1; }
    int32_t OutputPause() override { return Log("pause"), 1; }
    int32_t OutputResume() override { return Log("resume"), 1; }
    int32_t OutputSetVolume(int32_t l, int32_t r) override {
        left = l;
        right = r;
        return volumeResult;
    }
    int32_t OutputQueuedBytes() override { return 0; }
    int32_t OutputReserved9() override { return 0; }
    int32_t OutputGetVersion(char*) override { return 0; }
    int32_t OutputInitDirectSound(WindowHandle) override { return 0; }
    int32_t OutputRelease() override { return 1; }

    std::vector<std::string> calls;
    std::vector<uint8_t> written;
    long refuseWritesAfter = -1; // bytes accepted before writes are refused
    int32_t left = -1, right = -1, volumeResult = 1;

  private:
    void Log(const std::string& call) { calls.push_back(call); }
};

class ScriptedChannel : public PlaybackChannel {
  public:
    // Messages become visible to Take once `afterTakes` Take calls have passed.
    void Queue(uint32_t number, int32_t argument = 0, int afterTakes = 0, uintptr_t event = 1) {
        script.push_back({{number, event, argument}, afterTakes});
    }
    bool Take(PlaybackMessage* message) override {
        ++takes;
        if (script.empty() || script.front().afterTakes >= takes) return false;
        *message = script.front().message;
        script.pop_front();
        return true;
    }
    bool Wait(PlaybackMessage* message) override {
        if (script.empty()) return false;
        *message = script.front().message;
        script.pop_front();
        return true;
    }
    bool WaitFor(PlaybackMessage* message, int32_t) override { return Take(message); }
    void Signal(uintptr_t event) override { signalled.push_back(event); }

    std::vector<uintptr_t> signalled;

  private:
    struct Entry {
        PlaybackMessage message;
        int afterTakes;
    };
    std::deque<Entry> script;
    int takes = 0;
};

// Makes `blocks` blocks of `blockBytes` (byte value = block index), one
// second of position per `bytesPerSecond`.
class CountingProducer : public PcmProducer {
  public:
    CountingProducer(int blocks, int32_t blockBytes, int32_t bytesPerSecond)
        : blocks(blocks), blockBytes(blockBytes), bytesPerSecond(bytesPerSecond) {}
    int32_t MaxBlockBytes() const override { return blockBytes; }
    ProduceStep Produce(uint8_t* out) override {
        if (next >= blocks) return {ProduceStep::kEnded, 0};
        for (int32_t i = 0; i < blockBytes; ++i)
            out[i] = static_cast<uint8_t>(next);
        ++next;
        made += blockBytes;
        return {lastBlockEnds && next == blocks ? ProduceStep::kLastBlock : ProduceStep::kMore,
                blockBytes};
    }
    bool HasRate() const override { return bytesPerSecond > 0; }
    int32_t Position() const override { return static_cast<int32_t>(made / bytesPerSecond); }
    int32_t Seek(int32_t seconds) override {
        seeks.push_back(seconds);
        next = static_cast<int>(static_cast<long>(seconds) * bytesPerSecond / blockBytes);
        made = static_cast<long>(next) * blockBytes;
        return Position();
    }

    bool lastBlockEnds = false;
    std::vector<int32_t> seeks;

  private:
    int blocks;
    int32_t blockBytes;
    int32_t bytesPerSecond;
    int next = 0;
    long made = 0;
};
