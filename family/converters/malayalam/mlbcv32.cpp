// MLBCV32.DLL: Malayalam ISCII to the codes of the bilingual face, one syllable per call.

#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "malayalam/malayalam_tables.inc"

VEXA_CONVERTER_ENTRY(iscii2malayalamzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::malayalam;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kMlbcv32Codes, source, output, consumed);
    return 1;
}
