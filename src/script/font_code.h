#pragma once

#include <string>
#include <string_view>

#include "script/converter_library.h"

namespace vexa::script {

// Switch bytes of a font-code run: the bytes that follow are drawn with the
// English, script or extension font.
inline constexpr unsigned char kEnglishFontSwitch = 0x02;
inline constexpr unsigned char kScriptFontSwitch = 0x03;
inline constexpr unsigned char kExtensionFontSwitch = 0x06;

// Converts mixed ISCII/English text (up to its first NUL) into a font-code
// run, one syllable at a time through `converter`. Line feeds are dropped;
// English bytes are copied; a space goes to the converter and is followed by
// a literal space. With `englishOnly` the text comes back unchanged.
std::string ToFontCodeRun(ConverterLibrary& converter, std::string_view text, bool englishOnly);

// ToFontCodeRun without the English and script switch bytes (extension
// switches stay).
std::string ToPlainFontCode(ConverterLibrary& converter, std::string_view text, bool englishOnly);

}  // namespace vexa::script
