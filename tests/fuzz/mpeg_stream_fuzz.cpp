// libFuzzer target: a file that is not a WAVE file, opened and played the way
// the input plug-in does: tags, the search for the first frame, the
// information frame, length and bit rate, then play with a seek. The first
// byte chooses the second sought; the rest is the file.
#include <cstdint>
#include <vector>

#include "Decoder.h"
#include "MemoryTagFile.h"
#include "MpegProducer.h"
#include "MpegStream.h"
#include "TagReading.h"
#include "TagsFuzzChecks.h"

namespace {

constexpr int kMostBlocks = 3000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool initialised = (DecoderInitTables(), true);
    (void)initialised;
    if (size < 1) return 0;
    const int32_t seekTo = data[0] % 16;
    MemoryTagFile file(std::vector<uint8_t>(data + 1, data + size));
    const int64_t fileSize = static_cast<int64_t>(size - 1);
    TagRecord tag = {};
    AudioSpan span{0, fileSize};
    ReadTagsForOpen(file, &tag, &span);
    FuzzCheckSpan(span, fileSize);
    MpegStream stream;
    if (!FindMpegStream(file, span.dataOffset, span.dataOffset + span.audioSize, &stream))
        return 0;
    FuzzCheck(stream.dataOffset >= span.dataOffset && stream.dataOffset < stream.audioEnd);
    FuzzCheck(MpegPlayLength(stream) >= 0 && MpegShownBitrate(stream) > 0);
    if (!DecoderStart(stream.header)) return 0;

    MpegProducer producer(file, stream);
    std::vector<uint8_t> out(static_cast<size_t>(producer.MaxBlockBytes()) + 16, 0xA5);
    for (int block = 0; block < kMostBlocks; ++block) {
        if (block == 4) FuzzCheck(producer.Seek(seekTo) >= 0);
        const ProduceStep step = producer.Produce(out.data());
        FuzzCheck(step.bytes >= 0 && step.bytes <= producer.MaxBlockBytes());
        FuzzCheck(out[out.size() - 1] == 0xA5);
        FuzzCheck(producer.Position() >= 0);
        if (step.kind != ProduceStep::kMore) break;
    }
    return 0;
}
