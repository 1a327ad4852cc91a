// KNBCV32.DLL: Kannada ISCII to the glyph codes of its fonts, one syllable per call.

#include "kannada/kannada_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2kannadazirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::kannada;
    vexa::family::engine::ConvertSyllable(kRules, &kBelowBase, kIsMark, kKnbcv32Codes, &kKnbcv32Pieces,
                                          source, output, consumed);
    return 1;
}
