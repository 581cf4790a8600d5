// libFuzzer target: header search, stream start and frame decoding over arbitrary
// bytes. The first two bytes choose the options; the rest is the stream. Like the
// playback loop, the harness keeps the buffer padded past any frame length, and
// gives DecodeFrame an output of exactly pcmBytesPerFrame bytes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "Decoder.h"

namespace {

constexpr size_t kPadding = 4096; // more than the longest frame (2,881 bytes at 8 kHz)
constexpr int kMaxFrames = 4000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool initialised = (DecoderInitTables(), true);
    (void)initialised;
    if (size < 2) return 0;
    const DecodeOptions options = {data[0] % 3, (data[0] >> 2) & 0xF, 1000 + 100 * data[1]};
    if (!DecoderSetOptions(options)) return 0;
    const bool resetNow = (data[0] & 0x40) != 0;
    data += 2;
    size -= 2;

    std::vector<uint8_t> stream(size + kPadding, 0);
    if (size > 0) std::memcpy(stream.data(), data, size);
    FrameHeader header;
    int32_t offset = 0;
    if (!FindFrameHeader(stream.data(), static_cast<int32_t>(size), header, offset)) return 0;
    OutputShape shape;
    if (!GetOutputShape(header, shape) || !DecoderStart(header)) return 0;
    std::vector<uint8_t> out(static_cast<size_t>(shape.pcmBytesPerFrame));
    size_t position = static_cast<size_t>(offset);
    for (int frame = 0; frame < kMaxFrames && position < size; ++frame) {
        (void)FrameLength(stream.data() + position);
        const DecodeResult result = DecodeFrame(stream.data() + position, out.data());
        if (result.consumed <= 0 || result.produced <= 0) break;
        if (result.produced != shape.pcmBytesPerFrame) __builtin_trap();
        position += static_cast<size_t>(result.consumed);
        if (resetNow && frame % 5 == 2) DecoderResetReservoir();
    }
    return 0;
}
