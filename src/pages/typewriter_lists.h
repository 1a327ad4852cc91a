#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pages/script_lists.h"
#include "platform/platform.h"

namespace vexa::pages {

// A typewriter keyboard a page offers: its layout file and the display name
// its library gives. Each name stays with its own file, so choosing a name
// always stores that keyboard's file.
struct TypewriterKeyboard {
    std::string file;
    std::string name;
    friend bool operator==(const TypewriterKeyboard&, const TypewriterKeyboard&) = default;
};

using TypewriterLists = std::array<std::vector<TypewriterKeyboard>, kScriptIndexCount>;

// Sorts the layout files found in the system directory into the lists of
// the script indices ("as" 0, "bn" 1, "dr" 2, "dv" 3, "gj" 4, "kn" 5, "ml"
// 6, "or" 7, "pn" 8, "tm" 11, "tl" 12, others 13), letter case aside.
// Only typewriter layouts count: a name the layout loader would refuse, an
// Inscript layout (third letter "0") and the phonetic layout ("pe1") are
// passed over, so no other library is ever loaded. Each layout's library
// is loaded by full path for its "get_lay_name" and released at once; a
// library that does not load is told ("Typewriter Dll couldn't be loaded")
// and one without a name is skipped silently.
TypewriterLists BuildTypewriterLists(const platform::Platform& platform,
                                     std::vector<std::string> layoutFiles);

// The keyboards offered for a script. "Bhutanese", "Roman" and "Sanskrit"
// type with the Devanagari typewriter, so they are offered its list when
// they have none of their own.
const std::vector<TypewriterKeyboard>& KeyboardsForScript(const TypewriterLists& lists,
                                                          std::string_view scriptName);

inline constexpr std::string_view kTypewriterLoadFailed = "Typewriter Dll couldn't be loaded";

}  // namespace vexa::pages
