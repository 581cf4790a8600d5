// Every build decodes the same bits: output of a few streams under every option set
// against the MD5 sums that scripts/decoder-hashes.sh recorded in output-hashes.txt.
// A build whose float sums are kept wider than float (x87) or fused into
// multiply-adds differs on these streams by a least significant bit here and there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "DecoderTestSupport.h"
#include "Simd.h"

namespace {

// MD5 (RFC 1321) of a byte string, as 32 lower-case hex digits.
std::string Md5Hex(const std::vector<uint8_t>& data) {
    static const uint32_t kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                        5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                        4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                        6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    uint32_t k[64];
    for (int i = 0; i < 64; ++i)
        k[i] = static_cast<uint32_t>(std::fabs(std::sin(i + 1.0)) * 4294967296.0);
    std::vector<uint8_t> message(data);
    const uint64_t bits = static_cast<uint64_t>(data.size()) * 8;
    message.push_back(0x80);
    while (message.size() % 64 != 56)
        message.push_back(0);
    for (int i = 0; i < 8; ++i)
        message.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    uint32_t h[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    for (size_t block = 0; block < message.size(); block += 64) {
        uint32_t m[16];
        for (int i = 0; i < 16; ++i) {
            const uint8_t* p = &message[block + 4 * static_cast<size_t>(i)];
            m[i] = static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) |
                   (static_cast<uint32_t>(p[3]) << 24);
        }
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3];
        for (int i = 0; i < 64; ++i) {
            uint32_t f;
            int g;
            if (i < 16) {
                f = (b & c) | (~b & d);
                g = i;
            } else if (i < 32) {
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
            } else if (i < 48) {
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
            } else {
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
            }
            const uint32_t sum = a + f + k[i] + m[g];
            a = d;
            d = c;
            c = b;
            b += (sum << kShift[i]) | (sum >> (32 - kShift[i]));
        }
        h[0] += a;
        h[1] += b;
        h[2] += c;
        h[3] += d;
    }
    std::string hex;
    char digits[3];
    for (uint32_t word : h)
        for (int i = 0; i < 4; ++i) {
            std::snprintf(digits, sizeof(digits), "%02x", (word >> (8 * i)) & 0xFF);
            hex += digits;
        }
    return hex;
}

} // namespace

TEST(OutputHashTest, EveryBuildDecodesTheRecordedBits) {
    ASSERT_EQ(Md5Hex({}), "d41d8cd98f00b204e9800998ecf8427e");
    const std::vector<uint8_t> list = ReadTestFile("decoder/output-hashes.txt");
    ASSERT_FALSE(list.empty());
    // Each layer, both Layer III versions, intensity stereo and a Layer II low rate.
    const char* const streams[] = {"l1-fl2.bit",    "l2-fl11.bit",      "l3-compl.bit",
                                   "l3-test46.bit", "M2L3_compl24.bit", "fixtures/lsf22-joint.mp2"};
    // The four-lane routines, then the AVX ones where the processor has AVX.
    for (const bool wide : {false, true}) {
        SimdAllowWide(wide);
        if (SimdWide() != wide) continue;
        std::istringstream lines(std::string(list.begin(), list.end()));
        std::string stream;
        int32_t reduction = 0;
        int32_t conversion = 0;
        std::string expected;
        int32_t checked = 0;
        while (lines >> stream >> reduction >> conversion >> expected) {
            bool chosen = false;
            for (const char* name : streams)
                chosen = chosen || stream == name;
            if (!chosen) continue;
            SCOPED_TRACE(stream + " reduction " + std::to_string(reduction) + " conversion " +
                         std::to_string(conversion) + (wide ? " wide" : " narrow"));
            const DecodedStream decoded =
                DecodeStream(ReadTestFile("decoder/" + stream), {reduction, conversion, 24000});
            ASSERT_TRUE(decoded.started);
            EXPECT_EQ(Md5Hex(decoded.pcm), expected);
            ++checked;
        }
        EXPECT_EQ(checked, 6 * 9);
    }
    SimdAllowWide(true);
}
