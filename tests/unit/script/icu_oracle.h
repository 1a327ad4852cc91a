#pragma once

// ICU's ISCII converters as the oracle of the Unicode conversion (tests only).

#include <optional>
#include <string>
#include <string_view>

#include "script/unicode_text.h"

namespace vexa::script::testing {

// ICU's converter version for a script ("ISCII,version=N"); Assamese uses
// the Bengali one. None for English and Tibetan, which ISCII has no code for.
std::optional<int> IcuVersion(UnicodeScript script);

std::u16string IcuToUnicode(int version, std::string_view iscii);

// ICU's ISCII with its script attributes (0xEF and the script byte) removed:
// the control's script is fixed, its text holds no attribute codes. None when
// ICU substitutes a character it cannot write.
std::optional<std::string> IcuFromUnicode(int version, std::u16string_view text);

// Canonical decomposition, to compare texts that differ only in composed
// or decomposed nukta letters.
std::u16string Nfd(std::u16string_view text);
std::u16string Nfc(std::u16string_view text);

std::u16string FromUtf8(std::string_view utf8);
std::string Hex(std::u16string_view text);
std::string Hex(std::string_view bytes);

}  // namespace vexa::script::testing
