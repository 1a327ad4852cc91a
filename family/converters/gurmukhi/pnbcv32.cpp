// PNBCV32.DLL: Punjabi (Gurmukhi) ISCII to the glyph codes of its fonts, one syllable per call.

#include "gurmukhi/gurmukhi_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2punjabizirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::gurmukhi;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kPnbcv32Codes, source, output, consumed);
    return 1;
}
