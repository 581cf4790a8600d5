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

// Wine's sound engine plays silence for a period it could not feed, which a
// busy machine causes by starving the writer. True when `expected` arrived
// whole and in order within `played` with nothing else between or after but
// `silence` bytes (0 for 16-bit, 0x80 for 8-bit); `inserted` counts them.
bool ArrivedInOrder(const std::vector<uint8_t>& played, const std::vector<uint8_t>& expected,
                    uint8_t silence, size_t* inserted);

// Whole contents of a file as bytes, or empty.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace varnoth_test
