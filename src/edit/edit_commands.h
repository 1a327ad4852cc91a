#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/unicode_typing.h"
#include "edit/edit_buffer.h"
#include "edit/edit_events.h"
#include "edit/edit_keys.h"
#include "edit/edit_style.h"
#include "edit/edit_view.h"
#include "platform/control_window.h"
#include "platform/message_boxes.h"

namespace vexa::edit {

// The word that holds the caret, as typing re-makes it: its bytes, the key
// text a keyboard library spells it from, and the caret's place in each.
struct CurrentWord {
    std::size_t start = 0;
    std::string text;
    std::string keyText;
    std::size_t caretOffset = 0;
    std::size_t keyCaretOffset = 0;
};

// What the user does to the edit control: keys (typing, deleting, moving the
// caret, the clipboard keys), the mouse, and selecting what Find found. Each
// command edits the buffer and tells the view what to show.
class EditCommands {
public:
    EditCommands(platform::ControlWindow& window, platform::MessageBoxes& messages,
                 EditEvents& events, const EditStyle& style, const common::DrawingScript& script,
                 EditBuffer& buffer, EditView& view);

    void SetKeyboard(KeyboardServices* keyboard) { keyboard_ = keyboard; }
    // Forgets the word and any Shift selection in progress (a new layout).
    void Reset();

    // --- the whole text
    // Assigns already filtered 8-bit text: resets, re-wraps, counts, repaints.
    void SetText(std::string text);
    // Swaps the text with the undo copy (one level, toggling).
    void Undo();
    // Takes a changed text (no undo copy, no CHANGE): lines counted and
    // wrapped again, the view kept where it can be, the caret at `caret`.
    void ReplaceText(std::string text, std::size_t caret);

    // --- window messages
    void OnKeyDown(unsigned virtualKey, KeyModifiers modifiers);
    // A character message carrying Unicode (edit_unicode_typing.cpp): its
    // ISCII typed as a keystroke of the control's own keyboard would be
    // (same undo, wrapping, refusals and CHANGE). False when the script
    // cannot hold the character: the control beeps, nothing is typed.
    bool OnUnicodeChar(char16_t unit);
    void OnLButtonDown(unsigned flags, platform::Point point);
    void OnLButtonUp();
    void OnMouseMove(unsigned flags, platform::Point point);
    // Fires Selected or UnSelected when a selection came into being or
    // disappeared since the last check.
    void CheckSelectionEvents();

    // --- the word at the caret
    const CurrentWord& Word() const { return word_; }
    void ForgetWord() { word_ = CurrentWord(); }
    void UpdateCurrentWord();

    // --- selection and caret, for automation and Find
    void SetSelStart(int start);
    void SetSelLength(int length);
    // The caret at `index` (clamped), measured and shown.
    void MoveCaretTo(std::size_t index);
    // Removes the selected bytes; the caret goes to their place.
    void DeleteSelection(bool repaint);
    // The first line at the top, the caret at the start of the text.
    void ShowTextStart();
    // Selects [begin, end) with the caret at its end, scrolled into view.
    void SelectRange(std::size_t begin, std::size_t end);
    // Paste: filtered bytes go in at the caret, over the selection; the
    // caret stays in front of them.
    void InsertPasted(const std::string& bytes);

private:
    // Key dispatch (edit_key_commands.cpp).
    bool ClipboardKey(unsigned vk, KeyModifiers modifiers);
    void CutSelection();
    // Prepares a navigation key: snaps the caret, starts or ends a Shift
    // selection. False when the key has nothing left to do.
    bool StartNavigation(unsigned vk, KeyModifiers modifiers);
    // The keys with a fixed meaning; false for a key that types.
    bool RunKeyTable(unsigned vk);
    void TypeKey(unsigned vk, bool impliedShift);
    void FinishKey(int oldX, int oldY, int scrollsBefore);
    void KeyBackspace();
    void KeyReturn();
    void KeyPageUp();
    void KeyPageDown();
    void KeyUp();
    void KeyDown();
    void KeyDelete();

    // Typing (edit_typing.cpp).
    void ProcessKey(unsigned virtualKey, bool impliedShift);
    bool TypeSpaceOrKey(unsigned virtualKey, bool impliedShift, int x0);
    // Shows the typed key on its row or wraps the line; false when the key
    // was taken back. `repaint` and `toBottom` say what the wrap needs.
    bool ShowTypedKey(int x0, bool& repaint, bool& toBottom);
    // A space typed in front of a forced break: the line breaks there.
    bool BreakBeforeForcedBreak();
    void RepaintAfterKey(bool repaint, bool toBottom);
    void ComposeTyped(const std::string& out);
    void TypeIscii(const std::string& iscii);
    // Undoes the whole of the key being typed (a full line or page refuses
    // it); outside ProcessKey it takes back the byte before the caret.
    void TakeBackKeystroke();

    // Editing (edit_operations.cpp).
    void InsertLineBreak(unsigned char marker);
    int WrapAtCaret();
    void Backspace();
    void DeleteForward();
    void ClampSelection();
    void EnsureCurrentWord();

    // Caret movement (edit_caret.cpp).
    void StepLeft();
    void StepRight();
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    // After a line move: the caret goes to the syllable nearest its x.
    void KeepCaretColumn();
    // Scrolls to `newTop` with the caret on `caretLine`, at the same x.
    void MovePage(int newTop, int caretLine);
    void LineHome();
    void LineEnd();
    int SnapToSyllable();
    // The caret at the point's syllable on the row under it.
    void CaretToPoint(platform::Point point);
    // The selection starts at the caret.
    void AnchorAtCaret();

    platform::ControlWindow& window_;
    platform::MessageBoxes& messages_;
    EditEvents& events_;
    const EditStyle& style_;
    const common::DrawingScript& script_;
    EditBuffer& buffer_;
    EditView& view_;
    KeyboardServices* keyboard_ = nullptr;

    CurrentWord word_;
    bool shiftSelecting_ = false;
    bool selectedFired_ = false;

    // What the key being typed changed: `length` bytes at `at` replaced
    // `replaced`; the caret and word are those from before the key.
    struct Keystroke {
        std::size_t at = 0;
        std::size_t length = 0;
        std::string replaced;
        std::size_t caretIndex = 0;
        int caretLine = 0;
        CaretPixels caret;
        CurrentWord word;
    };
    std::optional<Keystroke> keystroke_;

    // Unicode typing: what waits for the next character message, and the
    // ISCII of the character being typed (set while it is typed).
    common::UnicodeTyping unicodeTyping_;
    const std::string* typedIscii_ = nullptr;
};

}  // namespace vexa::edit
