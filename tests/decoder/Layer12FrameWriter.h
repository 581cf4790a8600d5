// Builds Layer I and Layer II frames bit by bit, following the frame syntax of
// ISO/IEC 11172-3, so that tests can state exactly what a frame carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class BitWriter {
  public:
    void Put(uint32_t value, int32_t bits) {
        for (int32_t i = bits - 1; i >= 0; --i) {
            if (count_ % 8 == 0) bytes_.push_back(0);
            if ((value >> i) & 1) bytes_.back() |= static_cast<uint8_t>(0x80 >> (count_ % 8));
            ++count_;
        }
    }
    int32_t BitCount() const { return count_; }
    // The bytes, zero-filled to length.
    std::vector<uint8_t> Bytes(size_t length) const {
        std::vector<uint8_t> bytes(bytes_);
        bytes.resize(length, 0);
        return bytes;
    }

  private:
    std::vector<uint8_t> bytes_;
    int32_t count_ = 0;
};

// What a frame carries, per channel and subband. A subband from the bound on is
// written once (allocation and samples of channel 0) in joint stereo.
struct SubbandFrame {
    int32_t mode = 0; // 0 stereo, 1 joint stereo, 3 single channel
    int32_t modeExtension = 0;
    int32_t allocation[2][32] = {};
    int32_t scaleFactor[2][32] = {}; // Layer II: one for all three parts
    // Layer I: [slot][channel][subband], 12 slots. Layer II: [3 granule + n][channel]
    // [subband], n = 0 ... 2 the three codes of a granule (n = 0 only when grouped).
    uint32_t samples[36][2][32] = {};
};

// Layer I, 48 kHz, 384 kbit/s: 384-byte frames, no CRC.
std::vector<uint8_t> WriteLayer1Frame(const SubbandFrame& frame);

// Layer II, MPEG-1, 48 kHz, 192 kbit/s (allocation table of 27 subbands): 576-byte
// frames, no CRC, scale-factor selection 2 (one factor for all three parts).
// Grouped classes take one code per granule, the others three.
constexpr int32_t kLayer2FrameBytes = 576;
std::vector<uint8_t> WriteLayer2Frame(const SubbandFrame& frame);

// Steps of an allocation value in that table (ISO/IEC 11172-3 table B.2a); 0 = none.
int32_t Layer2Steps(int32_t subband, int32_t allocation);
