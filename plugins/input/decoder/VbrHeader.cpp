#include "VbrHeader.h"

#include <algorithm>
#include <cstring>

#include "MpegHeader.h"

namespace {

constexpr int32_t kXingFrames = 1; // Xing flags: which fields follow
constexpr int32_t kXingBytes = 2;
constexpr int32_t kXingToc = 4;
constexpr int32_t kXingQuality = 8;
constexpr int32_t kLameTagBytes = 36;
constexpr int32_t kLameCrcAt = 34; // the tag's CRC covers the frame up to here
constexpr int32_t kVbriAt = 36;    // VBRI sits behind 32 bytes whatever the mode

uint32_t BigEndian(const uint8_t* bytes, int32_t count) {
    uint32_t value = 0;
    for (int32_t i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// CRC-16 with the reflected polynomial 0xA001, as the LAME tag carries it.
uint16_t Crc16(const uint8_t* bytes, int32_t count) {
    uint32_t crc = 0;
    for (int32_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return static_cast<uint16_t>(crc);
}

int32_t SideInfoBytes(const FrameHeader& header) {
    const bool mono = header.mode == kModeSingleChannel;
    if (header.version == 1) return mono ? 17 : 32;
    return mono ? 9 : 17;
}

// A table must climb from the start to the end; anything else is ignored.
bool SeekTableClimbs(const VbrHeader& info) {
    for (int32_t i = 1; i < kVbrSeekPoints; ++i)
        if (info.seekBytes[i] < info.seekBytes[i - 1]) return false;
    return true;
}

void ReadLameTag(const uint8_t* frame, int32_t length, int32_t at, VbrHeader& info) {
    if (at + kLameTagBytes > length || info.frames <= 0) return;
    if (Crc16(frame, at + kLameCrcAt) != BigEndian(frame + at + kLameCrcAt, 2)) return;
    const uint32_t delays = BigEndian(frame + at + 21, 3);
    info.encoderDelay = static_cast<int32_t>(delays >> 12);
    info.encoderPadding = static_cast<int32_t>(delays & 0xFFF);
    info.hasGapless = true;
}

int32_t ReadXing(const uint8_t* frame, int32_t length, const FrameHeader& header, VbrHeader& info) {
    int32_t at = 4 + (header.protection == 0 ? 2 : 0) + SideInfoBytes(header);
    if (at + 8 > length) return 0;
    if (std::memcmp(frame + at, "Xing", 4) != 0 && std::memcmp(frame + at, "Info", 4) != 0)
        return 0;
    const uint32_t flags = BigEndian(frame + at + 4, 4);
    at += 8;
    if (flags & kXingFrames) {
        if (at + 4 > length) return 1;
        info.frames = BigEndian(frame + at, 4);
        at += 4;
    }
    if (flags & kXingBytes) {
        if (at + 4 > length) return 1;
        info.bytes = BigEndian(frame + at, 4);
        at += 4;
    }
    if (flags & kXingToc) {
        if (at + 100 > length) return 1;
        if (info.bytes > 0) {
            for (int32_t i = 0; i < 100; ++i)
                info.seekBytes[i] = frame[at + i] * info.bytes / 256;
            info.seekBytes[100] = info.bytes;
            info.hasSeekTable = SeekTableClimbs(info);
        }
        at += 100;
    }
    if (flags & kXingQuality) at += 4;
    ReadLameTag(frame, length, at, info);
    return 1;
}

int32_t ReadVbri(const uint8_t* frame, int32_t length, VbrHeader& info) {
    const int32_t at = kVbriAt;
    if (at + 26 > length || std::memcmp(frame + at, "VBRI", 4) != 0) return 0;
    info.bytes = BigEndian(frame + at + 10, 4);
    info.frames = BigEndian(frame + at + 14, 4);
    const int32_t entries = static_cast<int32_t>(BigEndian(frame + at + 18, 2));
    const int64_t scale = BigEndian(frame + at + 20, 2);
    const int32_t entryBytes = static_cast<int32_t>(BigEndian(frame + at + 22, 2));
    const int64_t framesPerEntry = BigEndian(frame + at + 24, 2);
    const int32_t table = at + 26;
    if (entries <= 0 || entryBytes < 1 || entryBytes > 4 || framesPerEntry <= 0 ||
        info.frames <= 0 || table + entries * entryBytes > length)
        return 1;
    // Entry k holds the bytes of frames k × framesPerEntry onwards, counted from
    // the frame behind this one; the table turns them into offsets at each hundredth.
    // Each entry is capped so that no sum can overflow.
    const auto entrySpan = [&](int32_t k) {
        return std::min<int64_t>(BigEndian(frame + table + k * entryBytes, entryBytes) * scale,
                                 int64_t{1} << 32);
    };
    int64_t entryStart = length;
    int32_t entry = 0;
    for (int32_t point = 0; point < kVbrSeekPoints; ++point) {
        const int64_t frame100 = info.frames * point; // target frame × 100
        while (entry < entries && (entry + 1) * framesPerEntry * 100 <= frame100)
            entryStart += entrySpan(entry++);
        int64_t within = 0;
        if (entry < entries)
            within = entrySpan(entry) * (frame100 - entry * framesPerEntry * 100) /
                     (framesPerEntry * 100);
        info.seekBytes[point] = entryStart + within;
    }
    info.hasSeekTable = SeekTableClimbs(info);
    return 1;
}

} // namespace

int32_t ReadVbrHeader(const uint8_t* frame, int32_t length, const FrameHeader& header,
                      VbrHeader& info) {
    info = VbrHeader{};
    if (frame == nullptr || header.layer != kLayerThree) return 0;
    if (ReadXing(frame, length, header, info) || ReadVbri(frame, length, info)) return 1;
    info = VbrHeader{};
    return 0;
}

int64_t VbrSeekOffset(const VbrHeader& info, double fraction) {
    if (!info.hasSeekTable) return 0;
    const double percent = std::min(std::max(fraction, 0.0), 1.0) * 100;
    const int32_t below = std::min(static_cast<int32_t>(percent), kVbrSeekPoints - 2);
    const double step = static_cast<double>(info.seekBytes[below + 1] - info.seekBytes[below]);
    return info.seekBytes[below] + static_cast<int64_t>(step * (percent - below));
}
