#pragma once

// Tibetan text to glyph codes, one stack (or sign) per call.
//
// A stack is a head letter, the letters subjoined below it (each a byte of
// its own, or the joiner byte followed by the letter's byte), the a-chung,
// the u-sign and up to four signs (vowel signs above, nasal signs, halanta,
// visarga). A space byte draws nothing here: the controls append a literal
// space, which the faces draw as the tsheg. A shad or another sign drawn
// alone takes a space that follows it as a blank of a space's width.

#include <cstdint>
#include <span>

#include "tibetan/tibetan_tables.h"

namespace vexa::family::tibetan {

inline constexpr int kMaxSubjoined = 4;
inline constexpr int kMaxSigns = 4;
inline constexpr int kMaxGlyphs = 40;

struct Stack {
    enum class Kind { kNothing, kStandalone, kStack };
    Kind kind = Kind::kNothing;
    int consumed = 1;
    char16_t letter = 0;     // kStandalone
    bool spaceAfter = false;  // kStandalone: a space follows and belongs to it
    char16_t head = 0;       // kStack (0: none)
    char16_t subjoined[kMaxSubjoined] = {};
    int subjoinedCount = 0;
    bool u = false;
    char16_t signs[kMaxSigns] = {};
    int signCount = 0;
};

// Reads the stack or sign at source (NUL-terminated, not empty).
Stack ReadStack(const Rules& rules, const unsigned char* source);

struct GlyphList {
    std::uint16_t glyphs[kMaxGlyphs] = {};
    int count = 0;
    void Push(std::uint16_t g) {
        if (count < kMaxGlyphs) glyphs[count++] = g;
    }
};

// The glyphs of the stack at source, drawn with the glyphs `codes` holds;
// returns the bytes it takes (at least 1).
int StackGlyphs(const Rules& rules, std::span<const GlyphCode> codes, const unsigned char* source,
                GlyphList& out);

// The converter entry's whole job: one stack to (code, digit) pairs.
void ConvertStack(const Rules& rules, std::span<const GlyphCode> codes, const unsigned char* source,
                  char* output, int* consumed);

}  // namespace vexa::family::tibetan
