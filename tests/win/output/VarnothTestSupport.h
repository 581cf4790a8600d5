// Shared pieces of the Varnoth tests: loading the plug-in, test signals and
// the ALSA capture file that receives whatever Wine's sound device plays.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "OutputPlugin.h"

namespace varnoth_test {

// Varnoth from `dllPath` (default: the built tree's Plugin folder); null
// when it can't be loaded.
OutputPlugin* LoadVarnoth(const std::string& dllPath = std::string());

PcmFormat Format(int32_t channels, int32_t bits, int32_t rate, int32_t bufferBytes);

// Pseudo-random bytes: no two stretches alike, so a dropped, repeated or
// misplaced piece shows.
std::vector<uint8_t> Signal(size_t bytes, uint32_t seed);

// Writes `pcm` in blocks of `block` bytes (the last one shorter); false at
// the first refused write.
bool WriteInBlocks(OutputPlugin* output, const std::vector<uint8_t>& pcm, size_t block);

// The file behind the ALSA sink ($QUOREL_CAPTURE as Wine sees it).
class Capture {
  public:
    Capture();
    bool available() const { return !path.empty(); }
    uint64_t Size() const;
    // The bytes from `offset` up to `end` (or the end of the file).
    std::vector<uint8_t> ReadFrom(uint64_t offset, uint64_t end = UINT64_MAX) const;
    // Waits until the size has not changed for `quietMs`; the final size.
    uint64_t SettledSize(DWORD quietMs = 400) const;

  private:
    std::string path;
};

// What may come between a stream and the one before it.
enum class Gap {
    kOnePeriod, // a device closed and another opened: one period of silence at most
    kNone,      // the same device went on with the next track: not a byte of silence
    kAny,       // the device idled meanwhile (the test waited)
};

// One stream as it must arrive: its PCM, the value of its silent bytes (0
// for 16-bit, 0x80 for 8-bit) and its bytes per second.
struct Stream {
    std::vector<uint8_t> pcm;
    uint8_t silence;
    uint32_t bytesPerSecond;
    // Ended by the user (stop, next): its beginning, at least this many bytes.
    size_t cutAfter = 0;
    Gap before = Gap::kOnePeriod;
};

// Empty when `played` is the streams whole (or, when cut, their beginnings)
// and in order, with nothing inside any of them: Wine's sound engine plays a period of silence (10
// ms) where it could not be fed, and a writer that lets the device run dry shows here. Only around
// the streams may silence be: at most one period before the first, between two as their `before`
// says (a period counted at the faster rate of the two); any after the last and after a stream the
// user cut (the device idles until it is closed). Otherwise what is wrong.
std::string Misplayed(const std::vector<uint8_t>& played, const std::vector<Stream>& streams);

// Whole contents of a file as bytes, or empty.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace varnoth_test
