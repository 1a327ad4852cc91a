#pragma once

#include <cstdint>
#include <string>

namespace vexa::common {

// The settings every script-aware control carries and persists: the script,
// its font, the keyboard that types it, and the two flags that tie the
// control to its kind's settings file.
struct ScriptSettings {
    std::string scriptName;
    std::string fontName;
    std::int16_t fontSize = 0;
    std::int16_t keyboardType = 0;  // 0 Inscript, 1 Phonetic, 2 Typewriter
    std::string linFile = "dv1lay.lin";
    bool disableEnglish = false;
    bool accessGlobal = false;    // take the settings from the kind's file
    bool globalSettings = false;  // write them there when saved at design time
    // 0 bilingual, 1 monolingual faces. Only the edit control offers the
    // choice; every other control keeps the bilingual faces.
    std::int16_t fontType = 0;
};

// The five strings of the script a control draws with.
struct ActiveScript {
    std::string converterFile;
    std::string converterEntry;
    std::string scriptFace;
    std::string englishFace;
    std::string scriptName;
};

}  // namespace vexa::common
