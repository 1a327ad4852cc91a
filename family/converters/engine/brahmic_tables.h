#pragma once

// The shapes of the generated tables a Brahmic converter runs on. Each
// family's tables come from its glyph map (family/fonts/<family>/), so the
// glyph codes of the fonts and of the converters never drift apart.
//
// Glyphs are numbered by the family's map; a converter turns glyph numbers
// into (code, font digit) pairs through its own code table.

#include <cstdint>
#include <span>
#include <string_view>

namespace vexa::family::engine {

// A consonant cluster (in Unicode letters) and the glyphs that draw it.
struct CoreEntry {
    std::u16string_view key;
    std::uint16_t first;   // into the glyph pool
    std::uint8_t count;
    std::int8_t preAt;     // where a pre-base glyph goes among the core glyphs
    std::uint8_t preVariant;   // variant of the pre-base family that fits the cluster
    std::uint8_t postVariant;  // variant of the post-base family that fits the cluster
};

enum class ItemKind : std::uint8_t { kPre, kPost, kSpacing, kMark };

// One glyph of a syllable's tail: a family resolved by the cluster's variant
// (pre, post), a named spacing glyph, or a mark resolved by the glyph before it.
struct TemplateItem {
    ItemKind kind;
    std::uint16_t symbol;
};

// What follows the cluster: reph, vowel sign, one modifier, final virama.
struct TailTemplate {
    bool reph;
    char16_t matra;
    char16_t modifier;
    bool virama;
    std::uint16_t first;  // into the items
    std::uint16_t count;
};

struct FamilyVariant {
    std::uint16_t family;
    std::uint16_t variant;
    std::uint16_t glyph;
};

// The mark glyph (offset variant) to draw after a given spacing glyph.
struct Attachment {
    std::uint16_t symbol;
    std::int16_t previous;  // -1: at the start
    std::uint16_t glyph;
};

// A vowel sign that merges with the cluster's last glyph.
struct Fusion {
    std::uint16_t last;
    char16_t matra;
    std::uint16_t first;
    std::uint16_t count;
};

// A letter drawn alone: independent vowels, digits, signs, Vedic signs.
struct Standalone {
    char16_t letter;
    std::uint16_t first;
    std::uint16_t count;
    char16_t modifier = 0;  // set where the letter and this modifier are one glyph
};

struct ScriptLetters {
    std::u16string_view consonants;
    std::u16string_view matras;
    std::u16string_view modifiers;
    char16_t virama;
    char16_t nukta;
    char16_t ra;
};

// A modifier drawn as another sign after a given vowel: Gurmukhi writes one
// nasal sign in ISCII and draws it as tippi after the inherent vowel (context
// 0) and the i, u and uu signs, as bindi elsewhere.
struct ModifierSwap {
    char16_t context;  // vowel sign or independent vowel before it; 0: none
    char16_t from;
    char16_t to;
};

// The symbol of the gemination mark among a family's named marks (after
// virama 0, nukta 1, reph 2).
inline constexpr std::uint16_t kGeminationSymbol = 3;

// The last glyph of a syllable before the first glyph of the next one, and
// the narrower or wider variant of it that the font's kerning gives there.
struct KernPair {
    std::uint16_t left;
    std::uint16_t right;
    std::uint16_t replacement;
};

struct Rules {
    std::span<const std::uint16_t> pool;
    std::span<const CoreEntry> cores;
    std::span<const TemplateItem> items;
    std::span<const TailTemplate> templates;
    std::span<const FamilyVariant> familyVariants;
    std::span<const Attachment> attachments;
    std::span<const std::int16_t> defaults;  // per symbol: glyph to use without attachment
    std::span<const Fusion> fusions;
    std::span<const Standalone> standalone;
    const char16_t* iscii;       // 256 entries: ISCII byte -> letter (0: none)
    const char16_t* isciiNukta;  // 256 entries: byte followed by nukta -> letter
    std::span<const char16_t> vedic;  // 0xF0 0xA1 + i -> Vedic sign i
    ScriptLetters letters;
    // Rules of some scripts only; the others leave them empty.
    std::span<const ModifierSwap> modifierSwaps = {};  // sorted by (context, from)
    // A consonant doubled across a virama at the start of a cluster (C virama
    // C) is one C with the gemination mark before it (Gurmukhi addak).
    bool gemination = false;
    std::span<const KernPair> kerning = {};  // sorted by (left, right)
    // Independent vowels that take a ya-phala (Bengali অ্যা, "a" + virama +
    // ya): such a vowel followed by virama and yaphalaLetter starts a cluster
    // with the vowel as its base instead of a letter drawn alone.
    std::u16string_view yaphalaVowels = {};
    char16_t yaphalaLetter = 0;
};

// Scripts that write a cluster as its first consonant (the base) followed by
// the subscript or post-base forms of the others, with vowel signs that merge
// with the base (Kannada, Telugu). A syllable draws as the base part, the
// subscript forms, then the tail items.
struct BelowBase {
    std::span<const Fusion> fusions;  // base glyph + vowel sign or virama -> base part
    std::span<const TailTemplate> plain;        // tail items after a lone base
    std::span<const TailTemplate> subscripted;  // tail items after subscript forms
    // The reference pair and a virama: a consonant after it takes the form it
    // has in third place of a cluster; the pair itself draws subscriptSkip glyphs.
    std::u16string_view subscriptPrefix;
    std::uint8_t subscriptSkip;
    // Subscript glyph + sign -> the form the subscript takes with that sign
    // (another offset after a sign's spacing glyph, say).
    std::span<const Fusion> signedSubscripts;
    // The signs drawn with the base rather than after the subscripts.
    std::u16string_view baseSigns;
    // Subscript marks keep their place under the base whatever sign follows
    // (the font anchors them to the base): they are drawn right after the
    // base's body, before the glyphs of its sign.
    bool subscriptsFromBody = false;
};

// Glyph number -> code and font digit ('1' script font, '2' extension font).
struct GlyphCode {
    std::uint8_t code;  // 0: the converter's fonts do not hold it
    char digit;
};

// A glyph the converter's fonts hold only in pieces (or, for a converter
// that draws subscripts between a base's pieces, also whole): the pieces'
// glyph numbers, in drawing order (sorted by glyph for lookup).
struct Expansion {
    std::uint16_t glyph;
    std::uint16_t first;  // into the piece list
    std::uint8_t count;
    // A base merged with its sign: the pieces that draw the base's body (the
    // advance of the base alone), after which its subscripts go; 0: none.
    std::uint8_t bodyEnd = 0;
};

struct GlyphPieces {
    std::span<const Expansion> expansions;
    std::span<const std::uint16_t> pieces;
};

// Roman transliteration of one letter: up to four glyph codes.
struct RomanLetter {
    char16_t letter;
    std::uint8_t codes[4];
    std::uint8_t count;
};

}  // namespace vexa::family::engine
