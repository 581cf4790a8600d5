#include "Layer12Tables.h"

#include <cmath>
#include <initializer_list>

#include "Layer12.h"

Layer12Tables gLayer12Tables;

namespace {

// Allocation value -> class, per kind of subband group (ISO/IEC 11172-3 B.2, 13818-3 B.1).
// Classes: 1 = 3 steps, 2 = 5, 3 = 7, 4 = 9, 5 = 15, 6 = 31, ... 17 = 65535.
const int8_t kLowBands[16] = {0, 1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
const int8_t kMiddleBands[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17};
const int8_t kUpperBands[8] = {0, 1, 2, 3, 4, 5, 6, 17};
const int8_t kTopBands[4] = {0, 1, 2, 17};
const int8_t kLowRateFirst[16] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const int8_t kLowRateRest[8] = {0, 1, 2, 4, 5, 6, 7, 8};
const int8_t kMpeg2First[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const int8_t kMpeg2Middle[8] = {0, 1, 2, 4, 5, 6, 7, 8};
const int8_t kMpeg2Top[4] = {0, 1, 2, 4};

// Table by [sampling-rate index 44.1, 48, 32 kHz][single channel][bit-rate index]:
// 0 to 3 the MPEG-1 tables, -1 a combination that Layer II does not allow.
const int8_t kTableChoice[3][2][16] = {
    {{-1, -1, -1, -1, 2, -1, 2, 0, 0, 0, 1, 1, 1, 1, 1, -1},
     {-1, 2, 2, 0, 0, 0, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1}},
    {{-1, -1, -1, -1, 2, -1, 2, 0, 0, 0, 0, 0, 0, 0, 0, -1},
     {-1, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1}},
    {{-1, -1, -1, -1, 3, -1, 3, 0, 0, 0, 1, 1, 1, 1, 1, -1},
     {-1, 3, 3, 0, 0, 0, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1}},
};

} // namespace

const AllocationTable kLayer2AllocationTables[kLayer2TableCount] = {
    {4, {{3, 4, kLowBands}, {8, 4, kMiddleBands}, {12, 3, kUpperBands}, {4, 2, kTopBands}}, 27},
    {4, {{3, 4, kLowBands}, {8, 4, kMiddleBands}, {12, 3, kUpperBands}, {7, 2, kTopBands}}, 30},
    {2, {{2, 4, kLowRateFirst}, {6, 3, kLowRateRest}, {0, 0, nullptr}, {0, 0, nullptr}}, 8},
    {2, {{2, 4, kLowRateFirst}, {10, 3, kLowRateRest}, {0, 0, nullptr}, {0, 0, nullptr}}, 12},
    {3, {{4, 4, kMpeg2First}, {7, 3, kMpeg2Middle}, {19, 2, kMpeg2Top}, {0, 0, nullptr}}, 30},
};

const QuantClass kQuantClasses[kLayer2ClassCount] = {
    {0, 0, 0, false},       {3, 5, 5, true},        {5, 7, 7, true},       {7, 3, 9, false},
    {9, 10, 10, true},      {15, 4, 12, false},     {31, 5, 15, false},    {63, 6, 18, false},
    {127, 7, 21, false},    {255, 8, 24, false},    {511, 9, 27, false},   {1023, 10, 30, false},
    {2047, 11, 33, false},  {4095, 12, 36, false},  {8191, 13, 39, false}, {16383, 14, 42, false},
    {32767, 15, 45, false}, {65535, 16, 48, false},
};

int32_t L2ChooseAllocationTable(int32_t version, int32_t mode, int32_t sampleRateIndex,
                                int32_t bitrateIndex) {
    if (version == 0) return kLayer2TableLowRate;
    if (sampleRateIndex < 0 || sampleRateIndex > 2 || bitrateIndex < 0 || bitrateIndex > 15)
        return -1;
    const int32_t singleChannel = mode == 3 ? 1 : 0;
    return kTableChoice[sampleRateIndex][singleChannel][bitrateIndex];
}

void L12InitTables() {
    Layer12Tables& t = gLayer12Tables;
    for (int32_t i = 0; i < 64; ++i)
        t.scaleFactors[i] = static_cast<float>(65536.0 * std::pow(2.0, -i / 3.0));
    t.layer1StepFactors[0] = 0.0f;
    for (int32_t a = 1; a < 16; ++a)
        t.layer1StepFactors[a] = static_cast<float>(2.0 / ((1 << (a + 1)) - 1));
    t.layer2StepFactors[0] = 0.0f;
    for (int32_t c = 1; c < kLayer2ClassCount; ++c)
        t.layer2StepFactors[c] = static_cast<float>(2.0 / kQuantClasses[c].steps);
    // The first sample of a triple is the lowest digit; each digit is centred on zero.
    int8_t(*groups)[3] = t.groups;
    for (const int32_t steps : {3, 5, 9}) {
        const int32_t codes = steps == 3 ? 32 : (steps == 5 ? 128 : 1024);
        for (int32_t i = 0; i < codes; ++i, ++groups)
            for (int32_t d = 0, rest = i; d < 3; ++d, rest /= steps)
                (*groups)[d] = static_cast<int8_t>(rest % steps - (steps - 1) / 2);
    }
}
