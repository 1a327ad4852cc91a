#pragma once

#include <string_view>

#include "keyboard/keyboard_library.h"
#include "platform/platform.h"

namespace vexa::keyboard {

// The settings keyboard loading reads from a control.
struct KeyboardSettings {
    std::string_view scriptName;
    int keyboardType = 0;
    std::string_view linFile;
    int fontType = 0;  // edit control only
};

// What loading sets in an edit control.
struct EditKeyboardState {
    int scriptIndex = -1;  // row of the script catalogue, -1 when not in reach
    KeyboardBinding binding;
};

// The keyboard half of an edit control's script loading: sets the reach of
// the catalogue from the font type, finds the script's row, rewrites the
// script's typewriter library after `linFile`, and for the Phonetic and
// Typewriter kinds reads the layout file into EditFileLayout() and binds
// the keyboard library (and the reverse converter for Phonetic). Failures
// are told in plain OK boxes; what was bound before stays bound.
void LoadKeyboardSupport(const platform::Platform& platform, const KeyboardSettings& settings,
                         EditKeyboardState& state);

// The same for a list box: finds the row without setting the reach, reads
// the layout file of the row and kind into ListFileLayout(), and binds no
// library. Returns the script's row, -1 when not in reach.
int LoadListKeyboard(const platform::Platform& platform, const KeyboardSettings& settings);

}  // namespace vexa::keyboard
