#include "common/script_faces.h"

#include <cctype>
#include <initializer_list>

#include "script/script_catalogue.h"

namespace vexa::common {

namespace {
bool OneOf(std::string_view s, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (s == n) return true;
    return false;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string DeriveSecondFace(std::string_view face, std::string_view script) {
    std::size_t dash = face.find('-');
    if (dash == std::string_view::npos) return std::string(face);
    std::string out(face.substr(0, dash));
    out += OneOf(script, {"Bhutanese", "Tibetan"}) ? "3" : "1";
    out.append(face.substr(dash));
    return out;
}

std::string EnglishFaceForRow(int row, std::string_view fontName, int fontType) {
    const script::ScriptEntry& entry = script::ScriptCatalogue::Row(row);
    if (fontType == 1) {
        if (fontName == entry.monoFace && !entry.monoSecondFace.empty())
            return std::string(entry.monoSecondFace);
        return DeriveSecondFace(fontName, entry.name);
    }
    if (OneOf(entry.name, {"Bhutanese", "Sanskrit", "Tibetan"})) return std::string(entry.biSecondFace);
    return std::string(fontName);
}

bool FaceBelongsToRow(std::string_view face, int row, int fontType) {
    using script::ScriptCatalogue;
    const script::ScriptEntry& entry = ScriptCatalogue::Row(row);
    const std::string_view second = fontType == 1 ? entry.monoSecondFace : entry.biSecondFace;
    for (std::string_view own : {ScriptCatalogue::DefaultFace(row, fontType), second,
                                 ScriptCatalogue::ExtensionFace(row, fontType)}) {
        if (!own.empty() && SameLetters(face, own)) return true;
    }
    const std::string_view prefix = ScriptCatalogue::FacePrefix(entry.name, fontType);
    return !prefix.empty() && face.find(prefix) != std::string_view::npos;
}

}  // namespace vexa::common
