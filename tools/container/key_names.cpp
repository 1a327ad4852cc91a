#include "key_names.h"

#include <array>
#include <cctype>
#include <cstdlib>

namespace vexa::container {

namespace {

// Virtual-key codes as the platform numbers them.
constexpr std::array kNames{
    KeyName{"SPACE", 0x20, "space bar"},
    KeyName{"RETURN", 0x0D, "Enter"},
    KeyName{"BACK", 0x08, "Backspace"},
    KeyName{"TAB", 0x09, "Tab"},
    KeyName{"ESCAPE", 0x1B, "Esc"},
    KeyName{"LEFT", 0x25, "left arrow"},
    KeyName{"RIGHT", 0x27, "right arrow"},
    KeyName{"UP", 0x26, "up arrow"},
    KeyName{"DOWN", 0x28, "down arrow"},
    KeyName{"HOME", 0x24, "Home"},
    KeyName{"END", 0x23, "End"},
    KeyName{"PRIOR", 0x21, "Page Up"},
    KeyName{"PAGEUP", 0x21, "Page Up"},
    KeyName{"NEXT", 0x22, "Page Down"},
    KeyName{"PAGEDOWN", 0x22, "Page Down"},
    KeyName{"INSERT", 0x2D, "Insert"},
    KeyName{"DELETE", 0x2E, "Delete"},
    KeyName{"SHIFT", 0x10, "Shift, as a key of its own"},
    KeyName{"CONTROL", 0x11, "Ctrl, as a key of its own"},
    KeyName{"MENU", 0x12, "Alt, as a key of its own"},
    KeyName{"CAPITAL", 0x14, "Caps Lock"},
    KeyName{"APPS", 0x5D, "the menu key (context menu)"},
    KeyName{"COMMA", 0xBC, "comma, less-than"},
    KeyName{"PERIOD", 0xBE, "full stop, greater-than"},
    KeyName{"SEMICOLON", 0xBA, "; :"},
    KeyName{"SLASH", 0xBF, "/ ?"},
    KeyName{"MINUS", 0xBD, "- _"},
    KeyName{"EQUALS", 0xBB, "= +"},
    KeyName{"QUOTE", 0xDE, "apostrophe, double quote"},
    KeyName{"BACKQUOTE", 0xC0, "backquote, tilde"},
    KeyName{"LBRACKET", 0xDB, "[ {"},
    KeyName{"RBRACKET", 0xDD, "] }"},
    KeyName{"BACKSLASH", 0xDC, "backslash, vertical bar"},
    KeyName{"NUMPAD0", 0x60, "keypad 0 (NUMPAD1 ... NUMPAD9 follow)"},
    KeyName{"NUMPAD1", 0x61, "keypad 1"},
    KeyName{"NUMPAD2", 0x62, "keypad 2"},
    KeyName{"NUMPAD3", 0x63, "keypad 3"},
    KeyName{"NUMPAD4", 0x64, "keypad 4"},
    KeyName{"NUMPAD5", 0x65, "keypad 5"},
    KeyName{"NUMPAD6", 0x66, "keypad 6"},
    KeyName{"NUMPAD7", 0x67, "keypad 7"},
    KeyName{"NUMPAD8", 0x68, "keypad 8"},
    KeyName{"NUMPAD9", 0x69, "keypad 9"},
    KeyName{"MULTIPLY", 0x6A, "keypad *"},
    KeyName{"ADD", 0x6B, "keypad +"},
    KeyName{"SUBTRACT", 0x6D, "keypad -"},
    KeyName{"DECIMAL", 0x6E, "keypad ."},
    KeyName{"DIVIDE", 0x6F, "keypad /"},
    KeyName{"F1", 0x70, "F1 (F2 ... F12 follow)"},
    KeyName{"F2", 0x71, "F2"},
    KeyName{"F3", 0x72, "F3"},
    KeyName{"F4", 0x73, "F4"},
    KeyName{"F5", 0x74, "F5"},
    KeyName{"F6", 0x75, "F6"},
    KeyName{"F7", 0x76, "F7"},
    KeyName{"F8", 0x77, "F8"},
    KeyName{"F9", 0x78, "F9"},
    KeyName{"F10", 0x79, "F10"},
    KeyName{"F11", 0x7A, "F11"},
    KeyName{"F12", 0x7B, "F12"},
};

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The virtual-key code of a key name, 0 when there is none.
unsigned KeyCode(std::string_view text) {
    std::string name = Upper(text);
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<unsigned char>(name[0]);
    for (const KeyName& k : kNames)
        if (k.name == name) return k.virtualKey;
    if (name.size() > 2 && name.size() <= 4 && name.rfind("0X", 0) == 0) {
        char* end = nullptr;
        unsigned long code = std::strtoul(name.c_str() + 2, &end, 16);
        if (*end == '\0' && code > 0 && code < 0xFF) return static_cast<unsigned>(code);
    }
    return 0;
}

// Sets the modifier a word names; false when it names none.
bool AddModifier(std::string_view word, Modifiers& m) {
    std::string w = Upper(word);
    if (w == "CTRL" || w == "CONTROL")
        m.ctrl = true;
    else if (w == "SHIFT")
        m.shift = true;
    else if (w == "ALT")
        m.alt = true;
    else
        return false;
    return true;
}

}  // namespace

std::span<const KeyName> KeyNames() { return kNames; }

KeyChordResult ParseKeyChord(std::string_view text) {
    KeyChordResult r;
    std::size_t plus = text.rfind('+');
    std::string_view key = plus == std::string_view::npos ? text : text.substr(plus + 1);
    std::string_view mods =
        plus == std::string_view::npos ? std::string_view{} : text.substr(0, plus);
    // Every word before the last "+" must name a modifier ("ctrl++a" has an empty one).
    for (std::size_t start = 0; plus != std::string_view::npos;) {
        std::size_t next = mods.find('+', start);
        std::string_view word =
            mods.substr(start, next == std::string_view::npos ? next : next - start);
        if (!AddModifier(word, r.chord.modifiers)) {
            r.error = "unknown modifier \"" + std::string(word) + "\" in " + std::string(text);
            return r;
        }
        if (next == std::string_view::npos) break;
        start = next + 1;
    }
    r.chord.virtualKey = KeyCode(key);
    if (!r.chord.virtualKey) r.error = "unknown key \"" + std::string(key) + "\"";
    return r;
}

ModifiersResult ParseModifiers(const std::vector<std::string>& words, std::size_t from) {
    ModifiersResult r;
    for (std::size_t i = from; i < words.size(); ++i)
        if (!AddModifier(words[i], r.modifiers)) {
            r.error = "unknown modifier \"" + words[i] + "\" (ctrl, shift or alt)";
            return r;
        }
    return r;
}

}  // namespace vexa::container
