// BNMCV32.DLL: Bengali ISCII to the glyph codes of its fonts, one syllable per call.

#include <span>

#include "bengali/bengali_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "engine/face_probe.h"

VEXA_CONVERTER_ENTRY(iscii2bengalizirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::bengali;
    // An installation without the extension face draws with the first face
    // alone; asked once per process.
    static const bool extension = vexa::family::engine::FaceInstalled(kBnmcv32ExtensionFace);
    const std::span<const GlyphCode> codes = extension ? std::span(kBnmcv32Codes) : std::span(kBnmcv32OneFaceCodes);
    vexa::family::engine::ConvertSyllable(kRules, kIsMark, codes, source, output, consumed);
    return 1;
}
