#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vexa::pages {

// The scripts a general page offers: every row of the catalogue (rows 0 to
// 13; 0 to 14 with monolingual faces) whose converter library of the font
// type loads, in catalogue order. Only "English" when none loads.
std::vector<std::string> AvailableScripts(const platform::Platform& platform, int fontType);

// The installed faces that draw a script: those whose name holds the
// script's face prefix of the font type anywhere (a case-sensitive
// substring test), in the order given. A script without a prefix lists
// every face.
std::vector<std::string> FacesOfScript(const std::vector<std::string>& installedFaces,
                                       std::string_view scriptName, int fontType);

// The index of a script in the pages' typewriter lists, by the first two
// letters of its name: "As" 0, "Be" 1, "Bh" 2, "De" 3, "Gu" 4, "Ka" 5,
// "Ma" 6, "Or" 7, "Pu" 8, "Ro" 9, "Sa" 10, "Ta" 11, "Te" 12, else 13.
int ScriptIndex(std::string_view scriptName);

inline constexpr int kScriptIndexCount = 14;

}  // namespace vexa::pages
