#include "script/pc_iscii.h"

#include <gtest/gtest.h>

#include <array>

namespace vexa::script {
namespace {

int ToPc(int b) {
    auto byte = static_cast<unsigned char>(b);
    ToPcIscii(&byte, 1);
    return byte;
}

int FromPc(int b) {
    auto byte = static_cast<unsigned char>(b);
    FromPcIscii(&byte, 1);
    return byte;
}

// The mapping tables written out range by range, checked against every
// byte value.
int ExpectedToPc(int b) {
    if (b >= 0x80 && b <= 0xA0) return b + 0x40;
    if (b >= 0xA1 && b <= 0xD0) return b - 0x21;
    if (b >= 0xD1 && b <= 0xDF) return b + 0x10;
    if (b >= 0xE0 && b <= 0xEA) return b + 0x11;
    if (b == 0xEF) return 0xE0;
    return b;
}

int ExpectedFromPc(int b) {
    if (b >= 0x80 && b <= 0xAF) return b + 0x21;
    if (b == 0xE0) return 0xEF;
    if (b >= 0xE1 && b <= 0xEF) return b - 0x10;
    if (b >= 0xF1 && b <= 0xFB) return b - 0x11;
    return b;
}

TEST(PcIscii, EveryByteMapsByItsRange) {
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(ToPc(b), ExpectedToPc(b)) << std::hex << b;
        EXPECT_EQ(FromPc(b), ExpectedFromPc(b)) << std::hex << b;
    }
}

TEST(PcIscii, IsciiLettersSurviveARoundTripButHighControlBytesDoNot) {
    for (int b = 0xA1; b <= 0xEA; ++b) EXPECT_EQ(FromPc(ToPc(b)), b) << std::hex << b;
    EXPECT_EQ(FromPc(ToPc(0xEF)), 0xEF);
    EXPECT_EQ(FromPc(ToPc(0x80)), 0x80 + 0x40);
}

TEST(PcIscii, BuffersAreMappedInPlaceWholly) {
    // Long enough for the vector loop and its scalar tail.
    std::array<unsigned char, 67> buffer{};
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<unsigned char>(0xA1 + i);
    ToPcIscii(buffer.data(), buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], ExpectedToPc(static_cast<int>(0xA1 + i))) << i;
    }
    FromPcIscii(buffer.data(), buffer.size());
    EXPECT_EQ(buffer[0], 0xA1);
    EXPECT_EQ(buffer.back(), 0xA1 + 66);
}

}  // namespace
}  // namespace vexa::script
