#pragma once

// What `make demo` tells a newcomer about the text a control holds: the
// container logs strings with \xHH escapes for every byte outside printable
// ASCII; these helpers turn such a string back into its bytes and show them
// as ISCII codes and as Unicode.

#include <optional>
#include <string>
#include <string_view>

namespace vexa::demo {

// The bytes of a string as the container logs it (without the quotes):
// "\xHH" is the byte HH, every other character is itself. nullopt when an
// escape is cut short or not hexadecimal.
std::optional<std::string> UnescapeLogged(std::string_view logged);

// "C6 CC 0D 41": the bytes in hexadecimal, one space between.
std::string HexBytes(std::string_view bytes);

// UTF-16 to UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string Utf8(std::u16string_view text);

// "U+0928 U+092E": the code points of the text.
std::string CodePoints(std::u16string_view text);

}  // namespace vexa::demo
