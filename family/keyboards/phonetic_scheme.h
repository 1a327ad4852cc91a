#pragma once

#include <string>
#include <string_view>

// The phonetic keyboard's spelling of ISCII: an ITRANS-style scheme in which
// English letters spell the sounds ("namaste" spells the ISCII word
// C6 CC D7 E8 C2 E1). The scheme is described in docs/phonetic-keyboard.md.
namespace vexa::family::phonetic {

// The ISCII word that `keys` spells. Runs of ISCII bytes (0xA0 and above)
// in `keys` stand for the text already typed: each run is read as its own
// spelling, so keys typed after it combine with it as if the whole word had
// been typed.
std::string MakeIscii(std::string_view keys);

// Key text from which MakeIscii gives `iscii` back. Bytes the scheme cannot
// spell stay as ISCII bytes in the key text; a word whose spelling would not
// read back (or would not fit in `limit` bytes) is given back unchanged.
std::string SpellIscii(std::string_view iscii, std::size_t limit);

}  // namespace vexa::family::phonetic
