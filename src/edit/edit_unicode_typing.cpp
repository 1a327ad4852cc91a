// Unicode character messages typed as keystrokes: the character's ISCII
// takes the path of a key of the control's own keyboard.
#include "edit/edit_commands.h"

namespace vexa::edit {

bool EditCommands::OnUnicodeChar(char16_t unit) {
    common::UnicodeTyping::Keystroke key = unicodeTyping_.Take(unit, script_.scriptName);
    if (key.result == common::UnicodeTyping::Result::Refused) {
        messages_.Beep();
        return false;
    }
    if (key.result == common::UnicodeTyping::Result::Typed) TypeIscii(key.iscii);
    return true;
}

void EditCommands::TypeIscii(const std::string& iscii) {
    buffer_.Flush();
    view_.EnsureCaretLineVisible();
    shiftSelecting_ = false;
    if (style_.readOnly) return;
    if (view_.Sel().Any()) {
        // As with any key: the selected text goes, and that is the key.
        DeleteSelection(true);
        events_.Changed();
        return;
    }
    const int oldX = view_.CaretX();
    const int oldY = view_.CaretY();
    const int scrollsBefore = view_.ScrollCount();
    if (iscii == " ") {
        ProcessKey(keys::kSpace, false);
    } else {
        typedIscii_ = &iscii;
        struct Clear {
            const std::string*& typed;
            ~Clear() { typed = nullptr; }
        } clear{typedIscii_};
        ProcessKey(0, false);
    }
    events_.Changed();
    FinishKey(oldX, oldY, scrollsBefore);
}

}  // namespace vexa::edit
