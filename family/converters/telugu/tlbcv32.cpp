// TLBCV32.DLL: Telugu ISCII to the glyph codes of its fonts, one syllable per call.

#include "telugu/telugu_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2teluguzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::telugu;
    vexa::family::engine::ConvertSyllable(kRules, &kBelowBase, kIsMark, kTlbcv32Codes, &kTlbcv32Pieces,
                                          source, output, consumed);
    return 1;
}
