#include "pages/script_lists.h"

#include <array>

#include "platform/family_library.h"
#include "script/converter_probe.h"
#include "script/script_catalogue.h"

namespace vexa::pages {

std::vector<std::string> AvailableScripts(const platform::Platform& platform, int fontType) {
    const int rows = fontType == 1 ? script::kCatalogueRows : script::kCatalogueRows - 1;
    std::vector<std::string> names;
    for (int row = 0; row < rows; ++row) {
        const std::string file(script::ScriptCatalogue::ConverterFile(row, fontType));
        if (!file.empty() && platform::FamilyLibraryExists(platform, file))
            names.emplace_back(script::ScriptCatalogue::Row(row).name);
    }
    if (names.empty()) names.emplace_back(script::kEnglishScriptName);
    return names;
}

std::vector<std::string> FacesOfScript(const std::vector<std::string>& installedFaces,
                                       std::string_view scriptName, int fontType) {
    const std::string_view prefix = script::ScriptCatalogue::FacePrefix(scriptName, fontType);
    std::vector<std::string> faces;
    for (const std::string& face : installedFaces)
        if (face.find(prefix) != std::string::npos) faces.push_back(face);
    return faces;
}

int ScriptIndex(std::string_view scriptName) {
    static constexpr std::array<std::string_view, 13> kStarts{
        "As", "Be", "Bh", "De", "Gu", "Ka", "Ma", "Or", "Pu", "Ro", "Sa", "Ta", "Te"};
    for (std::size_t i = 0; i < kStarts.size(); ++i)
        if (scriptName.substr(0, 2) == kStarts[i]) return static_cast<int>(i);
    return kScriptIndexCount - 1;
}

}  // namespace vexa::pages
