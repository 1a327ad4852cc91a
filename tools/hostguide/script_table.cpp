#include "hostguide/script_table.h"

#include <string>
#include <string_view>

#include "script/script_catalogue.h"

namespace vexa::hostguide {

namespace {

std::string Face(std::string_view face) { return face.empty() ? "none" : "`" + std::string(face) + "`"; }

}  // namespace

void WriteScriptTable(std::ostream& out) {
    out << "## Scripts, converters and faces\n\n"
        << "`ScriptName` takes the names below. Each script is drawn through its converter library "
        << "(bilingual or monolingual, by `FontType`) in its script face, its English face (for the "
        << "bilingual type the script face itself where none is named) and its extension face. "
        << "Install the faces with the libraries ([deployment](deployment.md)).\n\n"
        << "The extension faces `AS2-TTBelmo` (Assamese, monolingual), `BN2-TTBelmo` (Bengali, "
        << "monolingual), `DV2-TTDorvan` (Devanagari, monolingual), `TL2-TTQuilan` and "
        << "`TLB-TTQuilanEN` (Telugu) are newer than the others: they hold the conjuncts, subscripts "
        << "and mark placements that did not fit in the script face. Where a system lacks one, its "
        << "converter finds out when it is first used and draws every syllable with the script face "
        << "alone, with half forms, pieces or a visible virama in place of the missing glyphs.\n\n"
        << "| Script | Code | Converter (bilingual, monolingual) | Bilingual faces (script, English, extension) "
        << "| Monolingual faces (script, English, extension) |\n|---|---|---|---|---|\n";
    for (const script::ScriptEntry& e : script::ScriptCatalogue::Rows()) {
        out << "| " << e.name << " | " << e.code << " | "
            << (e.biConverter.empty() ? "none" : "`" + std::string(e.biConverter) + "`") << ", `"
            << e.monoConverter << "` | " << Face(e.biFace) << ", " << Face(e.biSecondFace) << ", "
            << Face(e.biExtensionFace) << " | " << Face(e.monoFace) << ", " << Face(e.monoSecondFace)
            << ", " << Face(e.monoExtensionFace) << " |\n";
    }
    out << "\n";
}

}  // namespace vexa::hostguide
