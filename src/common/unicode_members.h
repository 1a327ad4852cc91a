#pragma once

#include <string>
#include <string_view>

#include "common/control_error.h"

namespace vexa::common {

// The Unicode twins of a control's text members. The text is stored as ISCII
// (8-bit, whatever the data format of the ISCII members); the control's
// script chooses the Unicode block, "English" reads and takes Latin-1.

// The stored ISCII as UTF-16: every stored code has a form (a code the
// script has no letter for is U+FFFD).
std::u16string UnicodeOfStored(std::string_view iscii, std::string_view scriptName);

// A host's UTF-16 text as the ISCII to store, or refused whole: the
// description names the first character the script cannot hold, as
// "U+0BA4 at position 3" (its index in the UTF-16 text, plus `offset` when
// the text is a part of a longer one). `keptControls` are the control
// characters the control stores.
Outcome StoredOfUnicode(std::u16string_view text, std::string_view scriptName, std::string& iscii,
                        std::u16string_view keptControls = u"\t\r\n", std::size_t offset = 0);

// Hands the ISCII of the host's UTF-16 text to `store` and returns what it
// returns; a text the script cannot hold is refused without calling it, so
// a write is whole or nothing.
template <class Store>
Outcome StoreUnicode(std::u16string_view text, std::string_view scriptName, Store&& store) {
    std::string iscii;
    if (Outcome refused = StoredOfUnicode(text, scriptName, iscii)) return refused;
    return store(std::move(iscii));
}

}  // namespace vexa::common
