// Tables of Layers I and II: the Layer II allocation tables and their choice, the
// quantisation classes, scale factors and the lookup tables of grouped codes.
#pragma once

#include <cstdint>

constexpr int32_t kLayer2ClassCount = 18; // class 0 (nothing coded) and 1 ... 17
constexpr int32_t kMaxAllocationGroups = 4;

// A run of subbands that share the width of their allocation field and its meaning.
struct AllocationGroup {
    int32_t subbands;
    int32_t bits;          // width of the allocation field
    const int8_t* classes; // allocation value -> quantisation class
};

struct AllocationTable {
    int32_t groupCount;
    AllocationGroup groups[kMaxAllocationGroups];
    int32_t subbands; // sum of the group sizes
};

// The four tables of MPEG-1 (27, 30, 8 and 12 subbands) and the low-sampling-rate one.
constexpr int32_t kLayer2TableCount = 5;
constexpr int32_t kLayer2TableLowRate = 4;
extern const AllocationTable kLayer2AllocationTables[kLayer2TableCount];

// Which table a stream uses; -1 for a bit rate and mode that MPEG-1 does not allow in
// Layer II (or an invalid index).
int32_t L2ChooseAllocationTable(int32_t version, int32_t mode, int32_t sampleRateIndex,
                                int32_t bitrateIndex);

// How a Layer II class codes its samples.
struct QuantClass {
    int32_t steps;
    int32_t codeBits;   // bits per code: per sample, or per triple when grouped
    int32_t tripleBits; // bits of three samples
    bool grouped;       // three samples in one code (3, 5 and 9 steps)
};
extern const QuantClass kQuantClasses[kLayer2ClassCount];

struct Layer12Tables {
    float scaleFactors[64];                     // 65536 * 2^(-i/3)
    float layer1StepFactors[16];                // allocation a: 2 / (2^(a+1) - 1); 0 for a = 0
    float layer2StepFactors[kLayer2ClassCount]; // 2 / steps; 0 for class 0
    // The three values of each grouped code: the codes of 3 steps first, then those
    // of 5 and of 9 steps.
    int8_t groups[32 + 128 + 1024][3];
};
extern Layer12Tables gLayer12Tables;
