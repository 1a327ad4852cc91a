// ORMCV32.DLL: Oriya ISCII to the glyph codes of its fonts, one syllable per call.

#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "oriya/oriya_tables.inc"

VEXA_CONVERTER_ENTRY(iscii2oriyazirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::oriya;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kOrmcv32Codes, source, output, consumed);
    return 1;
}
