#pragma once

// Splits ISCII text into syllables for the Brahmic converters.
//
// A syllable is one of:
//   - a byte that draws nothing on its own: a space, the caret mark 0x01, an
//     English byte, a byte with no meaning in the script;
//   - a letter drawn alone (independent vowel, digit, danda, Vedic sign),
//     with the modifiers and Vedic accents that follow it;
//   - a consonant cluster: consonants joined by viramas, then at most one
//     vowel sign, modifiers and Vedic accents.
// The caret mark 0x01 inside a syllable is skipped and counted, so that the
// syllable draws the same with the caret in it.

#include <cstdint>
#include <string_view>

#include "engine/brahmic_tables.h"

namespace vexa::family::engine {

inline constexpr char16_t kZwj = 0x200D;
inline constexpr char16_t kZwnj = 0x200C;
// The invisible consonant (ISCII INV): carries signs, draws nothing itself.
inline constexpr char16_t kInvisible = 0xE000;

inline constexpr int kMaxConsonants = 6;
inline constexpr int kMaxModifiers = 4;
inline constexpr int kMaxAccents = 4;
inline constexpr int kMaxCoreLetters = kMaxConsonants * 4;

struct Syllable {
    enum class Kind { kNothing, kStandalone, kCluster };
    Kind kind = Kind::kNothing;
    int consumed = 1;
    // The bytes the reading looked at (consumed and what followed): the same
    // bytes read again give the same syllable.
    int examined = 1;

    char16_t letter = 0;  // kStandalone
    // kCluster: the cluster's letters (consonants, nuktas, viramas, ZWJ).
    char16_t core[kMaxCoreLetters];  // [0, coreLength) set
    int coreLength = 0;
    int consonants = 0;
    bool reph = false;
    bool geminate = false;  // the cluster's first consonant was doubled
    bool finalVirama = false;
    char16_t matra = 0;

    char16_t modifiers[kMaxModifiers];  // [0, modifierCount) set
    int modifierCount = 0;
    char16_t accents[kMaxAccents];  // [0, accentCount) set
    int accentCount = 0;

    std::u16string_view Core() const { return {core, static_cast<std::size_t>(coreLength)}; }
};

// Reads the syllable at source[0]; source is NUL-terminated and not empty.
Syllable ReadSyllable(const Rules& rules, const unsigned char* source);

bool IsConsonant(const Rules& rules, char16_t letter);
bool IsMatra(const Rules& rules, char16_t letter);
bool IsModifier(const Rules& rules, char16_t letter);
bool IsVedic(const Rules& rules, char16_t letter);

}  // namespace vexa::family::engine
