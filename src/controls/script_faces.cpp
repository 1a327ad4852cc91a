#include "controls/script_faces.h"

#include "script/script_catalogue.h"

namespace vexa::controls {

namespace {
bool OneOf(std::string_view s, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (s == n) return true;
    return false;
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

}  // namespace vexa::controls
