#include "DecoderTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>

std::vector<uint8_t> ReadTestFile(const std::string& relativePath) {
    std::vector<uint8_t> bytes;
    const std::string path = std::string(QUOREL_TEST_DATA) + "/" + relativePath;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof(block), file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    return bytes;
}

std::vector<int16_t> ToSamples(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

DecodedStream DecodeStream(const std::vector<uint8_t>& bytes, const DecodeOptions& options) {
    DecodedStream stream;
    DecoderInitTables();
    if (!DecoderSetOptions(options)) return stream;
    const size_t size = bytes.size();
    std::vector<uint8_t> padded(bytes);
    padded.resize(size + 8192, 0);
    int32_t offset = 0;
    if (!FindFrameHeader(padded.data(), static_cast<int32_t>(size), stream.header, offset) ||
        !GetOutputShape(stream.header, stream.shape) || !DecoderStart(stream.header))
        return stream;
    stream.started = true;
    std::vector<uint8_t> frame(static_cast<size_t>(stream.shape.pcmBytesPerFrame));
    size_t position = static_cast<size_t>(offset);
    while (position < size) {
        const int32_t length = FrameLength(padded.data() + position);
        if (length == 0 || position + static_cast<size_t>(length) > size) break;
        const DecodeResult result = DecodeFrame(padded.data() + position, frame.data());
        if (result.consumed == 0 || result.produced == 0) break;
        stream.frameOffsets.push_back(static_cast<int32_t>(position));
        stream.pcm.insert(stream.pcm.end(), frame.begin(), frame.begin() + result.produced);
        position += static_cast<size_t>(result.consumed);
        ++stream.frames;
    }
    return stream;
}

Comparison CompareSamples(const std::vector<int16_t>& decoded,
                          const std::vector<int16_t>& reference) {
    Comparison result{0.0, 0, std::min(decoded.size(), reference.size())};
    double squares = 0.0;
    for (size_t i = 0; i < result.samples; ++i) {
        const int32_t difference = decoded[i] - reference[i];
        squares += static_cast<double>(difference) * difference;
        result.maxDifference = std::max(result.maxDifference, std::abs(difference));
    }
    const double mse = result.samples ? squares / static_cast<double>(result.samples) : 0.0;
    result.psnr = mse > 0.0 ? 10.0 * std::log10(32767.0 * 32767.0 / mse) : 999.0;
    return result;
}

int32_t Layer3SideInfoEnd(const uint8_t* frame) {
    const bool mpeg1 = (frame[1] & 0x08) != 0;
    const bool mono = (frame[3] >> 6) == 3;
    const int32_t crc = (frame[1] & 1) ? 0 : 2;
    if (mpeg1) return (mono ? 21 : 36) + crc;
    return (mono ? 13 : 21) + crc;
}

int32_t Layer3MainDataBegin(const uint8_t* frame) {
    const uint8_t* side = frame + 4 + ((frame[1] & 1) ? 0 : 2);
    if (frame[1] & 0x08) return (side[0] << 1) | (side[1] >> 7);
    return side[0];
}
