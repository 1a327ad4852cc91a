#include "pages/general_page_model.h"

#include <algorithm>
#include <cctype>

#include "defaults/default_values.h"
#include "script/converter_probe.h"
#include "script/script_catalogue.h"

namespace vexa::pages {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// A row of the catalogue the page's font type reaches, by exact name.
bool IsCatalogueScript(std::string_view name, int fontType) {
    const int rows = fontType == 1 ? script::kCatalogueRows : script::kCatalogueRows - 1;
    for (int row = 0; row < rows; ++row)
        if (script::ScriptCatalogue::Row(row).name == name) return true;
    return false;
}

}  // namespace

GeneralPageModel::GeneralPageModel(const platform::Platform& platform,
                                   std::vector<std::string> installedFaces,
                                   LayoutFileLister listLayoutFiles, int fontType)
    : platform_(platform),
      installed_(std::move(installedFaces)),
      listLayoutFiles_(std::move(listLayoutFiles)),
      fontType_(fontType) {}

void GeneralPageModel::Open(const GeneralChoice& control) {
    scripts_ = AvailableScripts(platform_, fontType_);
    choice_ = control;
    if (scripts_.size() == 1 && scripts_.front() == script::kEnglishScriptName) {
        choice_.scriptName = std::string(script::kEnglishScriptName);
        faces_ = {std::string(script::kEnglishFaceName)};
        choice_.fontName = faces_.front();
    } else {
        faces_ = choice_.scriptName == script::kEnglishScriptName
                     ? std::vector<std::string>{}
                     : FacesOfScript(installed_, choice_.scriptName, fontType_);
        if (!Contains(faces_, choice_.fontName) && !faces_.empty()) choice_.fontName = faces_.front();
    }
    typewriterSelection_ = -1;
    if (TypewriterEnabled()) RefillTypewriters(control.linFile);
}

const std::vector<TypewriterKeyboard>& GeneralPageModel::Keyboards() const {
    static const std::vector<TypewriterKeyboard> kNone;
    return typewriters_ ? KeyboardsForScript(*typewriters_, choice_.scriptName) : kNone;
}

std::vector<std::string> GeneralPageModel::TypewriterNames() const {
    std::vector<std::string> names;
    if (!TypewriterEnabled()) return names;
    for (const TypewriterKeyboard& k : Keyboards()) names.push_back(k.name);
    return names;
}

// Builds the lists the first time, then selects the keyboard of `keep` when
// the script has it, else the first one. With no keyboard for the script the
// layout file stays as it was (an empty one would leave nothing to load).
void GeneralPageModel::RefillTypewriters(const std::string& keep) {
    if (!typewriters_) typewriters_ = BuildTypewriterLists(platform_, listLayoutFiles_());
    const auto& keyboards = Keyboards();
    typewriterSelection_ = -1;
    for (std::size_t i = 0; i < keyboards.size(); ++i)
        if (SameName(keyboards[i].file, keep)) typewriterSelection_ = static_cast<int>(i);
    if (typewriterSelection_ < 0 && !keyboards.empty()) typewriterSelection_ = 0;
    if (typewriterSelection_ >= 0) choice_.linFile = keyboards[static_cast<std::size_t>(typewriterSelection_)].file;
}

void GeneralPageModel::ChooseScript(const std::string& name) {
    choice_.scriptName = name;
    if (IsCatalogueScript(name, fontType_)) {
        faces_ = FacesOfScript(installed_, name, fontType_);
        choice_.fontName = faces_.empty() ? std::string() : faces_.front();
    }
    if (TypewriterEnabled()) RefillTypewriters(std::string());
}

void GeneralPageModel::ChooseFace(const std::string& face) {
    if (Contains(faces_, face)) choice_.fontName = face;
}

void GeneralPageModel::ChooseKeyboard(int kind) {
    if (kind < 0 || kind > 2) return;
    choice_.keyboardKind = kind;
    typewriterSelection_ = -1;
    if (kind == 2) RefillTypewriters(std::string());
}

void GeneralPageModel::ChooseTypewriter(int position) {
    const auto& keyboards = Keyboards();
    if (!TypewriterEnabled() || position < 0 || position >= static_cast<int>(keyboards.size())) return;
    typewriterSelection_ = position;
    choice_.linFile = keyboards[static_cast<std::size_t>(position)].file;
}

void GeneralPageModel::ChooseFontType(int fontType) {
    if (fontType != 0 && fontType != 1) return;
    fontType_ = fontType;
    scripts_ = AvailableScripts(platform_, fontType_);
    const std::string keep = Contains(scripts_, choice_.scriptName) ? choice_.scriptName : scripts_.front();
    if (keep == script::kEnglishScriptName && scripts_.size() == 1) {
        choice_.scriptName = keep;
        faces_ = {std::string(script::kEnglishFaceName)};
        choice_.fontName = faces_.front();
        return;
    }
    ChooseScript(keep);
}

bool IsStorableSize(std::string_view size) {
    return !size.empty() && size.size() <= 4 &&
           std::all_of(size.begin(), size.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool GeneralPageModel::SetCurrentDefaults(platform::RegistryStore& registry,
                                          const std::string& fontSize) const {
    if (!IsStorableSize(fontSize)) return false;
    defaults::DefaultValuesRecord record;
    record.scriptName = choice_.scriptName;
    record.fontName = choice_.fontName;
    record.fontSize = fontSize;
    record.keyboardType = std::to_string(choice_.keyboardKind);
    return defaults::SaveDefaultValues(registry, record, 0);
}

bool GeneralPageModel::RestoreFactoryDefaults(platform::RegistryStore& registry) {
    const defaults::DefaultValuesRecord factory = defaults::FactoryDefaultValues();
    const bool saved = defaults::SaveDefaultValues(registry, factory, 0);
    if (Contains(scripts_, factory.scriptName)) ChooseScript(factory.scriptName);
    ChooseFace(factory.fontName);
    ChooseKeyboard(0);
    return saved;
}

}  // namespace vexa::pages
