#include "edit/control_keyboard.h"

#include "keyboard/translate_key.h"

namespace vexa::edit {

std::string ControlKeyboard::TranslateKey(unsigned virtualKey, bool impliedShift) {
    keyboard::TranslateSettings settings;
    settings.keyboardType = script_.keyboardType;
    settings.disableEnglish = script_.disableEnglish;
    settings.scriptName = script_.scriptName;
    settings.fontType = script_.fontType;
    settings.englishScript = script_.englishScript;
    return keyboard::TranslateKey(input_, settings, static_cast<int>(virtualKey), impliedShift);
}

std::optional<std::string> ControlKeyboard::MakeIscii(std::string_view keys) {
    if (binding_.makeIscii == nullptr) return std::nullopt;
    return binding_.Convert(keys);
}

std::optional<std::string> ControlKeyboard::IsciiToKeys(std::string_view iscii) {
    if (binding_.iscii2Ascii == nullptr) return std::nullopt;
    return binding_.Reverse(iscii);
}

unsigned ControlKeyboard::ScanCode(unsigned virtualKey) {
    const int code = input_.ScanCode(static_cast<int>(virtualKey));
    return code < 0 ? 0u : static_cast<unsigned>(code);
}

}  // namespace vexa::edit
