// What the Layer I and Layer II routines share: set-up of the entry counts and the
// synthesis routine, and the start of each frame.
#include <cstring>

#include "DecoderCore.h"
#include "Layer12.h"
#include "Layer12State.h"
#include "MpegHeader.h"

Layer12State gLayer12;

bool L12SetupEntries(int32_t codedSubbands) {
    Layer12State& s = gLayer12;
    const FrameHeader& header = gDecoder.header;
    const DecodeOptions& options = gDecoder.options;
    if (header.sampleRate <= 0) return false;
    s.channels = header.mode == kModeSingleChannel ? 1 : 2;
    const int32_t limit = HeaderSubbandLimit(header.sampleRate, options, codedSubbands);
    s.codedEntries = codedSubbands * s.channels;
    s.decodedEntries = limit * s.channels;
    gDecoder.subbandLimit = s.decodedEntries;

    const int32_t channelChoice = options.conversion & kConversionChannelMask;
    const int32_t variant = s.channels == 1 ? kSubbandsSingleChannel : channelChoice + 1;
    const bool eightBit = (options.conversion & kConversion8Bit) != 0;
    s.synthesis = SynthChooseSubbands(eightBit, options.reduction, variant);
    gDecoder.silenceByte = eightBit ? 128 : 0;
    std::memset(s.samples, 0, sizeof(s.samples));
    std::memset(s.factors, 0, sizeof(s.factors));
    return true;
}

const uint8_t* L12CopyFrame(const uint8_t* input, int32_t frameBytes, int32_t endBit) {
    static uint8_t copy[kFrameCopyBytes];
    const int32_t end = endBit / 8 + 4;
    const int32_t copied = frameBytes < end ? frameBytes : end;
    std::memcpy(copy, input, static_cast<size_t>(copied));
    if (copied < end) std::memset(copy + copied, 0, static_cast<size_t>(end - copied));
    return copy;
}

bool L12BeginFrame(const uint8_t* input, int32_t frameBytes, int32_t paddingUnit,
                   L12FrameStart& start) {
    const Layer12State& s = gLayer12;
    if (!HeaderHasSync(input)) return false;
    FrameHeader frame;
    HeaderParse(input, frame);
    start.padding = frame.padding;
    // Entries from the bound on share their subband's allocation and samples.
    int32_t bound = kMaxEntries;
    if (frame.mode == kModeJointStereo) bound = 8 * (frame.modeExtension + 1);
    if (frame.mode == kModeSingleChannel) bound = 32;
    // A single-channel stream has no pairs to share, whatever a later frame claims.
    if (s.channels == 1 || bound > s.codedEntries) bound = s.codedEntries;
    start.bound = bound;
    // Reads stop at the frame's end as its header describes it (zeros from there).
    const int32_t headerBytes = frame.protection == 0 ? 6 : 4;
    start.reader.Begin(input, frameBytes + paddingUnit * frame.padding, headerBytes);
    return true;
}
