#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::test {

// The ISCII bytes of a UTF-8 Devanagari word, or nothing when the word holds
// a character ISCII has no code for.
std::optional<std::string> DevanagariToIscii(std::string_view utf8);

}  // namespace vexa::test
