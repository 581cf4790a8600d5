#include "MpegHeader.h"

#include <algorithm>
#include <cstring>

#include "Decoder.h"
#include "DecoderCore.h"

namespace {

constexpr int64_t kId3v1Bytes = 128;

// [version][layer field][index], kbit/s. MPEG-2 Layers II and III share a row.
const int16_t kBitrates[2][4][16] = {
    {
        {0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    },
    {
        {0},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    },
};

// By the header's two version bits: the 8 to 12 kHz extension, reserved, MPEG-2, MPEG-1.
const int32_t kSampleRates[4][4] = {
    {11025, 12000, 8000, 0}, {0}, {22050, 24000, 16000, 0}, {44100, 48000, 32000, 0}};

bool HeaderValid(const FrameHeader& header) {
    return header.layer != 0 && header.bitrate != 0 && header.sampleRate != 0;
}

int32_t FrameBytesWithoutPadding(int32_t version, int32_t layer, int32_t bitrate,
                                 int32_t sampleRate) {
    // 64-bit and clamped: a header made by a caller may hold any values.
    if (sampleRate <= 0 || bitrate <= 0) return 0;
    int64_t bytes = 144000LL * bitrate / sampleRate;
    if (layer == kLayerOne) bytes = 4 * (12000LL * bitrate / sampleRate);
    if (layer == kLayerThree && version == 0) bytes /= 2;
    return static_cast<int32_t>(std::min<int64_t>(bytes, 1 << 30));
}

} // namespace

void HeaderParse(const uint8_t* bytes, FrameHeader& header) {
    header.version = (bytes[1] >> 3) & 1;
    header.layer = (bytes[1] >> 1) & 3;
    header.protection = bytes[1] & 1;
    header.bitrateIndex = bytes[2] >> 4;
    header.sampleRateIndex = (bytes[2] >> 2) & 3;
    header.padding = (bytes[2] >> 1) & 1;
    header.privateBit = bytes[2] & 1;
    header.mode = bytes[3] >> 6;
    header.modeExtension = (bytes[3] >> 4) & 3;
    header.copyright = (bytes[3] >> 3) & 1;
    header.original = (bytes[3] >> 2) & 1;
    header.emphasis = bytes[3] & 3;
    header.bitrate = HeaderBitrate(header.version, header.layer, header.bitrateIndex);
    header.sampleRate = HeaderSampleRate(bytes[1], header.sampleRateIndex);
}

int32_t HeaderBitrate(int32_t version, int32_t layer, int32_t bitrateIndex) {
    if (version < 0 || version > 1 || layer < 0 || layer > 3) return 0;
    if (bitrateIndex < 0 || bitrateIndex > 15) return 0;
    return kBitrates[version][layer][bitrateIndex];
}

int32_t HeaderSampleRate(uint8_t versionByte, int32_t sampleRateIndex) {
    if (sampleRateIndex < 0 || sampleRateIndex > 3) return 0;
    return kSampleRates[(versionByte >> 3) & 3][sampleRateIndex];
}

bool HeadersAgree(const FrameHeader& first, const FrameHeader& next) {
    return HeaderValid(next) && next.version == first.version && next.layer == first.layer &&
           next.sampleRate == first.sampleRate;
}

int32_t HeaderSamplesPerFrame(const FrameHeader& header) {
    if (header.layer == kLayerOne) return 384;
    if (header.layer == kLayerThree && header.version != 1) return 576;
    return 1152;
}

int32_t HeaderSubbandLimit(int32_t sampleRate, const DecodeOptions& options,
                           int32_t layerSubbands) {
    if (sampleRate <= 0) return 0;
    // 64-bit: the limit is only checked from below.
    const int64_t rounded =
        (static_cast<int64_t>(options.frequencyLimit) * 64 + sampleRate / 2) / sampleRate;
    int32_t cap = 32 >> options.reduction;
    if (cap > 8) cap -= 1;
    return static_cast<int32_t>(std::min<int64_t>({rounded, cap, layerSubbands}));
}

int32_t FindFrameHeader(const uint8_t* bytes, int32_t count, FrameHeader& header, int32_t& offset) {
    offset = 0;
    if (bytes == nullptr || count <= 3) return 0;
    // A sync inside a tag, a picture or junk is taken for a frame only when
    // the frame it describes is followed by one of the same stream, or runs
    // to the end of the bytes given or to an ID3v1 tag there (a stream's last
    // or only frame).
    for (int32_t i = 0; i <= count - 4; ++i) {
        if (!HeaderHasSync(bytes + i)) continue;
        FrameHeader candidate;
        HeaderParse(bytes + i, candidate);
        if (!HeaderValid(candidate)) continue;
        const int64_t next = static_cast<int64_t>(i) + FrameLength(bytes + i);
        const bool lastBeforeTag =
            next + kId3v1Bytes == count && std::memcmp(bytes + next, "TAG", 3) == 0;
        if (next + 4 <= count && !lastBeforeTag) {
            if (!HeaderHasSync(bytes + next)) continue;
            FrameHeader following;
            HeaderParse(bytes + next, following);
            if (!HeadersAgree(candidate, following)) continue;
        }
        offset = i;
        header = candidate;
        return 1;
    }
    return 0;
}

int32_t GetOutputShape(const FrameHeader& header, OutputShape& shape) {
    if (header.layer < kLayerThree || header.layer > kLayerOne) return 0;
    const DecodeOptions& options = gDecoder.options;
    const int32_t pad = header.layer == kLayerOne ? 4 : 1;
    const bool oneChannel =
        header.mode == kModeSingleChannel || (options.conversion & kConversionChannelMask) != 0;
    const int32_t bytesPerSample = (options.conversion & kConversion8Bit) ? 1 : 2;
    shape.channels = oneChannel ? 1 : 2;
    shape.bitsPerSample = 8 * bytesPerSample;
    shape.outputRate = header.sampleRate >> options.reduction;
    shape.frameBytes =
        FrameBytesWithoutPadding(header.version, header.layer, header.bitrate, header.sampleRate);
    shape.maxFrameBytes = shape.frameBytes + pad;
    shape.pcmBytesPerFrame =
        (HeaderSamplesPerFrame(header) >> options.reduction) * shape.channels * bytesPerSample;
    return 1;
}

int32_t FrameLength(const uint8_t* bytes) {
    if (bytes == nullptr || !HeaderHasSync(bytes)) return 0;
    FrameHeader header;
    HeaderParse(bytes, header);
    if (!HeaderValid(header)) return 0;
    if (header.layer == kLayerOne)
        return 4 * (12000 * header.bitrate / header.sampleRate + header.padding);
    return FrameBytesWithoutPadding(header.version, header.layer, header.bitrate,
                                    header.sampleRate) +
           header.padding;
}
