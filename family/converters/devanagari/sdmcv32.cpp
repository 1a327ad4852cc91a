// SDMCV32.DLL: Devanagari ISCII to the glyph codes of its fonts, one syllable per call.

#include "devanagari/devanagari_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2devsanskritzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::devanagari;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kSdmcv32Codes, source, output, consumed);
    return 1;
}
