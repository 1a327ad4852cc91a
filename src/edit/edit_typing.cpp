// Typing: a key's bytes merged into the word at the caret, then shown,
// wrapping the line when it is full.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

void EditCommands::ProcessKey(unsigned virtualKey, bool impliedShift) {
    buffer_.Flush();
    buffer_.KeepUndoCopy();
    const int x0 = view_.CaretX();
    // Recorded for as long as the key is handled, so that a line or page
    // that refuses it can take it back whole.
    keystroke_ = Keystroke{buffer_.CaretIndex(), 0, {}, buffer_.CaretIndex(), buffer_.CaretLine(),
                           view_.Caret(), word_};
    struct Forget {
        std::optional<Keystroke>& keystroke;
        ~Forget() { keystroke.reset(); }
    } forget{keystroke_};

    if (!TypeSpaceOrKey(virtualKey, impliedShift, x0)) return;
    bool repaint = false;
    bool toBottom = false;
    if (!ShowTypedKey(x0, repaint, toBottom)) return;
    const int width = view_.TextWidth();
    if (view_.CaretX() >= width && !view_.WrapsLines()) {
        view_.ScrollTo(view_.HScroll() - width / 2, true, true);
    }
    if (virtualKey == keys::kSpace && BreakBeforeForcedBreak()) return;
    RepaintAfterKey(repaint, toBottom);
}

bool EditCommands::TypeSpaceOrKey(unsigned virtualKey, bool impliedShift, int x0) {
    if (!style_.autoHScroll && !style_.multiLine) {
        // A single line that may not scroll takes no key once it is full.
        const std::string key = typedIscii_ ? *typedIscii_ : std::string(1, static_cast<char>(virtualKey));
        if (view_.MeasureCaretLine() + view_.MeasureText(key) >= view_.TextWidth()) return false;
    }
    if (virtualKey != keys::kSpace) {
        if (typedIscii_ == nullptr && keyboard_ == nullptr) return false;
        ComposeTyped(typedIscii_ ? *typedIscii_ : keyboard_->TranslateKey(virtualKey, impliedShift));
        const int grew = view_.CaretX() - x0;
        if (grew > 0) view_.SetCaretLineWidth(view_.CaretLineWidth() + grew);
        return true;
    }
    const int w = view_.MeasureText(" ");
    word_ = CurrentWord();
    word_.start = buffer_.CaretIndex() + 1;
    buffer_.AppendPending(kSpace);
    buffer_.Flush();
    keystroke_->length = 1;
    // Measured on the line: a space takes the font of what precedes it.
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.SetWordStartX(view_.CaretX());
    if (buffer_.CaretIndex() < buffer_.Size()) UpdateCurrentWord();
    view_.SetCaretLineWidth(view_.CaretLineWidth() + w);
    return true;
}

bool EditCommands::ShowTypedKey(int x0, bool& repaint, bool& toBottom) {
    const int h = view_.LineHeight();
    const int width = view_.TextWidth();
    const bool wrap = view_.WrapsLines();
    auto showOnRow = [&] {
        view_.PlaceCaret();
        window_.Invalidate({0, view_.CaretY(), width + 2, view_.CaretY() + h}, true);
    };
    if (!wrap && style_.multiLine) {
        showOnRow();
        if (view_.CaretLineWidth() > view_.WidestLine()) {
            view_.SetWidestLine(view_.CaretLineWidth());
            view_.SetBarRange(platform::ScrollBar::Horizontal, view_.WidestLine());
        }
    } else if (view_.CaretX() < width || !style_.multiLine) {
        if (wrap && !style_.multiLine) {
            // The key's own letter fitted, but what it typed may not.
            buffer_.Flush();
            if (view_.MeasureCaretLine() >= width) {
                TakeBackKeystroke();
                return false;
            }
        }
        if (!wrap || style_.autoVScroll) {
            showOnRow();
        } else {
            buffer_.Flush();
            if (view_.MeasureCaretLine() < width) showOnRow();
        }
    } else {
        buffer_.Flush();
        const int r = WrapAtCaret();
        if (view_.CaretX() != x0) view_.SetWordStartX(view_.HScroll());
        repaint = r != 0;
        toBottom = r == 2;
        window_.SetCaretPosition({view_.CaretX(), view_.CaretY()});
    }
    return true;
}

bool EditCommands::BreakBeforeForcedBreak() {
    // A space typed in a line that a forced break ends lets the line break
    // at the space instead.
    if (!view_.WrapsLines()) return false;
    std::size_t p = buffer_.CaretIndex();
    while (p < buffer_.Size() && !IsLineEnd(buffer_.At(p))) ++p;
    if (p >= buffer_.Size() || buffer_.At(p) != kForcedBreak) return false;
    InsertLineBreak(kSoftBreakSpace);
    const platform::Rect r = view_.Recount();
    if (!r.IsEmpty()) window_.Invalidate(r, true);
    return true;
}

void EditCommands::RepaintAfterKey(bool repaint, bool toBottom) {
    window_.HideCaret();
    if (!repaint && view_.WrapsLines()) {
        const std::string_view line = buffer_.LineAround(buffer_.CaretIndex());
        const bool tab = line.find(static_cast<char>(kTab)) != std::string_view::npos ||
                         buffer_.Pending().find(static_cast<char>(kTab)) != std::string::npos;
        if (tab) buffer_.Flush();
        if (view_.MeasureCaretLine() > view_.TextWidth()) {
            repaint = true;
            window_.SetCaretPosition({view_.CaretX(), view_.CaretY()});
        }
    }
    if (repaint) {
        const platform::Rect r = view_.Recount();
        if (!toBottom) {
            if (!r.IsEmpty()) window_.Invalidate(r, true);
        } else {
            const platform::Rect& area = view_.TextArea();
            window_.Invalidate({0, view_.CaretY(), area.right, area.bottom}, true);
        }
        window_.Update();
    }
    window_.ShowCaret();
}

void EditCommands::ComposeTyped(const std::string& out) {
    buffer_.Flush();
    buffer_.SetPending({});
    EnsureCurrentWord();
    const std::string oldWord = word_.text.substr(0, word_.text.find('\0'));
    const std::size_t L = oldWord.size();
    std::size_t k = std::min(word_.caretOffset, L);
    const std::size_t n = out.size();
    // Unicode characters are ISCII already: they go in as Inscript's do.
    const int kind = typedIscii_ ? 0 : script_.keyboardType;

    std::string word;
    std::string keyboardWord = word_.keyText;
    std::size_t keyboardOffset = word_.keyCaretOffset;
    if ((kind == 1 || kind == 2) && (k == 0 || k == L || kind == 1)) {
        // The word is re-made by the keyboard library from its key text.
        // Without the library (or, for Phonetic, the reverse converter) the
        // key cannot be composed and is ignored.
        if (keyboard_ == nullptr) return;
        auto convert = [&](std::string_view keys) { return keyboard_->MakeIscii(keys); };
        std::optional<std::string> made;
        std::optional<std::string> typed;
        if (k == 0) {
            std::optional<std::string> tail = keyboardWord;
            if (kind == 1) tail = keyboard_->IsciiToKeys(oldWord);
            if (!tail) return;
            keyboardWord = out + *tail;
            keyboardOffset = n;
            made = convert(keyboardWord);
            typed = convert(out);
            if (!made || !typed) return;
            k = typed->size();
        } else if (k == L) {
            keyboardWord += out;
            made = convert(keyboardWord);
            if (!made) return;
            k = made->size();
            keyboardOffset = keyboardWord.size();
        } else {
            auto keys = keyboard_->IsciiToKeys(oldWord);
            if (!keys) return;
            const std::size_t split = std::min(keyboardOffset, keys->size());
            const std::string left = keys->substr(0, split);
            keyboardWord = left + out + keys->substr(split);
            made = convert(keyboardWord);
            typed = convert(left + out);
            if (!made || !typed) return;
            k = typed->size();
            keyboardOffset = split + n;
        }
        word = *made;
    } else {
        // Inscript, and Typewriter inside a word: the bytes go in as they are.
        word = oldWord.substr(0, k) + out + oldWord.substr(k);
        k += n;
        if (kind == 0) {
            keyboardWord = word;
            keyboardOffset = k;
        }
    }
    k = std::min(k, word.size());

    // The old word goes and the new one takes its place, in one move.
    const std::size_t replacedLength = buffer_.Size() > 0 ? L : 0;
    if (keystroke_) {
        keystroke_->at = word_.start;
        keystroke_->length = word.size();
        keystroke_->replaced = buffer_.Text().substr(word_.start, replacedLength);
    }
    buffer_.Splice(word_.start, replacedLength, word);
    // The caret stands right after what was typed.
    buffer_.SetCaret(word_.start + k, buffer_.CaretLine());
    word_.text = word;
    word_.caretOffset = k;
    word_.keyText = keyboardWord;
    word_.keyCaretOffset = keyboardOffset;
    view_.SetWordStartX(view_.XOfOffset(word_.start));
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
}

void EditCommands::TakeBackKeystroke() {
    if (!keystroke_) {
        Backspace();
        return;
    }
    buffer_.Flush();
    buffer_.Splice(keystroke_->at, keystroke_->length, keystroke_->replaced);
    buffer_.SetCaret(keystroke_->caretIndex, keystroke_->caretLine);
    view_.RestoreCaret(keystroke_->caret);
    word_ = keystroke_->word;
    keystroke_->length = keystroke_->replaced.size();
    ClampSelection();
    view_.UpdateVisibleLines();
    view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    view_.RepaintFromCaretLine();
    view_.PlaceCaret();
}

}  // namespace vexa::edit
