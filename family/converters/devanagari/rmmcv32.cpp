// RMMCV32.DLL: Devanagari ISCII to Roman transliteration in the Latin face, one
// syllable per call.

#include "devanagari/devanagari_tables.inc"
#include "engine/converter_export.h"
#include "engine/roman_converter.h"

VEXA_CONVERTER_ENTRY(iscii2rmzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::devanagari;
    vexa::family::engine::ConvertSyllableToRoman(kRules, kRmmcv32Letters, source, output, consumed);
    return 1;
}
