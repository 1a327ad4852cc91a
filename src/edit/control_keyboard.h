#pragma once

#include "edit/edit_engine.h"
#include "keyboard/keyboard_library.h"
#include "platform/keyboard_input.h"

namespace vexa::edit {

// The keyboard services of an edit control: key translation from the
// layouts and the keyboard state, and the word library bound for the
// control's script. Reads the settings and the binding at each key, so the
// owner may change them at any time.
class ControlKeyboard : public KeyboardServices {
public:
    ControlKeyboard(const platform::KeyboardInput& input, const common::DrawingScript& script,
                    const keyboard::KeyboardBinding& binding)
        : input_(input), script_(script), binding_(binding) {}

    std::string TranslateKey(unsigned virtualKey, bool impliedShift) override;
    std::optional<std::string> MakeIscii(std::string_view keys) override;
    std::optional<std::string> IsciiToKeys(std::string_view iscii) override;
    unsigned ScanCode(unsigned virtualKey) override;

private:
    const platform::KeyboardInput& input_;
    const common::DrawingScript& script_;
    const keyboard::KeyboardBinding& binding_;
};

}  // namespace vexa::edit
