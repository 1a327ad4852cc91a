// ASMCV32.DLL: Assamese ISCII to the glyph codes of its fonts, one syllable per call.

#include <span>

#include "bengali/bengali_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "engine/face_probe.h"

VEXA_CONVERTER_ENTRY(iscii2assamesezirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::bengali;
    // An installation without the extension face draws with the first face
    // alone; asked once per process.
    static const bool extension = vexa::family::engine::FaceInstalled(kAsmcv32ExtensionFace);
    const std::span<const GlyphCode> codes = extension ? std::span(kAsmcv32Codes) : std::span(kAsmcv32OneFaceCodes);
    vexa::family::engine::ConvertSyllable(kAsmcv32Rules, kIsMark, codes, source, output, consumed);
    return 1;
}
