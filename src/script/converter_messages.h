#pragma once

#include <string>
#include <string_view>

namespace vexa::script {

// Caption of the missing-converter question: the control's name, then
// " Control - WARNING" ("VEdit Control - WARNING").
inline std::string MissingConverterCaption(std::string_view controlName) {
    return std::string(controlName) + " Control - WARNING";
}

inline constexpr std::string_view kMissingMonolingualText =
    "The required Monolingual Dlls not found. Due to this your application may not work "
    "properly. Do you still want to continue ?";
inline constexpr std::string_view kMissingBilingualText =
    "The required Bilingual Dlls not found. Due to this your application may not work "
    "properly. Do you still want to continue ?";

inline std::string_view MissingConverterText(int fontType) {
    return fontType == 1 ? kMissingMonolingualText : kMissingBilingualText;
}

}  // namespace vexa::script
