// TMMCV32.DLL: Tamil ISCII to the codes of the monolingual face, one syllable per call.

#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "tamil/tamil_tables.inc"

VEXA_CONVERTER_ENTRY(iscii2tamilzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::tamil;
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, kTmmcv32Codes, source, output, consumed);
    return 1;
}
