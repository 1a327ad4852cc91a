#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "script/converter_library.h"

namespace vexa::script {

inline constexpr std::string_view kEnglishScriptName = "English";
inline constexpr std::string_view kEnglishFaceName = "Roman";

// The script a control settles on when its window is created.
struct ScriptChoice {
    bool englishOnly = true;  // no converter file of the font type loads
    int row = -1;             // the chosen row, -1 in English-only mode
    std::string name;         // the script name the control takes
};

// Probes the converter files of rows 0 to 13 of `fontType`; when one loads,
// scans the rows in reach and picks the first loadable row named
// `requestedName`, else the last loadable row.
ScriptChoice ChooseScriptAtCreation(const platform::Platform& platform, int fontType,
                                    std::string_view requestedName);

// Chooses the script, loads its converter into `converter`, and when no
// conversion function could be bound asks the user whether to go on.
// Returns false when the user answers No (creation fails).
struct CreationBinding {
    ScriptChoice choice;
    bool proceed = true;
};
CreationBinding BindConverterAtCreation(const platform::Platform& platform,
                                        ConverterLibrary& converter, int fontType,
                                        std::string_view requestedName,
                                        std::string_view controlName = "VEdit");

}  // namespace vexa::script
