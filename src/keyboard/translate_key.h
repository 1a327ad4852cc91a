#pragma once

#include <string>
#include <string_view>

#include "platform/keyboard_input.h"

namespace vexa::keyboard {

// What an edit control's key translation depends on.
struct TranslateSettings {
    int keyboardType = 0;  // 0 Inscript, 1 Phonetic, 2 Typewriter
    bool disableEnglish = false;
    std::string_view scriptName;
    int fontType = 0;
    bool englishScript = false;  // the control's script is "English"
};

// The bytes one key types in an edit control (0 to 8 bytes).
//
// Caps Lock switches between English (off) and script (on) typing; with
// English disabled every key types script and Caps Lock inverts Shift; with
// the script "English" every key types English unless English is disabled.
// `impliedShift` (keypad * and +) counts only for English characters and
// sends the key to the English path.
std::string TranslateKey(const platform::KeyboardInput& keyboard,
                         const TranslateSettings& settings, int virtualKey, bool impliedShift);

// What a list box's key translation depends on.
struct ListTranslateSettings {
    bool disableEnglish = false;
    std::string_view scriptName;
};

// The bytes one key types in a list box: script from ListFileLayout() (or
// the Tibetan layout) when Caps Lock is on or English is disabled, English
// otherwise. `scanBits` are the scan-code bits of the key message.
std::string TranslateListKey(const platform::KeyboardInput& keyboard,
                             const ListTranslateSettings& settings, int virtualKey, int scanBits);

}  // namespace vexa::keyboard
