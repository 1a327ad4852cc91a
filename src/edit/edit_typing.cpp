// Typing: a key's bytes merged into the word at the caret, then shown,
// wrapping the line when it is full.
#include <algorithm>

#include "edit/edit_engine.h"

namespace vexa::edit {

void EditEngine::ProcessKey(unsigned virtualKey, bool impliedShift) {
    EditBuffer& b = buffer_;
    if (b.undoArmed) {
        Flush();
        b.undoText = b.Text();
        b.undoArmed = false;
    }
    Flush();
    const int x0 = b.caretX;
    // Recorded for as long as the key is handled, so that a line or page
    // that refuses it can take it back whole.
    keystroke_ = Keystroke{b.caretIndex, 0, {}, b.SaveCaretAndWord()};
    struct Forget {
        std::optional<Keystroke>& keystroke;
        ~Forget() { keystroke.reset(); }
    } forget{keystroke_};

    if (!style_.autoHScroll && !style_.multiLine) {
        // A single line that may not scroll takes no key once it is full.
        const std::string key(1, static_cast<char>(virtualKey));
        if (MeasureCaretLine() + MeasureText(key) >= textWidth_) return;
    }

    const bool space = virtualKey == keys::kSpace;
    if (space) {
        const int w = MeasureText(" ");
        b.currentWord.clear();
        b.keyboardWord.clear();
        b.wordStart = b.caretIndex + 1;
        b.wordCaretOffset = b.keyboardCaretOffset = 0;
        AppendPending(kSpace);
        Flush();
        keystroke_->length = 1;
        // Measured on the line: a space takes the font of what precedes it.
        b.caretX = XOfOffset(b.caretIndex);
        b.wordStartX = b.caretX;
        if (b.caretIndex < b.Size()) UpdateCurrentWord();
        b.currentLineWidth += w;
    } else {
        if (keyboard_ == nullptr) return;
        ComposeTyped(keyboard_->TranslateKey(virtualKey, impliedShift));
        if (b.caretX > x0) b.currentLineWidth += b.caretX - x0;
    }

    bool repaint = false;
    bool toBottom = false;
    const int h = metrics_.LineHeight();
    auto repaintCaretRow = [&] {
        window_.Invalidate({0, b.caretY, textWidth_ + 2, b.caretY + h}, true);
    };
    if (!wordWrap_ && style_.multiLine) {
        PlaceCaret(b.caretX, b.caretY);
        repaintCaretRow();
        if (b.currentLineWidth > b.widestLine) {
            b.widestLine = b.currentLineWidth;
            SetBarRange(platform::ScrollBar::Horizontal, b.widestLine);
        }
    } else if (b.caretX < textWidth_ || !style_.multiLine) {
        if (wordWrap_ && !style_.multiLine) {
            // The key's own letter fitted, but what it typed may not.
            Flush();
            if (MeasureCaretLine() >= textWidth_) {
                TakeBackKeystroke();
                return;
            }
        }
        if (!wordWrap_ || style_.autoVScroll) {
            PlaceCaret(b.caretX, b.caretY);
            repaintCaretRow();
        } else {
            Flush();
            if (MeasureCaretLine() < textWidth_) {
                PlaceCaret(b.caretX, b.caretY);
                repaintCaretRow();
            }
        }
    } else {
        Flush();
        const int r = WrapAtCaret();
        if (b.caretX != x0) b.wordStartX = b.hScroll;
        repaint = r != 0;
        toBottom = r == 2;
        window_.SetCaretPosition({b.caretX, b.caretY});
    }
    if (b.caretX >= textWidth_ && !wordWrap_) ScrollTo(b.hScroll - textWidth_ / 2, true, true);

    if (wordWrap_ && space) {
        std::size_t p = b.caretIndex;
        while (p < b.Size() && !IsLineEnd(b.At(p))) ++p;
        if (p < b.Size() && b.At(p) == kForcedBreak) {
            InsertLineBreak(kSoftBreakSpace);
            const platform::Rect r = Recount();
            if (!r.IsEmpty()) window_.Invalidate(r, true);
            return;
        }
    }

    window_.HideCaret();
    if (!repaint && wordWrap_) {
        const std::string_view line = LineAround(b.caretIndex);
        const bool tab = line.find(static_cast<char>(kTab)) != std::string_view::npos ||
                         b.pendingInput.find(static_cast<char>(kTab)) != std::string::npos;
        if (tab) Flush();
        if (MeasureCaretLine() > textWidth_) {
            repaint = true;
            window_.SetCaretPosition({b.caretX, b.caretY});
        }
    }
    if (repaint) {
        const platform::Rect r = Recount();
        if (!toBottom) {
            if (!r.IsEmpty()) window_.Invalidate(r, true);
        } else {
            window_.Invalidate({0, b.caretY, textRect_.right, textRect_.bottom}, true);
        }
        window_.Update();
    }
    window_.ShowCaret();
}

void EditEngine::ComposeTyped(const std::string& out) {
    EditBuffer& b = buffer_;
    Flush();
    b.pendingInput.clear();
    EnsureCurrentWord();
    const std::string oldWord = b.currentWord.substr(0, b.currentWord.find('\0'));
    const std::size_t L = oldWord.size();
    std::size_t k = std::min(b.wordCaretOffset, L);
    const std::size_t n = out.size();
    const int kind = script_.keyboardType;

    std::string word;
    std::string keyboardWord = b.keyboardWord;
    std::size_t keyboardOffset = b.keyboardCaretOffset;
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
    const std::size_t replacedLength = b.Size() > 0 ? L : 0;
    if (keystroke_) {
        keystroke_->at = b.wordStart;
        keystroke_->length = word.size();
        keystroke_->replaced = b.Text().substr(b.wordStart, replacedLength);
    }
    b.Splice(b.wordStart, replacedLength, word);
    // The caret stands right after what was typed.
    b.caretIndex = b.wordStart + k;
    b.currentWord = word;
    b.wordCaretOffset = k;
    b.keyboardWord = keyboardWord;
    b.keyboardCaretOffset = keyboardOffset;
    b.wordStartX = XOfOffset(b.wordStart);
    b.caretX = XOfOffset(b.caretIndex);
}

void EditEngine::TakeBackKeystroke() {
    if (!keystroke_) {
        Backspace();
        return;
    }
    Flush();
    EditBuffer& b = buffer_;
    b.Splice(keystroke_->at, keystroke_->length, keystroke_->replaced);
    b.RestoreCaretAndWord(keystroke_->before);
    keystroke_->length = keystroke_->replaced.size();
    ClampSelection();
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, b.lastLine);
    RepaintFromCaretLine();
    PlaceCaret(b.caretX, b.caretY);
}

}  // namespace vexa::edit
