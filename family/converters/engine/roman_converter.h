#pragma once

// Roman transliteration of Brahmic ISCII, one syllable per call: consonants
// carry their inherent vowel unless a vowel sign or a virama follows.

#include <span>

#include "engine/brahmic_tables.h"

namespace vexa::family::engine {

void ConvertSyllableToRoman(const Rules& rules, std::span<const RomanLetter> letters,
                            const unsigned char* source, char* output, int* consumed);

}  // namespace vexa::family::engine
