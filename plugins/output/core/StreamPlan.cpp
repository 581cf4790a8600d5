#include "StreamPlan.h"

#include <algorithm>

namespace {
constexpr uint32_t kShortestBlockMs = 20;
constexpr uint32_t kLongestBlockMs = 100;
constexpr uint32_t kQueueMs = 500;
constexpr uint32_t kFewestBlocks = 4;
constexpr uint32_t kMostBlocks = 32;
} // namespace

bool IsPlayableFormat(const PcmFormat& format) {
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
    if (format.samplesPerSecond < kLowestRate || format.samplesPerSecond > kHighestRate)
        return false;
    return format.bufferBytes > 0;
}

bool SameSoundFormat(const PcmFormat& previous, const PcmFormat& next) {
    return previous.channels == next.channels && previous.bitsPerSample == next.bitsPerSample &&
           previous.samplesPerSecond == next.samplesPerSecond;
}

uint32_t BytesForMilliseconds(const StreamPlan& plan, uint32_t milliseconds) {
    const uint64_t bytes = uint64_t{plan.bytesPerSecond} * milliseconds / 1000;
    return static_cast<uint32_t>(bytes - bytes % plan.blockAlign);
}

uint64_t MillisecondsForBytes(const StreamPlan& plan, uint64_t bytes) {
    return (bytes * 1000 + plan.bytesPerSecond - 1) / plan.bytesPerSecond;
}

bool PlanStream(const PcmFormat& format, StreamPlan& plan) {
    if (!IsPlayableFormat(format)) return false;
    plan.blockAlign = static_cast<uint32_t>(format.channels * format.bitsPerSample / 8);
    plan.bytesPerSecond = plan.blockAlign * static_cast<uint32_t>(format.samplesPerSecond);
    plan.silenceByte = format.bitsPerSample == 8 ? 0x80 : 0x00;

    const uint32_t shortest = BytesForMilliseconds(plan, kShortestBlockMs);
    const uint32_t longest = BytesForMilliseconds(plan, kLongestBlockMs);
    const uint32_t wanted = static_cast<uint32_t>(format.bufferBytes);
    plan.blockBytes = std::clamp(wanted - wanted % plan.blockAlign, shortest, longest);

    const uint32_t queue = BytesForMilliseconds(plan, kQueueMs);
    const uint32_t count = (queue + plan.blockBytes - 1) / plan.blockBytes;
    plan.blockCount = std::clamp(count, kFewestBlocks, kMostBlocks);
    return true;
}
