// The 7-bit decoder on blocks of sixteen characters with SSSE3 byte
// shuffles: every lane decodes its position from the character, its
// neighbours and the kind of word it is in, and the bytes of the lanes that
// start a code are packed together.

#include "script/seven_bit_decode.h"

#if defined(__x86_64__) || defined(__i386__)
#define VEXA_SEVEN_BIT_X86
#include <immintrin.h>
#endif

namespace vexa::script::seven_bit {

#ifdef VEXA_SEVEN_BIT_X86

namespace {

// A decoder table restricted to 0x40-0x7F, the only characters with a code,
// as four 16-byte shuffle tables.
struct LetterTable {
    __m128i quarter[4];
};

__attribute__((target("ssse3"))) LetterTable MakeLetterTable(
    const std::array<unsigned char, 256>& table) {
    alignas(16) unsigned char bytes[64];
    for (int i = 0; i < 64; ++i) bytes[i] = table[static_cast<std::size_t>(0x40 + i)];
    LetterTable t;
    for (int q = 0; q < 4; ++q) {
        t.quarter[q] = _mm_load_si128(reinterpret_cast<const __m128i*>(bytes + 16 * q));
    }
    return t;
}

// Which quarter of 0x40-0x7F each byte is in (all zero outside).
struct Quarters {
    __m128i low;
    __m128i in[4];
};

__attribute__((target("ssse3"))) inline Quarters QuartersOf(__m128i v) {
    Quarters q;
    q.low = _mm_and_si128(v, _mm_set1_epi8(0x0F));
    const __m128i high = _mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xF0)));
    for (int i = 0; i < 4; ++i)
        q.in[i] = _mm_cmpeq_epi8(high, _mm_set1_epi8(static_cast<char>(0x40 + 16 * i)));
    return q;
}

__attribute__((target("ssse3"))) inline __m128i Lookup(const LetterTable& t, const Quarters& q) {
    __m128i r = _mm_and_si128(q.in[0], _mm_shuffle_epi8(t.quarter[0], q.low));
    for (int i = 1; i < 4; ++i)
        r = _mm_or_si128(r, _mm_and_si128(q.in[i], _mm_shuffle_epi8(t.quarter[i], q.low)));
    return r;
}

__attribute__((target("ssse3"))) inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

__attribute__((target("ssse3"))) inline __m128i IsNonZero(__m128i v) {
    return _mm_xor_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()), _mm_set1_epi8(-1));
}

// Shuffles that pack the kept bytes of eight lanes to the front, one per
// mask of the lanes kept.
struct PackTable {
    std::array<std::uint64_t, 256> shuffle{};
};

constexpr PackTable MakePackTable() {
    PackTable t{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        std::uint64_t s = 0;
        unsigned k = 0;
        for (unsigned lane = 0; lane < 8; ++lane) {
            if ((mask >> lane) & 1U) s |= static_cast<std::uint64_t>(lane) << (8 * k++);
        }
        for (; k < 8; ++k) s |= std::uint64_t{0x80} << (8 * k);
        t.shuffle[mask] = s;
    }
    return t;
}

constexpr PackTable kPack = MakePackTable();

}  // namespace

bool HasBlockDecoder() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

__attribute__((target("ssse3"))) std::size_t DecodeBlocks(const unsigned char* in, std::size_t n,
                                                          WordState& state, unsigned char*& w) {
    static const LetterTable single = MakeLetterTable(kDecode.single);
    static const LetterTable withX = MakeLetterTable(kDecode.withX);
    static const LetterTable afterC = MakeLetterTable(kDecode.afterC);
    static const LetterTable afterCx = MakeLetterTable(kDecode.afterCx);
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi8(1);
    const __m128i x = _mm_set1_epi8('x');
    const __m128i bigC = _mm_set1_epi8('C');
    const __m128i ascii = _mm_set1_epi8(0x7F);
    // Lane i holds 2 (i + 1): a later word start has a greater value, and the
    // low bit is left free to tell the kind of word.
    const __m128i laneNumber =
        _mm_setr_epi8(2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32);

    // The last lane of the block before the first one is position 0, the
    // separator that opens the text.
    std::size_t i = 1;
    __m128i prevSep = _mm_slli_si128(_mm_set1_epi8(-1), 15);
    __m128i prevTakesX = zero, prevIsC = zero;
    __m128i carry = _mm_set1_epi8(state.indian ? 1 : 0);
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 1));
        const __m128i next2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 2));
        const Quarters q = QuartersOf(v);
        const Quarters qn = QuartersOf(next);
        const __m128i singleByte = Lookup(single, q);
        const __m128i withXByte = Lookup(withX, q);
        const __m128i afterCOfThis = Lookup(afterC, q);
        const __m128i afterCByte = Lookup(afterC, qn);
        const __m128i afterCxByte = Lookup(afterCx, qn);

        const __m128i letter = IsNonZero(singleByte);
        const __m128i isAscii = _mm_cmpeq_epi8(_mm_min_epu8(v, ascii), v);
        const __m128i sep = _mm_andnot_si128(letter, isAscii);
        const __m128i takesX = IsNonZero(withXByte);
        const __m128i isC = _mm_cmpeq_epi8(v, bigC);
        const __m128i isX = _mm_cmpeq_epi8(v, x);
        const __m128i nextIsX = _mm_cmpeq_epi8(next, x);
        const __m128i nextLetter = IsNonZero(Lookup(single, qn));

        // Each lane's neighbour before it: this block shifted by one lane,
        // the lane before the block coming from the previous block.
        const __m128i sepBefore = _mm_or_si128(_mm_slli_si128(sep, 1), _mm_srli_si128(prevSep, 15));
        const __m128i takesXBefore =
            _mm_or_si128(_mm_slli_si128(takesX, 1), _mm_srli_si128(prevTakesX, 15));
        const __m128i cBefore = _mm_or_si128(_mm_slli_si128(isC, 1), _mm_srli_si128(prevIsC, 15));
        prevSep = sep;
        prevTakesX = takesX;
        prevIsC = isC;

        // The byte and whether it is kept, inside an Indian word.
        __m128i byte = Select(letter, singleByte, v);
        byte = Select(_mm_and_si128(takesX, nextIsX), withXByte, byte);
        const __m128i cPair = _mm_and_si128(isC, IsNonZero(afterCByte));
        byte = Select(cPair, afterCByte, byte);
        const __m128i cTriple =
            _mm_and_si128(_mm_and_si128(isC, IsNonZero(afterCxByte)), _mm_cmpeq_epi8(next2, x));
        byte = Select(cTriple, afterCxByte, byte);
        const __m128i continues = _mm_or_si128(_mm_and_si128(isX, takesXBefore),
                                               _mm_and_si128(cBefore, IsNonZero(afterCOfThis)));

        // Word starts, and the kind of word each lane is in: the value of the
        // last start at or before the lane (a running maximum), its low bit
        // telling an Indian word.
        const __m128i xStart = _mm_and_si128(sepBefore, isX);
        const __m128i indianStart = _mm_andnot_si128(nextIsX, xStart);
        __m128i kind =
            _mm_and_si128(sepBefore, _mm_or_si128(laneNumber, _mm_and_si128(indianStart, one)));
        kind = _mm_max_epu8(kind, _mm_slli_si128(kind, 1));
        kind = _mm_max_epu8(kind, _mm_slli_si128(kind, 2));
        kind = _mm_max_epu8(kind, _mm_slli_si128(kind, 4));
        kind = _mm_max_epu8(kind, _mm_slli_si128(kind, 8));
        kind = _mm_max_epu8(kind, carry);
        const __m128i indian = _mm_cmpeq_epi8(_mm_and_si128(kind, one), one);
        carry = _mm_set1_epi8(static_cast<char>(_mm_movemask_epi8(indian) >> 15));

        // A start's "x" is kept only when it stands for itself: before a
        // non-letter in an Indian word; the first "x" of "xx" is dropped.
        const __m128i dropStart = _mm_and_si128(xStart, _mm_or_si128(nextIsX, nextLetter));
        const __m128i indianInner = _mm_andnot_si128(sepBefore, indian);
        byte = Select(indianInner, byte, v);
        const __m128i dropped = _mm_or_si128(dropStart, _mm_and_si128(indianInner, continues));
        const unsigned keep = ~static_cast<unsigned>(_mm_movemask_epi8(dropped)) & 0xFFFFU;

        // Pack each half's kept bytes to the front and store them.
        for (unsigned half = 0; half < 2; ++half) {
            const unsigned lanes = (keep >> (8 * half)) & 0xFFU;
            const __m128i shuffle =
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&kPack.shuffle[lanes]));
            const __m128i bytes = half == 0 ? byte : _mm_srli_si128(byte, 8);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(w), _mm_shuffle_epi8(bytes, shuffle));
            w += __builtin_popcount(lanes);
        }
    }
    state.indian = _mm_cvtsi128_si32(carry) != 0;
    return i;
}

#else

bool HasBlockDecoder() { return false; }

std::size_t DecodeBlocks(const unsigned char*, std::size_t, WordState&, unsigned char*&) {
    return 1;
}

#endif

}  // namespace vexa::script::seven_bit
