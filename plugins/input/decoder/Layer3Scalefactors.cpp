#include "Layer3Scalefactors.h"

#include "Layer3State.h"
#include "MpegHeader.h"

namespace {

void L3ReadLong(BitReader& reader, int32_t* values, int32_t first, int32_t end, int32_t slen) {
    for (int32_t b = first; b < end; ++b)
        values[b] = static_cast<int32_t>(reader.Read(slen));
}

void L3ReadShort(BitReader& reader, L3Scalefactors& sf, int32_t first, int32_t end, int32_t slen) {
    for (int32_t b = first; b < end; ++b)
        for (int32_t w = 0; w < 3; ++w)
            sf.Short(w)[b] = static_cast<int32_t>(reader.Read(slen));
}

// The four slen values and the partition row of the low sampling rates.
void L3LowRateSlen(int32_t compress, bool intensityRight, int32_t slen[4], int32_t& row,
                   int32_t& preflag) {
    preflag = 0;
    slen[3] = 0;
    if (!intensityRight) {
        if (compress < 400) {
            slen[0] = (compress >> 4) / 5;
            slen[1] = (compress >> 4) % 5;
            slen[2] = (compress & 15) >> 2;
            slen[3] = compress & 3;
            row = 0;
        } else if (compress < 500) {
            compress -= 400;
            slen[0] = (compress >> 2) / 5;
            slen[1] = (compress >> 2) % 5;
            slen[2] = compress & 3;
            row = 1;
        } else {
            compress -= 500;
            slen[0] = compress / 3;
            slen[1] = compress % 3;
            slen[2] = 0;
            row = 2;
            preflag = 1;
        }
        return;
    }
    compress >>= 1;
    if (compress < 180) {
        slen[0] = compress / 36;
        slen[1] = (compress % 36) / 6;
        slen[2] = compress % 6;
        row = 3;
    } else if (compress < 244) {
        compress -= 180;
        slen[0] = (compress & 63) >> 4;
        slen[1] = (compress & 15) >> 2;
        slen[2] = compress & 3;
        row = 4;
    } else {
        compress -= 244;
        slen[0] = compress / 3;
        slen[1] = compress % 3;
        slen[2] = 0;
        row = 5;
    }
}

} // namespace

void L3ReadScalefactorsMpeg1(BitReader& reader, int32_t granule, int32_t ch) {
    Layer3State& l3 = gLayer3;
    const L3GranuleChannel& gc = l3.side.granules[granule][ch];
    L3Scalefactors& sf = l3.scalefactors[granule][ch];
    const int32_t slen1 = kSlen[0][gc.scalefacCompress & 15];
    const int32_t slen2 = kSlen[1][gc.scalefacCompress & 15];
    if (gc.blockType == 2) {
        if (gc.mixedBlock) {
            L3ReadLong(reader, sf.values, 0, 8, slen1);
            L3ReadShort(reader, sf, 3, 6, slen1);
        } else {
            L3ReadShort(reader, sf, 0, 6, slen1);
        }
        L3ReadShort(reader, sf, 6, 12, slen2);
        return;
    }
    static const int32_t kGroupStarts[5] = {0, 6, 11, 16, 21};
    const L3Scalefactors& first = l3.scalefactors[0][ch];
    for (int32_t group = 0; group < 4; ++group) {
        const int32_t from = kGroupStarts[group];
        const int32_t to = kGroupStarts[group + 1];
        const bool shared = granule == 1 && (l3.side.scfsi[ch] & (8 >> group));
        if (shared) {
            for (int32_t b = from; b < to; ++b)
                sf.values[b] = first.values[b];
        } else {
            L3ReadLong(reader, sf.values, from, to, group < 2 ? slen1 : slen2);
        }
    }
}

void L3ReadScalefactorsMpeg2(BitReader& reader, int32_t granule, int32_t ch) {
    Layer3State& l3 = gLayer3;
    L3GranuleChannel& gc = l3.side.granules[granule][ch];
    L3Scalefactors& sf = l3.scalefactors[granule][ch];
    const bool intensityRight = ch == 1 && l3.mode == kModeJointStereo && (l3.modeExtension & 1);
    int32_t slen[4];
    int32_t row = 0;
    L3LowRateSlen(gc.scalefacCompress, intensityRight, slen, row, gc.preflag);

    const int32_t kind = gc.blockType != 2 ? 0 : (gc.mixedBlock ? 2 : 1);
    // Partitions in bands: long bands, then short bands (three scale factors each).
    int32_t longBands[5] = {0, 0, 0, 0, 0};
    int32_t shortBands[5] = {0, 0, 0, 0, 0};
    int32_t partitionSlen[5] = {0, 0, 0, 0, 0};
    int32_t partitions = 0;
    for (int32_t p = 0; p < 4; ++p) {
        const int32_t size = kPartitionSizes[row][kind][p];
        if (kind == 0) {
            longBands[partitions] = size;
        } else if (kind == 2 && p == 0) {
            // A mixed block starts with 6 long bands; what the partition holds beyond
            // them are short bands with the same slen.
            longBands[partitions] = 6;
            if (size > 6) {
                partitionSlen[partitions++] = slen[p];
                shortBands[partitions] = (size - 6) / 3;
            }
        } else {
            shortBands[partitions] = size / 3;
        }
        partitionSlen[partitions++] = slen[p];
    }

    int32_t longBand = 0;
    int32_t shortBand = kind == 2 ? 3 : 0;
    for (int32_t p = 0; p < partitions; ++p) {
        L3ReadLong(reader, sf.values, longBand, longBand + longBands[p], partitionSlen[p]);
        longBand += longBands[p];
        L3ReadShort(reader, sf, shortBand, shortBand + shortBands[p], partitionSlen[p]);
        shortBand += shortBands[p];
    }

    if (intensityRight) {
        L3IntensityPartitions& is = l3.intensity;
        // Intensity rows never split their first partition, so there are four.
        for (int32_t p = 0; p < 4; ++p) {
            is.longBands[p] = longBands[p];
            is.shortBands[p] = shortBands[p];
            is.slen[p] = partitionSlen[p];
        }
        is.intensityScale = gc.scalefacCompress & 1;
    }
}
