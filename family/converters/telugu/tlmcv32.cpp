// TLMCV32.DLL: Telugu ISCII to the glyph codes of its fonts, one syllable per call.

#include <span>

#include "telugu/telugu_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/converter_export.h"
#include "engine/face_probe.h"

VEXA_CONVERTER_ENTRY(iscii2teluguzirvo) {
    (void)reserved;
    (void)flags;
    if (source == nullptr || output == nullptr || consumed == nullptr) return 0;
    using namespace vexa::family::telugu;
    // An installation without the extension face draws with the first face
    // alone; asked once per process.
    static const bool extension = vexa::family::engine::FaceInstalled(kTlmcv32ExtensionFace);
    const std::span<const GlyphCode> codes = extension ? std::span(kTlmcv32Codes) : std::span(kTlmcv32OneFaceCodes);
    const GlyphPieces* pieces = extension ? &kTlmcv32Pieces : &kTlmcv32OneFacePieces;
    vexa::family::engine::ConvertSyllable(kRules, &kBelowBase, kIsMark, codes, pieces, source, output, consumed);
    return 1;
}
