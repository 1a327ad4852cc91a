#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::script {

// 0 draws English with the script face (or its second face), 1 uses a
// separate monolingual second face.
enum class FontType : int { Bilingual = 0, Monolingual = 1 };

// One script of the catalogue; an empty string means "none".
struct ScriptEntry {
    std::string_view name;
    std::string_view code;
    std::string_view converterEntry;
    std::string_view monoConverter;
    std::string_view biConverter;
    std::string_view monoFace;
    std::string_view monoSecondFace;
    std::string_view monoExtensionFace;
    std::string_view biFace;
    std::string_view biSecondFace;
    std::string_view biExtensionFace;
};

inline constexpr int kCatalogueRows = 15;
inline constexpr int kEnglishName = -1;

// The fixed table of scripts, with the process-wide reach: the number of
// rows that lookups and listings see (14, or 15 once an edit control with
// monolingual fonts has set it, which brings "Vedic" into reach).
class ScriptCatalogue {
public:
    static const std::array<ScriptEntry, kCatalogueRows>& Rows();
    static const ScriptEntry& Row(int row);

    // 15 for font type 1, 14 for font type 0, unchanged for anything else.
    static void SetReach(int fontType);
    static int RowCount();

    // First row in reach whose name equals `name` exactly.
    static std::optional<int> FindRow(std::string_view name);

    static std::string_view ConverterFile(int row, int fontType);
    static std::string_view DefaultFace(int row, int fontType);
    static std::string_view ExtensionFace(int row, int fontType);

    // The face-name prefix the property pages filter installed fonts by;
    // empty when the script has none for the font type.
    static std::string_view FacePrefix(std::string_view scriptName, int fontType);
};

}  // namespace vexa::script
