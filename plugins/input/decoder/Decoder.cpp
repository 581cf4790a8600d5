// Entry operations: options, stream start and the per-frame dispatch.
#include "Decoder.h"

#include "DecoderCore.h"
#include "Layer12.h"
#include "Layer3.h"
#include "MpegHeader.h"
#include "Synthesis.h"

DecoderCore gDecoder;

namespace {

DecodeResult DecoderNoFrame(const uint8_t*, uint8_t*) {
    return {0, 0};
}

} // namespace

void DecoderInitTables() {
    SynthInitTables();
    L3InitTables();
    L12InitTables();
    gDecoder.options = kDefaultDecodeOptions;
    gDecoder.frameRoutine = DecoderNoFrame;
}

int32_t DecoderSetOptions(const DecodeOptions& options) {
    if (options.frequencyLimit < 1000) return 0;
    // The reduction selects a synthesis width; anything else has none.
    if (options.reduction < 0 || options.reduction > 2) return 0;
    gDecoder.options = options;
    return 1;
}

void DecoderGetOptions(DecodeOptions& options) {
    options = gDecoder.options;
}

int32_t DecoderStart(const FrameHeader& header) {
    gDecoder.frameRoutine = DecoderNoFrame;
    if (!GetOutputShape(header, gDecoder.shape)) return 0;
    gDecoder.header = header;
    SynthReset();
    if (header.layer == kLayerOne || header.layer == kLayerTwo) {
        const bool layerOne = header.layer == kLayerOne;
        if (!(layerOne ? L1Setup() : L2Setup())) return 0;
        gDecoder.frameRoutine = layerOne ? L1Frame : L2Frame;
        return 1;
    }
    L3Setup();
    gDecoder.frameRoutine = header.version == 1 ? L3FrameMpeg1 : L3FrameMpeg2;
    return 1;
}

DecodeResult DecodeFrame(const uint8_t* input, uint8_t* output) {
    if (input == nullptr || output == nullptr) return {0, 0};
    return gDecoder.frameRoutine(input, output);
}

void DecoderResetReservoir() {
    L3ResetReservoir();
}
