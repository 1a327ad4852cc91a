#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::container {

// Modifier keys held while a key or a mouse button is pressed.
struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool operator==(const Modifiers&) const = default;
};

// A key with its modifiers: "ctrl+a", "shift+LEFT", "alt+f", "RETURN".
struct KeyChord {
    unsigned virtualKey = 0;
    Modifiers modifiers;
};

// One named key of the keys command (besides the letters A-Z and digits
// 0-9, which are their own names, and 0xNN, any virtual-key code).
struct KeyName {
    std::string_view name;
    unsigned virtualKey;
    std::string_view key;  // what it is on the keyboard
};

std::span<const KeyName> KeyNames();

struct KeyChordResult {
    KeyChord chord;
    std::string error;  // empty when the chord was understood
};

// Names and modifiers are case-insensitive; modifiers are "ctrl" (or
// "control"), "shift" and "alt", joined to the key with "+".
KeyChordResult ParseKeyChord(std::string_view text);

// The modifier words that end a mouse command ("click e1 5 5 ctrl shift").
struct ModifiersResult {
    Modifiers modifiers;
    std::string error;
};
ModifiersResult ParseModifiers(const std::vector<std::string>& words, std::size_t from);

}  // namespace vexa::container
