#include "script/pc_iscii.h"

#include <cstdint>

namespace vexa::script {

namespace {

// Each mapping adds a constant per byte range. Written without branches or
// tables so that the compiler turns the loops into vector code.
inline std::uint8_t InRange(std::uint8_t b, std::uint8_t low, std::uint8_t high) {
    return static_cast<std::uint8_t>(b - low) <= static_cast<std::uint8_t>(high - low) ? 0xFF : 0;
}

inline std::uint8_t ToPcByte(std::uint8_t b) {
    std::uint8_t delta = (InRange(b, 0x80, 0xA0) & 0x40)     // +0x40
                         | (InRange(b, 0xA1, 0xD0) & 0xDF)   // -0x21
                         | (InRange(b, 0xD1, 0xDF) & 0x10)   // +0x10
                         | (InRange(b, 0xE0, 0xEA) & 0x11)   // +0x11
                         | (InRange(b, 0xEF, 0xEF) & 0xF1);  // 0xEF -> 0xE0
    return static_cast<std::uint8_t>(b + delta);
}

inline std::uint8_t FromPcByte(std::uint8_t b) {
    std::uint8_t delta = (InRange(b, 0x80, 0xAF) & 0x21)     // +0x21
                         | (InRange(b, 0xE0, 0xE0) & 0x0F)   // 0xE0 -> 0xEF
                         | (InRange(b, 0xE1, 0xEF) & 0xF0)   // -0x10
                         | (InRange(b, 0xF1, 0xFB) & 0xEF);  // -0x11
    return static_cast<std::uint8_t>(b + delta);
}

}  // namespace

void ToPcIscii(unsigned char* buffer, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) buffer[i] = ToPcByte(buffer[i]);
}

void FromPcIscii(unsigned char* buffer, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) buffer[i] = FromPcByte(buffer[i]);
}

}  // namespace vexa::script
