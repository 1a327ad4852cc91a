// Editing operations on the buffer: insertion, line breaks, wrapping,
// deleting, the current word.
#include <algorithm>
#include <memory>

#include "edit/edit_engine.h"
#include "edit/word_widths.h"

namespace vexa::edit {

namespace {

bool IsSeparator(unsigned char b) { return b == kSpace || b == kTab || IsLineEnd(b); }

}  // namespace

void EditEngine::InsertPendingAt(std::size_t offset) {
    if (buffer_.pendingInput.empty()) return;
    const std::string pending = std::move(buffer_.pendingInput);
    buffer_.pendingInput.clear();
    buffer_.Insert(offset, pending);
}

void EditEngine::Flush() {
    if (buffer_.pendingInput.empty()) return;
    const std::size_t n = buffer_.pendingInput.size();
    buffer_.caretLine += EditBuffer::CountLineEnds(buffer_.pendingInput);
    InsertPendingAt(buffer_.caretIndex);
    buffer_.caretIndex += n;
}

void EditEngine::DeleteRange(std::size_t first, std::size_t last) {
    if (last < first) return;
    buffer_.Erase(first, last - first + 1);
}

void EditEngine::ScrollOneLineDown() {
    SetTopLine(buffer_.topLine + 1, true);
    window_.Invalidate(textRect_, true);
}

// The caller moves the caret's row.
void EditEngine::ScrollOneLineUp() {
    if (buffer_.topLine == 0) return;
    SetTopLine(buffer_.topLine - 1, true);
    window_.Invalidate(textRect_, true);
}

void EditEngine::InvalidateRow(int row) {
    const int h = metrics_.LineHeight();
    window_.Invalidate({textRect_.left, row * h, textRect_.right, (row + 1) * h}, true);
}

void EditEngine::RepaintFromCaretLine() {
    platform::Rect r = textRect_;
    r.top = std::max(textRect_.top, buffer_.caretY);
    window_.Invalidate(r, true);
}

void EditEngine::InsertLineBreak(unsigned char marker) {
    Flush();
    AppendPending(marker);
    Flush();
    if (marker == kHardBreak && buffer_.caretIndex < buffer_.Size() &&
        buffer_.At(buffer_.caretIndex) == kForcedBreak) {
        // Enter in front of a forced break takes its place.
        buffer_.Erase(buffer_.caretIndex, 1);
    }
    buffer_.currentLineWidth = MeasureCaretLine();
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);

    buffer_.caretX = buffer_.hScroll;
    if (buffer_.caretLine - buffer_.topLine >= pageLines_) {
        ScrollOneLineDown();
    } else {
        buffer_.caretY += metrics_.LineHeight();
    }
    if (buffer_.hScroll != 0) ScrollTo(0, true, true);
    buffer_.caretX = 0;
    PlaceCaret(buffer_.caretX, buffer_.caretY);
    window_.Invalidate(textRect_, true);
    if (marker == kHardBreak) window_.Update();
    UpdateCurrentWord();
}

int EditEngine::WrapAtCaret() {
    Flush();
    if ((wordWrap_ && !style_.multiLine) ||
        (!style_.autoVScroll && buffer_.lastLine >= std::max(1, pageLines_) - 1)) {
        TakeBackKeystroke();
        return 0;
    }
    if (buffer_.caretIndex == 0) return 2;
    std::size_t q = buffer_.caretIndex - 1;
    while (q > 0 && !IsSeparator(buffer_.At(q))) --q;
    const unsigned char found = buffer_.At(q);
    if (found != kSpace && found != kTab) {
        if (!wordWrap_) return 2;
        // No place to break: the syllable just typed starts a new line.
        StepLeft();
        InsertLineBreak(kForcedBreak);
        StepRight();
        return 2;
    }
    buffer_.Replace(q, found == kSpace ? kSoftBreakSpace : kSoftBreakTab);
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    buffer_.caretLine += 1;
    UpdateVisibleLines();
    buffer_.caretX = buffer_.hScroll + MeasureText(std::string_view(buffer_.Text())
                                                       .substr(q + 1, buffer_.caretIndex - q - 1));
    if (buffer_.caretLine - buffer_.topLine >= pageLines_) {
        ScrollOneLineDown();
    } else {
        buffer_.caretY += metrics_.LineHeight();
    }
    PlaceCaret(buffer_.caretX, buffer_.caretY);
    window_.Invalidate(textRect_, true);
    return 1;
}

int EditEngine::Rewrap() {
    Flush();
    const std::string& t = buffer_.Text();
    const int spaceWidth = MeasureText(" ");
    int breaks = 0;
    int acc = 0;
    int widest = 0;
    std::size_t p = buffer_.LineStart(buffer_.caretIndex);
    std::size_t separator = std::string::npos;  // in front of the current word
    // Words repeat: each distinct one is converted about once per pass.
    auto widths = std::make_unique<WordWidths>();
    const auto measure = [this](std::string_view word) { return MeasureText(word); };
    while (p <= t.size()) {
        std::size_t q = p;
        while (q < t.size() && !IsSeparator(static_cast<unsigned char>(t[q]))) ++q;
        const int w = widths->Width(std::string_view(t).substr(p, q - p), measure);
        if (acc + w >= textWidth_ && separator != std::string::npos) {
            const auto s = static_cast<unsigned char>(t[separator]);
            buffer_.Replace(separator, s == kSpace ? kSoftBreakSpace : kSoftBreakTab);
            ++breaks;
            widest = std::max(widest, acc);
            acc = 0;
        }
        acc += w;
        if (q >= t.size()) break;
        const auto b = static_cast<unsigned char>(t[q]);
        if (IsLineEnd(b)) {
            widest = std::max(widest, acc);
            acc = 0;
            separator = std::string::npos;
        } else {
            acc = b == kTab ? (acc / kTabStop + 1) * kTabStop : acc + spaceWidth;
            separator = q;
        }
        p = q + 1;
    }
    rewrapWidest_ = std::max(widest, acc);
    buffer_.caretLine = buffer_.LineOf(buffer_.caretIndex);
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    return breaks;
}

platform::Rect EditEngine::Recount() {
    Flush();
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    return {0, buffer_.caretY, textWidth_, buffer_.caretY + metrics_.LineHeight()};
}

void EditEngine::Backspace() {
    if (buffer_.undoArmed) {
        buffer_.undoText = buffer_.Text();
        buffer_.undoArmed = false;
    }
    Flush();
    if (buffer_.caretIndex == 0) {
        Beep();
        return;
    }
    const std::size_t at = buffer_.caretIndex - 1;
    const unsigned char b = buffer_.At(at);
    std::size_t first = at;
    if (b == kForcedBreak) {
        // The break goes with the character in front of it (alone at the start).
        if (at > 0) first = at - 1;
    } else if (at > 0 && buffer_.At(at - 1) == kExtensionCode) {
        first = at - 1;
    }
    const int ends =
        EditBuffer::CountLineEnds(std::string_view(buffer_.Text()).substr(first, at + 1 - first));
    buffer_.Erase(first, at + 1 - first);
    buffer_.caretIndex = first;
    if (ends > 0) {
        buffer_.caretLine -= ends;
        SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
        // The top line may have moved with the joined line: go by lines.
        buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * metrics_.LineHeight();
        while (buffer_.caretLine < buffer_.topLine) {
            ScrollOneLineUp();
            buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * metrics_.LineHeight();
        }
        UpdateVisibleLines();
    }
    ClampSelection();
    buffer_.caretX = XOfOffset(buffer_.caretIndex);
    buffer_.currentLineWidth = MeasureCaretLine();
    if (wordWrap_) Recount();
    RepaintFromCaretLine();
    PlaceCaret(buffer_.caretX, buffer_.caretY);
    UpdateCurrentWord();
}

void EditEngine::DeleteForward() {
    Flush();
    if (buffer_.caretIndex >= buffer_.Size()) {
        Beep();
        return;
    }
    if (buffer_.undoArmed) {
        buffer_.undoText = buffer_.Text();
        buffer_.undoArmed = false;
    }
    const std::size_t at = buffer_.caretIndex;
    const unsigned char b = buffer_.At(at);
    std::size_t count = 1;
    if (b == kForcedBreak) {
        count = 2;
    } else if (b >= kFirstIscii) {
        count = SyllableLength(std::string_view(buffer_.Text()).substr(at));
    }
    count = std::min(count, buffer_.Size() - at);
    const int ends = EditBuffer::CountLineEnds(std::string_view(buffer_.Text()).substr(at, count));
    buffer_.Erase(at, count);
    bool joined = ends > 0;
    if (ends > 0) {
        UpdateVisibleLines();
        SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    }
    if (wordWrap_) {
        Recount();
        const std::size_t c = buffer_.caretIndex;
        if (c > 0 && buffer_.At(c - 1) == kForcedBreak &&
            (c == buffer_.Size() || IsLineEnd(buffer_.At(c)))) {
            // The forced break has nothing left to break.
            buffer_.Erase(c - 1, 1);
            buffer_.caretIndex = c - 1;
            buffer_.caretLine -= 1;
            while (buffer_.caretLine < buffer_.topLine) ScrollOneLineUp();
            buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * metrics_.LineHeight();
            UpdateVisibleLines();
            SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
            joined = true;
        }
    }
    buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * metrics_.LineHeight();
    ClampSelection();
    buffer_.caretX = XOfOffset(buffer_.caretIndex);
    buffer_.currentLineWidth = MeasureCaretLine();
    platform::Rect r = textRect_;
    r.top = std::max(0, buffer_.caretY - (joined ? metrics_.LineHeight() : 0));
    window_.Invalidate(r, true);
    PlaceCaret(buffer_.caretX, buffer_.caretY);
    UpdateCurrentWord();
}

void EditEngine::UpdateCurrentWord() {
    EditBuffer& b = buffer_;
    if (b.Size() == 0) {
        b.currentWord.clear();
        b.keyboardWord.clear();
        b.wordStart = b.wordCaretOffset = b.keyboardCaretOffset = 0;
        b.wordStartX = b.hScroll;
        return;
    }
    std::size_t start = 0;
    if (b.caretIndex > 0) {
        std::size_t p = std::min(b.caretIndex, b.Size()) - 1;
        int steps = 0;
        while (p > 0 && b.At(p) != kSpace && !IsLineEnd(b.At(p)) && steps < 100) {
            --p;
            ++steps;
        }
        start = (b.At(p) == kSpace || IsLineEnd(b.At(p))) ? p + 1 : p;
    }
    std::size_t stop = start;
    while (stop < b.Size() && b.At(stop) != kSpace && !IsLineEnd(b.At(stop))) ++stop;
    b.wordStart = start;
    b.currentWord = b.Text().substr(start, stop - start);
    b.keyboardWord = b.currentWord;
    b.wordCaretOffset = b.caretIndex >= start ? b.caretIndex - start : 0;
    b.keyboardCaretOffset = b.wordCaretOffset;
    b.wordStartX = XOfOffset(start);
}

void EditEngine::EnsureCurrentWord() {
    // The word must be the one at the caret; recompute it when anything
    // moved the text under it.
    const EditBuffer& b = buffer_;
    if (b.wordStart > b.Size() || b.caretIndex != b.wordStart + b.wordCaretOffset ||
        b.Text().compare(b.wordStart, b.currentWord.size(), b.currentWord) != 0) {
        UpdateCurrentWord();
    }
}

void EditEngine::DeleteSelection(bool repaint) {
    Flush();
    if (!HasSelection()) return;
    const std::size_t start = SelectionBegin();
    const std::size_t end = SelectionEnd();
    ClearSelection();
    buffer_.Erase(start, end - start);
    buffer_.caretIndex = start;
    buffer_.caretLine = buffer_.LineOf(start);
    const int h = metrics_.LineHeight();
    if (buffer_.caretLine < buffer_.topLine) {
        SetTopLine(buffer_.caretLine, false);
        window_.Invalidate(textRect_, true);
    }
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.lastLine);
    if (wordWrap_) Recount();
    buffer_.caretY = (buffer_.caretLine - buffer_.topLine) * h;
    buffer_.caretX = XOfOffset(start);
    buffer_.currentLineWidth = MeasureCaretLine();
    if (repaint) RepaintFromCaretLine();
    PlaceCaret(buffer_.caretX, buffer_.caretY);
    UpdateCurrentWord();
}

}  // namespace vexa::edit

namespace vexa::edit {

// Offsets of an empty selection may point past a text that got shorter.
void EditEngine::ClampSelection() {
    selAnchor_ = std::min(selAnchor_, buffer_.Size());
    selExtent_ = std::min(selExtent_, buffer_.Size());
}

}  // namespace vexa::edit
