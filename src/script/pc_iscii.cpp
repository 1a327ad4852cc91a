#include "script/pc_iscii.h"

#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEXA_PC_ISCII_X86 1
#endif

namespace vexa::script {

namespace {

// Both mappings add a constant that depends on the byte's range. Every range
// boundary falls between low nibbles 0 and 1 of a high nibble, except within
// one high nibble whose constant depends on the low nibble alone. So the
// constant is a lookup by high nibble (one table for low nibble 0, one for
// the others), overridden for that one high nibble by a lookup by low nibble:
// three 16-byte tables, which vector shuffles read 16 or 32 bytes at a time.
struct NibbleMap {
    std::array<std::uint8_t, 16> lowZero;   // by high nibble, low nibble 0
    std::array<std::uint8_t, 16> lowOther;  // by high nibble, low nibble 1-F
    std::uint8_t specialHigh;
    std::array<std::uint8_t, 16> special;  // by low nibble, for specialHigh
};

//   0x80-0xA0 +0x40   0xA1-0xD0 -0x21   0xD1-0xDF +0x10
//   0xE0-0xEA +0x11   0xEF -> 0xE0      others unchanged
constexpr NibbleMap kToPc{
    {0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x40, 0x40, 0xDF, 0xDF, 0xDF, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x40, 0xDF, 0xDF, 0xDF, 0x10, 0, 0},
    0xE,
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0, 0, 0, 0, 0xF1},
};

//   0x80-0xAF +0x21   0xE0 -> 0xEF   0xE1-0xEF -0x10   0xF1-0xFB -0x11
//   others unchanged
constexpr NibbleMap kFromPc{
    {0, 0, 0, 0, 0, 0, 0, 0, 0x21, 0x21, 0x21, 0, 0, 0, 0x0F, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0x21, 0x21, 0x21, 0, 0, 0, 0xF0, 0},
    0xF,
    {0, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0, 0, 0, 0},
};

inline std::uint8_t MapByte(const NibbleMap& map, std::uint8_t b) {
    unsigned high = b >> 4;
    unsigned low = b & 0x0F;
    std::uint8_t delta = high == map.specialHigh ? map.special[low]
                         : low == 0              ? map.lowZero[high]
                                                 : map.lowOther[high];
    return static_cast<std::uint8_t>(b + delta);
}

void MapScalar(const NibbleMap& map, unsigned char* buffer, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) buffer[i] = MapByte(map, buffer[i]);
}

#ifdef VEXA_PC_ISCII_X86

__attribute__((target("avx2"))) void MapAvx2(const NibbleMap& map, unsigned char* buffer,
                                             std::size_t length) {
#define VEXA_TABLE(t) \
    _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>((t).data())))
    const __m256i lowZero = VEXA_TABLE(map.lowZero);
    const __m256i lowOther = VEXA_TABLE(map.lowOther);
    const __m256i special = VEXA_TABLE(map.special);
#undef VEXA_TABLE
    const __m256i specialHigh = _mm256_set1_epi8(static_cast<char>(map.specialHigh));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i zero = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 32 <= length; i += 32) {
        auto* p = reinterpret_cast<__m256i*>(buffer + i);
        __m256i v = _mm256_loadu_si256(p);
        __m256i high = _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble);
        __m256i low = _mm256_and_si256(v, nibble);
        __m256i delta = _mm256_blendv_epi8(_mm256_shuffle_epi8(lowOther, high),
                                           _mm256_shuffle_epi8(lowZero, high),
                                           _mm256_cmpeq_epi8(low, zero));
        delta = _mm256_blendv_epi8(delta, _mm256_shuffle_epi8(special, low),
                                   _mm256_cmpeq_epi8(high, specialHigh));
        _mm256_storeu_si256(p, _mm256_add_epi8(v, delta));
    }
    MapScalar(map, buffer + i, length - i);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

void Map(const NibbleMap& map, unsigned char* buffer, std::size_t length) {
#ifdef VEXA_PC_ISCII_X86
    if (HasAvx2()) {
        MapAvx2(map, buffer, length);
        return;
    }
#endif
    MapScalar(map, buffer, length);
}

}  // namespace

void ToPcIscii(unsigned char* buffer, std::size_t length) { Map(kToPc, buffer, length); }

void FromPcIscii(unsigned char* buffer, std::size_t length) { Map(kFromPc, buffer, length); }

}  // namespace vexa::script
