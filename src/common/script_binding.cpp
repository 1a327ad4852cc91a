#include "common/script_binding.h"

#include "common/script_faces.h"
#include "platform/family_library.h"
#include "script/converter_probe.h"
#include "script/script_catalogue.h"

namespace vexa::common {

using script::ScriptCatalogue;

namespace {

bool KnownFontType(int type) { return type == 0 || type == 1; }

// The bilingual rows every control but the edit control works with.
constexpr int kFixedRows = 14;

}  // namespace

ScriptBinding::ScriptBinding(const platform::Platform& platform, ScriptSettings& settings,
                             ScriptHost& host, BindingRules rules)
    : platform_(platform), settings_(settings), host_(host), rules_(rules), converter_(platform) {
    if (Fixed()) settings_.fontType = 0;
}

std::optional<int> ScriptBinding::FindRow(std::string_view name) const {
    if (Fixed()) {
        for (int row = 0; row < kFixedRows; ++row)
            if (ScriptCatalogue::Row(row).name == name) return row;
        return std::nullopt;
    }
    ScriptCatalogue::SetReach(settings_.fontType);
    return ScriptCatalogue::FindRow(name);
}

std::string ScriptBinding::EnglishFace(int row, const std::string& face) const {
    return Fixed() ? face : EnglishFaceForRow(row, face, settings_.fontType);
}

void ScriptBinding::LoadKeyboard(const std::string& scriptName) {
    if (Fixed()) return;
    const ScriptSettings& s = settings_;
    keyboard::LoadKeyboardSupport(platform_, {scriptName, s.keyboardType, s.linFile, s.fontType},
                                  keyboard_);
}

bool ScriptBinding::BindAtCreation(std::string_view controlName, std::string_view savedFace) {
    ScriptSettings& s = settings_;
    // The probe scans the rows in reach: those of this control's font type
    // (the fixed rules never set the reach).
    if (!Fixed() && KnownFontType(s.fontType)) ScriptCatalogue::SetReach(s.fontType);
    script::CreationBinding binding = script::BindConverterAtCreation(
        platform_, converter_, s.fontType, s.scriptName, controlName);
    if (!binding.proceed) return false;
    if (binding.choice.englishOnly) {
        englishScript_ = true;
        s.scriptName = std::string(script::kEnglishScriptName);
        s.fontName = std::string(script::kEnglishFaceName);  // what the text is drawn in
        active_ = {"", "", std::string(script::kEnglishFaceName),
                   std::string(script::kEnglishFaceName), s.scriptName};
        return true;
    }
    englishScript_ = false;
    int row = binding.choice.row;
    const script::ScriptEntry& entry = ScriptCatalogue::Row(row);
    s.scriptName = binding.choice.name;
    if (!FaceBelongsToRow(s.fontName, row, s.fontType)) {
        // A face of another script would draw these bytes as nonsense.
        s.fontName = FaceBelongsToRow(savedFace, row, s.fontType)
                         ? std::string(savedFace)
                         : std::string(ScriptCatalogue::DefaultFace(row, s.fontType));
    }
    active_ = {std::string(ScriptCatalogue::ConverterFile(row, s.fontType)),
               std::string(entry.converterEntry), s.fontName, EnglishFace(row, s.fontName),
               s.scriptName};
    LoadKeyboard(s.scriptName);
    return true;
}

void ScriptBinding::ApplyScript(const std::string& converterFile,
                                const std::string& converterEntry, const std::string& scriptFace,
                                const std::string& englishFace, const std::string& scriptName) {
    converter_.Unload();
    active_ = {converterFile, converterEntry, scriptFace, englishFace, scriptName};
    converter_.Load(converterFile, converterEntry);
    LoadKeyboard(scriptName);
}

void ScriptBinding::ApplyRow(int row) {
    const script::ScriptEntry& entry = ScriptCatalogue::Row(row);
    const ScriptSettings& s = settings_;
    ApplyScript(std::string(ScriptCatalogue::ConverterFile(row, s.fontType)),
                std::string(entry.converterEntry), s.fontName, EnglishFace(row, s.fontName),
                std::string(entry.name));
}

void ScriptBinding::SetScriptName(const std::string& name) {
    ScriptSettings& s = settings_;
    s.scriptName = name;
    if (Fixed()) {
        // English, or a name outside the rows, changes nothing but the stored
        // name: the text shown stays until the next rebuild.
        if (name == script::kEnglishScriptName) {
            englishScript_ = true;
            active_.scriptName = name;
        } else if (std::optional<int> row = FindRow(name)) {
            englishScript_ = false;
            ApplyRow(*row);
            SetFontName(std::string(ScriptCatalogue::DefaultFace(*row, 0)));
        }
        Modified();
        return;
    }
    if (name == script::kEnglishScriptName) {
        englishScript_ = true;
        active_.scriptName = name;
    } else if (KnownFontType(s.fontType)) {
        ScriptCatalogue::SetReach(s.fontType);
        if (std::optional<int> row = ScriptCatalogue::FindRow(name)) {
            englishScript_ = false;
            SetFontName(std::string(ScriptCatalogue::DefaultFace(*row, s.fontType)));
            ApplyRow(*row);
        }
    }
    host_.RebuildFonts();
    Modified();
}

void ScriptBinding::SetFontName(const std::string& face) {
    ScriptSettings& s = settings_;
    s.fontName = face;
    active_.scriptFace = face;
    if (Fixed()) {
        active_.englishFace = face;
        host_.RebuildFonts();
        Modified();
        return;
    }
    if (s.scriptName == script::kEnglishScriptName) {
        active_.englishFace = face;
    } else {
        ScriptCatalogue::SetReach(s.fontType);
        std::optional<int> row = ScriptCatalogue::FindRow(s.scriptName);
        if (!row) {
            Modified();
            return;
        }
        active_.englishFace = EnglishFaceForRow(*row, face, s.fontType);
    }
    host_.RebuildFonts();
    Modified();
}

void ScriptBinding::SetFontSize(std::int16_t size) {
    settings_.fontSize = size;
    host_.RebuildFonts();
    Modified();
}

void ScriptBinding::SetFontType(std::int16_t type) {
    settings_.fontType = type;  // takes effect at the next script or keyboard change
    Modified();
}

void ScriptBinding::SetKeyboardType(std::int16_t type) {
    ScriptSettings& s = settings_;
    s.keyboardType = type;
    if (!Fixed() && s.scriptName != script::kEnglishScriptName && KnownFontType(s.fontType)) {
        ScriptCatalogue::SetReach(s.fontType);
        if (std::optional<int> row = ScriptCatalogue::FindRow(s.scriptName)) {
            englishScript_ = false;
            ApplyRow(*row);
        }
    }
    Modified();
}

void ScriptBinding::SetLinFile(const std::string& file) {
    settings_.linFile = file;
    if (!Fixed() && settings_.keyboardType == 2) {
        SetKeyboardType(settings_.keyboardType);
        return;
    }
    Modified();
}

void ScriptBinding::SetDisableEnglish(bool on) {
    settings_.disableEnglish = on;
    Modified();
}

std::string ScriptBinding::GetScriptList() const {
    const int fontType = settings_.fontType;
    auto loads = [&](int row) {
        std::string_view file = ScriptCatalogue::ConverterFile(row, fontType);
        return !file.empty() && platform::FamilyLibraryExists(platform_, std::string(file));
    };
    bool any = false;
    for (int row = 0; row < 14 && !any; ++row) any = loads(row);
    if (!any) return std::string(script::kEnglishScriptName) + ";";
    if (!Fixed() && KnownFontType(fontType)) ScriptCatalogue::SetReach(fontType);
    std::string list;
    for (int row = 0; row < ScriptCatalogue::RowCount(); ++row)
        if (loads(row)) list.append(ScriptCatalogue::Row(row).name).append(";");
    return list;
}

std::string ScriptBinding::GetFontList() const {
    const ScriptSettings& s = settings_;
    if (s.scriptName == script::kEnglishScriptName) return std::string(script::kEnglishScriptName);
    if (KnownFontType(s.fontType)) ScriptCatalogue::SetReach(s.fontType);
    std::optional<int> row = ScriptCatalogue::FindRow(s.scriptName);
    if (!row) return {};
    const script::ScriptEntry& entry = ScriptCatalogue::Row(*row);
    if (s.fontType == 1) return std::string(entry.monoFace) + ";";
    if (s.fontType != 0) return {};
    std::string list = std::string(entry.biFace) + ";";
    bool ownSecond = entry.name == "Bhutanese" || entry.name == "Sanskrit" || entry.name == "Tibetan";
    if (!entry.biExtensionFace.empty() && !ownSecond) list.append(entry.biExtensionFace).append(";");
    return list;
}

DrawingScript ScriptBinding::FixedBilingualDrawing() const {
    DrawingScript d;
    d.scriptName = active_.scriptName.empty() ? settings_.scriptName : active_.scriptName;
    d.scriptFace = settings_.fontName;
    d.englishFace = settings_.fontName;
    d.fontSize = settings_.fontSize;
    d.fontType = 0;
    d.keyboardType = settings_.keyboardType;
    d.disableEnglish = settings_.disableEnglish;
    d.englishScript = DrawsEnglish();
    return d;
}

}  // namespace vexa::common
