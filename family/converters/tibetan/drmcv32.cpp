// DRMCV32.DLL: Bhutanese (Dzongkha) text to the glyph codes of its face, one stack per call.

#include "engine/converter_export.h"
#include "tibetan/tibetan_converter.h"
#include "tibetan/tibetan_tables.inc"

VEXA_CONVERTER_ENTRY(iscii2tibetanzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::tibetan;
    ConvertStack(kRules, kDrmcv32Codes, source, output, consumed);
    return 1;
}
