#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "keyboard/keyboard_abi.h"
#include "keyboard/keyboard_files.h"
#include "platform/platform.h"

namespace vexa::keyboard {

// Calls "make_iscii" on a word's key text (cut at its first 0x00 byte) and
// returns the ISCII word. The output buffer is zero-filled, larger than the
// contract asks, and terminated at its last byte before it is read, so a
// library that writes too much cannot make the module read past it.
std::string CallMakeIscii(VexaMakeIsciiFn makeIscii, std::string_view keys);

// Calls "Iscii2Ascii" on an ISCII word and returns its key text, with the
// same buffer rules.
std::string CallIscii2Ascii(VexaIscii2AsciiFn iscii2Ascii, std::string_view iscii);

// The entry points an edit control types with. They stay as they are when a
// later load fails, so a control keeps typing with what it last bound.
struct KeyboardBinding {
    VexaMakeIsciiFn makeIscii = nullptr;
    VexaIscii2AsciiFn iscii2Ascii = nullptr;

    // True when keys of `kind` can be composed: Inscript always, Typewriter
    // with "make_iscii", Phonetic with both entries. A key typed otherwise
    // is ignored.
    bool CanCompose(KeyboardKind kind) const;

    // The ISCII word `keys` spells; empty without an entry.
    std::string Convert(std::string_view keys) const { return CallMakeIscii(makeIscii, keys); }
    // The key text of an ISCII word; empty without an entry.
    std::string Reverse(std::string_view iscii) const {
        return CallIscii2Ascii(iscii2Ascii, iscii);
    }
};

// Result of binding one entry of a keyboard library.
enum class EntryLoad { Bound, LibraryMissing, EntryMissing };

// Loads `file` from the system directory (then the module's directory) and
// looks up `entry`. A library that loads stays loaded until
// ReleaseKeyboardLibraries; loading the same file again reuses it.
EntryLoad BindKeyboardEntry(const platform::Platform& platform, const std::string& file,
                            const std::string& entry, platform::EntryAddress& address);

// Frees every keyboard library loaded through `loader` (at module exit; the
// tests between cases). Entry points bound from them must not be called
// afterwards.
void ReleaseKeyboardLibraries(platform::LibraryLoader& loader);

// Number of keyboard libraries currently kept loaded through `loader`.
int KeptKeyboardLibraries(const platform::LibraryLoader& loader);

// The display name of a typewriter layout file, from "get_lay_name" of its
// library (loaded for the call and released). `loaded` tells whether the
// library could be loaded; the name is absent when it could not or when it
// has no "get_lay_name".
struct TypewriterName {
    bool loaded = false;
    std::optional<std::string> name;
};
TypewriterName ReadTypewriterName(const platform::Platform& platform, std::string_view linFile);

}  // namespace vexa::keyboard
