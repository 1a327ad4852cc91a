#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/typewriter_lists.h"
#include "platform/platform.h"
#include "platform/registry_store.h"

namespace vexa::pages {

// The script, face and keyboard a general page shows and applies.
struct GeneralChoice {
    std::string scriptName;
    std::string fontName;
    int keyboardKind = 0;  // 0 Inscript, 1 Phonetic, 2 Typewriter
    std::string linFile;
    friend bool operator==(const GeneralChoice&, const GeneralChoice&) = default;
};

// The lists of a general page and the rules that tie them together: the
// scripts whose converters load, the installed faces of the chosen script,
// and the typewriter keyboards of that script. The dialog only mirrors it.
class GeneralPageModel {
public:
    using LayoutFileLister = std::function<std::vector<std::string>()>;

    // `installedFaces`: every font family of the machine, in enumeration
    // order. `listLayoutFiles`: the *.lin file names of the system
    // directory, asked for the first time a typewriter list is needed.
    GeneralPageModel(const platform::Platform& platform, std::vector<std::string> installedFaces,
                     LayoutFileLister listLayoutFiles, int fontType = 0);

    // Fills the lists for the control's current values.
    void Open(const GeneralChoice& control);

    const std::vector<std::string>& Scripts() const { return scripts_; }
    const std::vector<std::string>& Faces() const { return faces_; }
    const GeneralChoice& Choice() const { return choice_; }
    int FontType() const { return fontType_; }

    // The typewriter list: enabled with the Typewriter kind only.
    bool TypewriterEnabled() const { return choice_.keyboardKind == 2; }
    std::vector<std::string> TypewriterNames() const;
    int TypewriterSelection() const { return typewriterSelection_; }  // -1: none

    void ChooseScript(const std::string& name);
    void ChooseFace(const std::string& face);
    void ChooseKeyboard(int kind);
    void ChooseTypewriter(int position);
    // The edit control's page: bilingual (0) or monolingual (1) faces.
    void ChooseFontType(int fontType);

    // "Set Current Defaults": the chosen script, face, the size shown and
    // the keyboard kind into the registry store (group 0). A size that is
    // not a number the store can give back (1 to 4 digits) writes nothing.
    bool SetCurrentDefaults(platform::RegistryStore& registry, const std::string& fontSize) const;
    // "Restore Factory Defaults": the factory values into the registry store
    // (group 0), then Devanagari, DVB-TTDorvan and Inscript chosen on the
    // page where the lists offer them. The page shows size "18".
    bool RestoreFactoryDefaults(platform::RegistryStore& registry);

private:
    const std::vector<TypewriterKeyboard>& Keyboards() const;
    void RefillTypewriters(const std::string& keep);

    const platform::Platform& platform_;
    std::vector<std::string> installed_;
    LayoutFileLister listLayoutFiles_;
    std::optional<TypewriterLists> typewriters_;  // built on the first need
    int fontType_;
    std::vector<std::string> scripts_;
    std::vector<std::string> faces_;
    GeneralChoice choice_;
    int typewriterSelection_ = -1;
};

inline constexpr std::string_view kFactorySize = "18";

// A font size the registry store reads back whole: 1 to 4 decimal digits.
bool IsStorableSize(std::string_view size);

}  // namespace vexa::pages
