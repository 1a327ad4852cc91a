#include "common/script_fonts.h"

#include <cstdlib>

#include "common/text_bytes.h"
#include "script/font_code.h"
#include "script/script_catalogue.h"

namespace vexa::common {

using namespace text;

namespace {

// The face field of a LOGFONT holds 31 characters and a terminator.
constexpr std::size_t kFaceLimit = 31;

void PatchTable(ScriptFonts::Table& table) {
    table[kTab] = kTabStop;
    for (unsigned char b : {kHardBreak, kLineFeed, kSoftBreakSpace, kSoftBreakTab, kForcedBreak}) {
        table[b] = 0;
    }
}

std::string ExtensionFace(const DrawingScript& script, const std::string& previous) {
    if (auto row = script::ScriptCatalogue::FindRow(script.scriptName)) {
        return std::string(script::ScriptCatalogue::ExtensionFace(*row, script.fontType));
    }
    // No row (English): keep the face in use, else the script font's face.
    if (!previous.empty()) return previous;
    return script.englishScript ? "Roman" : script.scriptFace;
}

}  // namespace

void ScriptFonts::MakeFontDescriptions(platform::Surface& surface, const DrawingScript& script,
                                       int pointSize) {
    // MulDiv rounds to nearest.
    const long dpi = surface.LogPixelsY();
    const long height = (static_cast<long>(pointSize) * dpi + 36) / 72;
    const std::string faces[3] = {
        script.englishScript ? "Roman" : script.scriptFace,
        script.englishScript ? "Roman" : script.englishFace,
        ExtensionFace(script, descriptions_[2].face),
    };
    for (int i = 0; i < 3; ++i) {
        platform::FontDescription d;
        d.face = faces[i].substr(0, kFaceLimit);
        d.height = static_cast<int>(std::labs(height));
        descriptions_[i] = d;
    }
    const int h = descriptions_[0].height;
    lineHeight_ = h + h / 5;
}

void ScriptFonts::BuildWidthTables(platform::Fonts& fonts, platform::Surface& surface,
                                   const DrawingScript& script, bool password,
                                   bool readExtension) {
    for (int i = 0; i < 3; ++i) fonts_[i] = fonts.Create(descriptions_[i]);
    Table& scriptTable = tables_[0];
    Table& englishTable = tables_[1];

    surface.SelectFont(fonts_[0].get());
    if (!password) {
        scriptTable = surface.CharWidths();
    } else {
        const int star = surface.CharWidth('*');
        scriptTable.fill(script.englishScript ? star : star / 2);
    }
    PatchTable(scriptTable);
    if (script.IsTibetan()) scriptTable[' '] = scriptTable[0xA1];

    surface.SelectFont(fonts_[1].get());
    if (!password) {
        englishTable = surface.CharWidths();
    } else {
        englishTable.fill(surface.CharWidth('*'));
    }
    PatchTable(englishTable);
    englishTable[' '] = scriptTable[' '];

    if (readExtension && !password) {
        surface.SelectFont(fonts_[2].get());
        tables_[2] = surface.CharWidths();
    }
    surface.SelectFont(nullptr);
    built_ = true;
}

int ScriptFonts::MeasureRun(std::string_view run, long maxBytes) const {
    std::size_t n = run.size();
    if (maxBytes >= 0 && static_cast<std::size_t>(maxBytes) < n) n = static_cast<std::size_t>(maxBytes);
    const Table* table = &tables_[0];
    int width = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(run[i]);
        if (IsLineEnd(b)) break;
        switch (b) {
            case script::kEnglishFontSwitch: table = &tables_[1]; continue;
            case script::kScriptFontSwitch: table = &tables_[0]; continue;
            case script::kExtensionFontSwitch: table = &tables_[2]; continue;
            default: break;
        }
        if (b == ' ' && tibetan_) {
            width += tibetanSpace_;
        } else {
            width += (*table)[b];
        }
        if (b == kTab) width -= width % kTabStop;
    }
    return width;
}

}  // namespace vexa::common
