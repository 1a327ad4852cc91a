// ASBCV32.DLL: Assamese ISCII to the glyph codes of its fonts, one syllable per call.

#include "bengali/bengali_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"

VEXA_CONVERTER_ENTRY(iscii2assamesezirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::bengali;
    vexa::family::engine::ConvertSyllable(kAsbcv32Rules, kIsMark, kAsbcv32Codes, source, output,
                                          consumed);
    return 1;
}
