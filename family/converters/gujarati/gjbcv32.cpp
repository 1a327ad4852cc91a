// GJBCV32.DLL: Gujarati ISCII to the glyph codes of its fonts, one syllable per call.

#include "gujarati/gujarati_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2gjzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::gujarati;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kGjbcv32Codes, source, output, consumed);
    return 1;
}
