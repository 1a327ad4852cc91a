// Key dispatch: the clipboard keys, navigation with and without Shift, the
// keys with a fixed meaning (a table), and typing.
#include <algorithm>
#include <array>

#include "edit/edit_commands.h"

namespace vexa::edit {

namespace {

bool IsNavigation(unsigned vk) { return vk >= keys::kPrior && vk <= keys::kDown; }

bool IsIgnoredKey(unsigned vk) {
    return (vk >= 0x70 && vk <= 0x87) || vk == keys::kInsert || vk == keys::kClear ||
           vk == keys::kScroll || vk == keys::kNumLock || vk == keys::kShift ||
           vk == keys::kEscape || vk == keys::kPause || vk == keys::kCapital ||
           vk == keys::kControl;
}

// Keypad keys become the keys the layouts know; * and + imply Shift.
unsigned MapKeypad(unsigned vk, bool& impliedShift) {
    impliedShift = false;
    if (vk >= 0x60 && vk <= 0x69) return vk - 0x60 + 0x30;
    switch (vk) {
        case 0x6C: return keys::kReturn;
        case 0x6A: impliedShift = true; return 0x38;
        case 0x6B: impliedShift = true; return 0xBB;
        case 0x6D: return 0xBD;
        case 0x6E: return 0xBE;
        default: return vk;
    }
}

}  // namespace

void EditCommands::OnKeyDown(unsigned virtualKey, KeyModifiers modifiers) {
    bool impliedShift = false;
    const unsigned vk = MapKeypad(virtualKey, impliedShift);
    if (vk == keys::kTab) return;
    unicodeTyping_.Reset();
    buffer_.Flush();
    if (ClipboardKey(vk, modifiers) || IsIgnoredKey(vk)) return;

    view_.EnsureCaretLineVisible();
    shiftSelecting_ = false;
    if (!IsNavigation(vk) && view_.Sel().Any() && !style_.readOnly) {
        // Whatever the key, the selected text is gone: the host hears of it.
        DeleteSelection(true);
        events_.Changed();
        return;
    }
    int oldX = view_.CaretX();
    int oldY = view_.CaretY();
    const int scrollsBefore = view_.ScrollCount();
    if (IsNavigation(vk)) {
        if (!StartNavigation(vk, modifiers)) return;
        if (shiftSelecting_) {
            oldX = view_.CaretX();
            oldY = view_.CaretY();
        }
    }
    if (!RunKeyTable(vk) && !style_.readOnly) TypeKey(vk, impliedShift);
    FinishKey(oldX, oldY, scrollsBefore);
}

bool EditCommands::ClipboardKey(unsigned vk, KeyModifiers modifiers) {
    const bool canCopy = !style_.password && view_.Sel().Any();
    if (modifiers.ctrl) {
        if (script_.englishScript) return true;
        if (vk == 'C' || vk == keys::kInsert) {
            if (canCopy) events_.CopySelection();
        } else if (vk == 'X') {
            if (canCopy) CutSelection();
        } else if (vk == 'V') {
            if (!style_.readOnly && events_.Paste()) events_.Changed();
        } else if (vk == 'Z') {
            if (!style_.readOnly) Undo();
        }
        return true;
    }
    if (modifiers.shift && vk == keys::kInsert) {
        if (!style_.readOnly && !script_.englishScript && events_.Paste()) events_.Changed();
        return true;
    }
    // Shift+Delete cuts, as Ctrl+X does.
    if (modifiers.shift && vk == keys::kDelete && view_.Sel().Any() && !script_.englishScript) {
        if (!style_.password) CutSelection();
        return true;
    }
    return false;
}

void EditCommands::CutSelection() {
    if (events_.CopySelection() && !style_.readOnly) {
        DeleteSelection(true);
        events_.Changed();
    }
}

bool EditCommands::StartNavigation(unsigned vk, KeyModifiers modifiers) {
    if (buffer_.CaretIndex() > 0 && SnapToSyllable() == 0 && vk == keys::kRight) return false;
    if (modifiers.shift) {
        shiftSelecting_ = true;
        if (!view_.Sel().Any()) {
            view_.Sel().anchor = view_.Sel().extent = buffer_.CaretIndex();
            AnchorAtCaret();
        }
    } else if (view_.Sel().Any()) {
        view_.ClearSelection();
    }
    buffer_.ArmUndo();
    return true;
}

void EditCommands::TypeKey(unsigned vk, bool impliedShift) {
    const bool typable = vk == keys::kSpace || (keyboard_ && keyboard_->ScanCode(vk) < 54);
    if (typable && keyboard_) {
        ProcessKey(vk, impliedShift);
        events_.Changed();
    }
}

void EditCommands::FinishKey(int oldX, int oldY, int scrollsBefore) {
    view_.EnsureCaretLineVisible();
    const int x = view_.CaretX();
    const int width = view_.TextWidth();
    if (!view_.WrapsLines() && (x < 0 || x > width)) {
        view_.ScrollTo(view_.HScroll() + width / 2 - x, true, true);
    }
    if (!shiftSelecting_) return;
    shiftSelecting_ = false;
    Selection& sel = view_.Sel();
    sel.extent = buffer_.CaretIndex();
    if (view_.ScrollCount() == scrollsBefore) {
        view_.InvertSelection(oldX, oldY, view_.CaretX(), view_.CaretY());
    } else {
        view_.InvalidateText();
    }
    if (sel.anchor == sel.extent) sel.anchor = sel.extent = 0;
}

// ------------------------------------------------------------ the key table

void EditCommands::KeyBackspace() {
    if (style_.readOnly) return;
    Backspace();
    events_.Changed();
}

void EditCommands::KeyReturn() {
    // Without WantReturn, Enter is not the control's: nothing is typed.
    if (!style_.wantReturn || style_.readOnly) return;
    if (!style_.autoVScroll && buffer_.LastLine() >= view_.PageLines() - 1) return;
    InsertLineBreak(kHardBreak);
    events_.Changed();
}

void EditCommands::KeyPageUp() {
    if (style_.multiLine) PageUp();
}

void EditCommands::KeyPageDown() {
    if (style_.multiLine && style_.autoVScroll) PageDown();
}

void EditCommands::KeyUp() { style_.multiLine ? LineUp() : StepLeft(); }

void EditCommands::KeyDown() { style_.multiLine ? LineDown() : StepRight(); }

void EditCommands::KeyDelete() {
    if (style_.readOnly) return;
    DeleteForward();
    events_.Changed();
}

bool EditCommands::RunKeyTable(unsigned vk) {
    struct KeyCommand {
        unsigned key;
        void (EditCommands::*run)();  // null: the key is taken and does nothing
    };
    static constexpr std::array<KeyCommand, 14> kTable{{
        {keys::kBack, &EditCommands::KeyBackspace},
        {keys::kTab, nullptr},
        {0x01, nullptr},
        {0x02, nullptr},
        {keys::kReturn, &EditCommands::KeyReturn},
        {keys::kPrior, &EditCommands::KeyPageUp},
        {keys::kNext, &EditCommands::KeyPageDown},
        {keys::kEnd, &EditCommands::LineEnd},
        {keys::kHome, &EditCommands::LineHome},
        {keys::kLeft, &EditCommands::StepLeft},
        {keys::kUp, &EditCommands::KeyUp},
        {keys::kRight, &EditCommands::StepRight},
        {keys::kDown, &EditCommands::KeyDown},
        {keys::kDelete, &EditCommands::KeyDelete},
    }};
    const auto it = std::find_if(kTable.begin(), kTable.end(),
                                 [vk](const KeyCommand& c) { return c.key == vk; });
    if (it == kTable.end()) return false;
    if (it->run) (this->*(it->run))();
    return true;
}

}  // namespace vexa::edit
