#pragma once

// The table-driven syllable converter of the Brahmic scripts.

#include <cstdint>
#include <span>

#include "engine/brahmic_tables.h"

namespace vexa::family::engine {

// Most glyphs one syllable gives; with the two bytes of each pair and the
// terminator this stays well inside the 100 bytes a converter may write.
inline constexpr int kMaxGlyphs = 40;

struct GlyphList {
    std::uint16_t glyphs[kMaxGlyphs];  // [0, count) set
    int count = 0;
    void Push(std::uint16_t g) {
        if (count < kMaxGlyphs) glyphs[count++] = g;
    }
};

// The glyph numbers of the syllable at source (NUL-terminated, not empty),
// drawn from the glyphs that `codes` gives a code, for scripts with base +
// subscript clusters (belowBase not null) and fonts that hold some glyphs
// only in pieces (pieces not null); returns the bytes the syllable takes
// (at least 1).
int SyllableGlyphs(const Rules& rules, const BelowBase* belowBase,
                   std::span<const std::uint8_t> isMark, std::span<const GlyphCode> codes,
                   const GlyphPieces* pieces, const unsigned char* source, GlyphList& out);

// The converter entry's whole job: one syllable to (code, digit) pairs.
void ConvertSyllable(const Rules& rules, const BelowBase* belowBase,
                     std::span<const std::uint8_t> isMark, std::span<const GlyphCode> codes,
                     const GlyphPieces* pieces, const unsigned char* source, char* output,
                     int* consumed);

// The same for scripts without subscript clusters and fonts that hold every
// glyph whole.
inline int SyllableGlyphs(const Rules& rules, std::span<const std::uint8_t> isMark,
                          std::span<const GlyphCode> codes, const unsigned char* source,
                          GlyphList& out) {
    return SyllableGlyphs(rules, nullptr, isMark, codes, nullptr, source, out);
}
inline void ConvertSyllable(const Rules& rules, std::span<const std::uint8_t> isMark,
                            std::span<const GlyphCode> codes, const unsigned char* source,
                            char* output, int* consumed) {
    ConvertSyllable(rules, nullptr, isMark, codes, nullptr, source, output, consumed);
}

}  // namespace vexa::family::engine
