// Layer III frames: side information, the main-data reservoir and the granule loop.
#include <algorithm>
#include <cstring>

#include "BitReader.h"
#include "DecoderCore.h"
#include "Layer3.h"
#include "Layer3Dequantise.h"
#include "Layer3Huffman.h"
#include "Layer3Hybrid.h"
#include "Layer3Scalefactors.h"
#include "Layer3State.h"
#include "Layer3Stereo.h"
#include "MpegHeader.h"

Layer3State gLayer3;

namespace {

void L3ReadGranuleChannel(BitReader& reader, bool lowSamplingRate, L3GranuleChannel& gc) {
    const Layer3State& l3 = gLayer3;
    gc.part23Length = reader.Read(12);
    gc.bigValues = reader.Read(9);
    gc.globalGain = reader.Read(8) + l3.gainAdjust;
    if (l3.mode == kModeJointStereo && (l3.modeExtension & 2)) gc.globalGain -= 2;
    gc.scalefacCompress = reader.Read(lowSamplingRate ? 9 : 4);
    gc.windowSwitching = reader.ReadBit();
    if (gc.windowSwitching) {
        gc.blockType = reader.Read(2);
        gc.mixedBlock = reader.ReadBit();
        for (int32_t r = 0; r < 2; ++r)
            gc.tableSelect[r] = reader.Read(5);
        gc.tableSelect[2] = 0;
        for (int32_t w = 0; w < 3; ++w)
            gc.subblockGain[w] = reader.Read(3);
        const bool shortLowRate = lowSamplingRate && gc.blockType == 2;
        gc.region0Count = shortLowRate ? 5 : 7;
        gc.region1Count = shortLowRate ? 15 : 13;
    } else {
        gc.blockType = 0;
        gc.mixedBlock = 0;
        for (int32_t r = 0; r < 3; ++r)
            gc.tableSelect[r] = reader.Read(5);
        for (int32_t w = 0; w < 3; ++w)
            gc.subblockGain[w] = 0;
        gc.region0Count = reader.Read(4);
        gc.region1Count = reader.Read(3);
    }
    gc.preflag = lowSamplingRate ? 0 : reader.ReadBit();
    gc.scalefacScale = reader.ReadBit();
    gc.count1Table = reader.ReadBit();
}

void L3ReadSideInfo(BitReader& reader, bool lowSamplingRate, int32_t granule) {
    Layer3State& l3 = gLayer3;
    L3SideInfo& side = l3.side;
    const bool mono = l3.channels == 1;
    if (lowSamplingRate) {
        side.mainDataBegin = reader.Read(8);
        side.privateBits = reader.Read(mono ? 1 : 2);
        for (int32_t ch = 0; ch < l3.channels; ++ch)
            L3ReadGranuleChannel(reader, true, side.granules[granule][ch]);
        return;
    }
    side.mainDataBegin = reader.Read(9);
    side.privateBits = reader.Read(mono ? 5 : 3);
    for (int32_t ch = 0; ch < l3.channels; ++ch)
        side.scfsi[ch] = reader.Read(4);
    for (int32_t gr = 0; gr < 2; ++gr)
        for (int32_t ch = 0; ch < l3.channels; ++ch)
            L3ReadGranuleChannel(reader, false, side.granules[gr][ch]);
}

// Scale factors and spectral values of one channel, read from the reservoir.
void L3DecodeChannel(int32_t granule, int32_t ch, bool lowSamplingRate) {
    Layer3State& l3 = gLayer3;
    const L3GranuleChannel& gc = l3.side.granules[granule][ch];
    BitReader reader;
    reader.Begin(l3.reservoir, kReservoirSize, l3.bitPosition / 8);
    const int32_t skipped = l3.bitPosition % 8;
    reader.Skip(skipped);
    // The reader holds up to 32 bits ahead of what it has consumed.
    reader.endIndex = (l3.bitPosition + gc.part23Length + 39) / 8;
    l3.bitPosition += gc.part23Length;

    if (lowSamplingRate)
        L3ReadScalefactorsMpeg2(reader, granule, ch);
    else
        L3ReadScalefactorsMpeg1(reader, granule, ch);

    int32_t* lines = l3.quantised[ch];
    l3.nonzeroCount[ch] = L3DecodeSpectrum(reader, gc, skipped, lines);
    if (reader.PastEnd()) {
        std::memset(lines, 0, sizeof(l3.quantised[ch]));
        l3.nonzeroCount[ch] = 0;
    }
}

void L3DecodeGranule(uint8_t* output, int32_t granule, bool lowSamplingRate) {
    Layer3State& l3 = gLayer3;
    for (int32_t ch = 0; ch < l3.channels; ++ch)
        L3DecodeChannel(granule, ch, lowSamplingRate);
    for (int32_t ch = 0; ch < l3.channels; ++ch)
        L3Dequantise(granule, ch);
    L3ProcessStereo(granule);
    for (int32_t ch = 0; ch < l3.channels; ++ch)
        L3AliasReduce(granule, ch);
    l3.outputRoutine(output, granule);
}

DecodeResult L3Frame(const uint8_t* input, uint8_t* output, bool lowSamplingRate) {
    Layer3State& l3 = gLayer3;
    if (!HeaderHasSync(input)) return {0, 0};
    FrameHeader frame;
    HeaderParse(input, frame);
    const int32_t bitrate = HeaderBitrate(frame.version, kLayerThree, frame.bitrateIndex) * 1000;
    const int32_t sampleRate = HeaderSampleRate(frame.version, frame.sampleRateIndex);
    if (bitrate == 0 || sampleRate == 0) return {0, 0};

    int32_t frameLength = 144 * bitrate / sampleRate;
    if (lowSamplingRate) frameLength /= 2;
    frameLength += frame.padding;

    l3.mode = frame.mode;
    l3.modeExtension = frame.modeExtension;
    l3.channels = frame.mode == kModeSingleChannel ? 1 : 2;
    const int32_t granule = lowSamplingRate ? l3.granuleToggle : 0;
    if (lowSamplingRate) l3.granuleToggle ^= 1;

    const int32_t crcBytes = frame.protection == 0 ? 2 : 0;
    BitReader reader;
    reader.Begin(input, frameLength, 4 + crcBytes);
    L3ReadSideInfo(reader, lowSamplingRate, granule);
    int32_t sideBytes = l3.channels == 1 ? 21 : 36;
    if (lowSamplingRate) sideBytes = l3.channels == 1 ? 13 : 21;

    const int32_t mainDataBegin = l3.side.mainDataBegin;
    l3.start = l3.fill - mainDataBegin;
    if (l3.fill > kReservoirMoveThreshold) {
        std::memmove(l3.reservoir, l3.reservoir + l3.fill - mainDataBegin, mainDataBegin);
        l3.start = 0;
        l3.fill = mainDataBegin;
    }
    const int32_t mainBytes = std::max(0, frameLength - sideBytes - crcBytes);
    std::memcpy(l3.reservoir + l3.fill, input + sideBytes + crcBytes, mainBytes);
    l3.fill += mainBytes;

    const OutputShape& shape = gDecoder.shape;
    if (l3.start < 0) {
        std::memset(output, gDecoder.silenceByte, shape.pcmBytesPerFrame);
    } else {
        l3.bitPosition = 8 * l3.start;
        if (lowSamplingRate) {
            L3DecodeGranule(output, granule, true);
        } else {
            L3DecodeGranule(output, 0, false);
            L3DecodeGranule(output + shape.pcmBytesPerFrame / 2, 1, false);
        }
    }
    return {frameLength, shape.pcmBytesPerFrame};
}

} // namespace

DecodeResult L3FrameMpeg1(const uint8_t* input, uint8_t* output) {
    return L3Frame(input, output, false);
}

DecodeResult L3FrameMpeg2(const uint8_t* input, uint8_t* output) {
    return L3Frame(input, output, true);
}

void L3ResetReservoir() {
    gLayer3.fill = 0;
    gLayer3.start = 0;
}

void L3InitTables() {
    L3InitHuffmanTables();
    L3InitDequantiseTables();
    L3InitStereoTables();
    L3InitHybridTables();
}

void L3Setup() {
    Layer3State& l3 = gLayer3;
    const FrameHeader& header = gDecoder.header;
    const DecodeOptions& options = gDecoder.options;
    L3ResetReservoir();
    l3.lowSamplingRate = header.version != 1; // as DecoderStart chooses the frame routine
    l3.mixedLongBands = l3.lowSamplingRate ? 6 : 8;
    gDecoder.subbandLimit = HeaderSubbandLimit(header.sampleRate, options, kSubbands);

    const int32_t version = l3.lowSamplingRate ? 0 : 1;
    const int32_t rateIndex =
        header.sampleRateIndex >= 0 && header.sampleRateIndex < 3 ? header.sampleRateIndex : 0;
    const int16_t* longStarts = kLongBandStarts[version][rateIndex];
    const int16_t* shortStarts = kShortBandStarts[version][rateIndex];
    for (int32_t b = 0; b < kLongBands; ++b) {
        l3.longBandEnds[b] = longStarts[b + 1];
        l3.longBandWidths[b] = longStarts[b + 1] - longStarts[b];
    }
    for (int32_t b = 0; b < kShortBands; ++b) {
        l3.shortBandEnds3[b] = 3 * shortStarts[b + 1];
        l3.shortBandWidths[b] = shortStarts[b + 1] - shortStarts[b];
    }
    // Every version decodes up to line 576 (band 21 has no scale factor of its own);
    // the subband limit cuts the top.
    l3.bandLimit = std::min(kGranuleLines, 18 * gDecoder.subbandLimit);
    l3.hybridSubbands = (l3.bandLimit + 17) / 18;

    const bool monoStream = header.mode == kModeSingleChannel;
    const int32_t channelChoice = options.conversion & kConversionChannelMask;
    l3.gainAdjust = !monoStream && channelChoice == 1 ? -4 : 0;
    l3.synthesis = SynthChooseLayer3((options.conversion & kConversion8Bit) != 0, options.reduction,
                                     gDecoder.shape.channels);
    l3.outputRoutine = L3ChooseOutputRoutine(monoStream, channelChoice);
    gDecoder.silenceByte = (options.conversion & kConversion8Bit) ? 128 : 0;

    std::memset(l3.hybridBlock, 0, sizeof(l3.hybridBlock));
    std::memset(l3.spectrum, 0, sizeof(l3.spectrum));
    std::memset(l3.overlapExtent, 0, sizeof(l3.overlapExtent));
    std::memset(l3.scalefactors, 0, sizeof(l3.scalefactors));
    std::memset(l3.quantised, 0, sizeof(l3.quantised));
}
