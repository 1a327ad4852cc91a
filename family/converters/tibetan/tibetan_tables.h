#pragma once

// The shapes of the generated tables the Tibetan converters run on. The
// tables come from the family's glyph map (family/fonts/tibetan/), so the
// glyph codes of the fonts and of the converters never drift apart.

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/brahmic_tables.h"

namespace vexa::family::tibetan {

using engine::GlyphCode;

// A stack's core (head, subjoined letters, a-chung, u-sign) and its glyphs.
struct Core {
    std::u16string_view key;
    std::uint16_t first;  // into the glyph pool
    std::uint8_t count;
};

// A sign, or a pair of signs drawn as one glyph, with its usual glyphs.
struct SignUnit {
    std::u16string_view signs;
    std::uint16_t first;
    std::uint8_t count;
};

// The glyphs of a sign unit after a given spacing glyph, where they differ
// from the usual ones.
struct SignAttachment {
    std::uint16_t unit;
    std::uint16_t previous;
    std::uint16_t first;
    std::uint8_t count;
};

// The shortened form of a head letter in a stack built from pieces, the
// anchor of the first piece under it, and the anchor's height under the
// letter's full glyph (for a face without the short form).
struct Base {
    char16_t letter;
    std::uint16_t glyph;
    std::int16_t dx;
    std::int16_t dy;
    std::int16_t fullDy;
};

// A subjoined letter (or the a-chung) as a piece: its glyph group, offset
// from the anchor, height, and the group and offset of its form with the
// u-sign fused (uGroup -1: none).
struct Piece {
    char16_t letter;
    std::uint16_t group;
    std::int16_t dx;
    std::int16_t dy;
    std::int16_t height;
    std::int16_t uGroup;
    std::int16_t udx;
    std::int16_t udy;
};

// One offset variant of a piece group.
struct PieceGlyph {
    std::uint16_t group;
    std::int16_t dx;
    std::int16_t dy;
    std::uint16_t glyph;
};

struct Standalone {
    char16_t letter;
    std::uint16_t first;
    std::uint8_t count;
};

struct Rules {
    std::span<const std::uint16_t> pool;
    std::span<const Core> cores;           // sorted by key
    std::span<const SignUnit> units;
    std::span<const SignAttachment> attachments;  // sorted by unit, previous
    std::span<const Base> bases;
    std::span<const Piece> pieces;
    std::span<const PieceGlyph> pieceGlyphs;  // sorted by group
    std::span<const Standalone> standalone;
    std::span<const std::uint8_t> isMark;  // per glyph: zero advance
    const char16_t* bytes;                 // 256 entries: byte -> letter (0: none)
    unsigned char joiner;                  // the letter after it is subjoined
    std::uint16_t tsheg;
    std::uint16_t blank;                   // a space after a shad
};

}  // namespace vexa::family::tibetan
