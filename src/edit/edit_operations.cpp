// Editing the text: line breaks, wrapping at the caret, deleting, pasting.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

namespace {

bool IsSeparator(unsigned char b) { return b == kSpace || b == kTab || IsLineEnd(b); }

}  // namespace

void EditCommands::InsertLineBreak(unsigned char marker) {
    buffer_.Flush();
    buffer_.AppendPending(marker);
    buffer_.Flush();
    const std::size_t caret = buffer_.CaretIndex();
    if (marker == kHardBreak && caret < buffer_.Size() && buffer_.At(caret) == kForcedBreak) {
        // Enter in front of a forced break takes its place.
        buffer_.Erase(caret, 1);
    }
    view_.MeasureCaretLineWidth();
    view_.UpdateVisibleLines();
    view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());

    view_.SetCaretX(view_.HScroll());
    if (buffer_.CaretLine() - buffer_.TopLine() >= view_.PageLines()) {
        view_.ScrollOneLineDown();
    } else {
        view_.SetCaretY(view_.CaretY() + view_.LineHeight());
    }
    if (view_.HScroll() != 0) view_.ScrollTo(0, true, true);
    view_.PlaceCaret(0, view_.CaretY());
    view_.InvalidateText();
    if (marker == kHardBreak) window_.Update();
    UpdateCurrentWord();
}

int EditCommands::WrapAtCaret() {
    buffer_.Flush();
    if ((view_.WrapsLines() && !style_.multiLine) ||
        (!style_.autoVScroll && buffer_.LastLine() >= std::max(1, view_.PageLines()) - 1)) {
        TakeBackKeystroke();
        return 0;
    }
    const std::size_t caret = buffer_.CaretIndex();
    if (caret == 0) return 2;
    std::size_t q = caret - 1;
    while (q > 0 && !IsSeparator(buffer_.At(q))) --q;
    const unsigned char found = buffer_.At(q);
    if (found != kSpace && found != kTab) {
        if (!view_.WrapsLines()) return 2;
        // No place to break: the syllable just typed starts a new line.
        StepLeft();
        InsertLineBreak(kForcedBreak);
        StepRight();
        return 2;
    }
    buffer_.Replace(q, found == kSpace ? kSoftBreakSpace : kSoftBreakTab);
    view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    buffer_.SetCaret(caret, buffer_.CaretLine() + 1);
    view_.UpdateVisibleLines();
    const std::string_view typed = std::string_view(buffer_.Text()).substr(q + 1, caret - q - 1);
    view_.SetCaretX(view_.HScroll() + view_.MeasureText(typed));
    if (buffer_.CaretLine() - buffer_.TopLine() >= view_.PageLines()) {
        view_.ScrollOneLineDown();
    } else {
        view_.SetCaretY(view_.CaretY() + view_.LineHeight());
    }
    view_.PlaceCaret();
    view_.InvalidateText();
    return 1;
}

void EditCommands::Backspace() {
    buffer_.KeepUndoCopy();
    buffer_.Flush();
    const std::size_t caret = buffer_.CaretIndex();
    if (caret == 0) {
        messages_.Beep();
        return;
    }
    const std::size_t at = caret - 1;
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
    buffer_.SetCaret(first, buffer_.CaretLine() - ends);
    if (ends > 0) {
        view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
        // The top line may have moved with the joined line: go by lines.
        view_.CaretRowFromLine();
        while (buffer_.CaretLine() < buffer_.TopLine()) {
            view_.ScrollOneLineUp();
            view_.CaretRowFromLine();
        }
        view_.UpdateVisibleLines();
    }
    ClampSelection();
    view_.SetCaretX(view_.XOfOffset(first));
    view_.MeasureCaretLineWidth();
    if (view_.WrapsLines()) view_.Recount();
    view_.RepaintFromCaretLine();
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::DeleteForward() {
    buffer_.Flush();
    const std::size_t at = buffer_.CaretIndex();
    if (at >= buffer_.Size()) {
        messages_.Beep();
        return;
    }
    buffer_.KeepUndoCopy();
    const unsigned char b = buffer_.At(at);
    std::size_t count = 1;
    if (b == kForcedBreak) {
        count = 2;
    } else if (b >= kFirstIscii) {
        count = view_.SyllableLength(std::string_view(buffer_.Text()).substr(at));
    }
    count = std::min(count, buffer_.Size() - at);
    const int ends = EditBuffer::CountLineEnds(std::string_view(buffer_.Text()).substr(at, count));
    buffer_.Erase(at, count);
    bool joined = ends > 0;
    if (ends > 0) {
        view_.UpdateVisibleLines();
        view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    }
    if (view_.WrapsLines()) {
        view_.Recount();
        const std::size_t c = buffer_.CaretIndex();
        if (c > 0 && buffer_.At(c - 1) == kForcedBreak &&
            (c == buffer_.Size() || IsLineEnd(buffer_.At(c)))) {
            // The forced break has nothing left to break.
            buffer_.Erase(c - 1, 1);
            buffer_.SetCaret(c - 1, buffer_.CaretLine() - 1);
            while (buffer_.CaretLine() < buffer_.TopLine()) view_.ScrollOneLineUp();
            view_.CaretRowFromLine();
            view_.UpdateVisibleLines();
            view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
            joined = true;
        }
    }
    view_.CaretRowFromLine();
    ClampSelection();
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.MeasureCaretLineWidth();
    platform::Rect r = view_.TextArea();
    r.top = std::max(0, view_.CaretY() - (joined ? view_.LineHeight() : 0));
    window_.Invalidate(r, true);
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::DeleteSelection(bool repaint) {
    buffer_.Flush();
    if (!view_.Sel().Any()) return;
    const std::size_t start = view_.Sel().Begin();
    const std::size_t end = view_.Sel().End();
    view_.ClearSelection();
    buffer_.Erase(start, end - start);
    buffer_.MoveCaret(start);
    if (buffer_.CaretLine() < buffer_.TopLine()) {
        view_.SetTopLine(buffer_.CaretLine(), false);
        view_.InvalidateText();
    }
    view_.UpdateVisibleLines();
    view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    if (view_.WrapsLines()) view_.Recount();
    view_.CaretRowFromLine();
    view_.SetCaretX(view_.XOfOffset(start));
    view_.MeasureCaretLineWidth();
    if (repaint) view_.RepaintFromCaretLine();
    view_.PlaceCaret();
    UpdateCurrentWord();
}

// Offsets of an empty selection may point past a text that got shorter.
void EditCommands::ClampSelection() {
    Selection& sel = view_.Sel();
    sel.anchor = std::min(sel.anchor, buffer_.Size());
    sel.extent = std::min(sel.extent, buffer_.Size());
}

void EditCommands::InsertPasted(const std::string& bytes) {
    buffer_.Flush();
    buffer_.KeepUndoCopy();
    if (view_.Sel().Any()) DeleteSelection(false);
    const int lineEnds = EditBuffer::CountLineEnds(bytes);
    word_.text.clear();
    buffer_.SetPending(bytes);
    buffer_.InsertPendingAt(buffer_.CaretIndex());  // the caret stays in front of the pasted text
    // Soft line ends are spaces and tabs again; the text is wrapped anew.
    for (std::size_t i = buffer_.CaretIndex(); i < buffer_.Size(); ++i) {
        const unsigned char b = buffer_.At(i);
        if (b == kSoftBreakSpace) buffer_.Replace(i, kSpace);
        if (b == kSoftBreakTab) buffer_.Replace(i, kTab);
    }
    if (view_.WrapsLines() && style_.multiLine) view_.Rewrap();
    buffer_.MoveCaret(buffer_.CaretIndex());
    view_.EnsureCaretLineVisible();
    view_.Recount();
    view_.CaretRowFromLine();
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.MeasureCaretLineWidth();
    if (lineEnds > 0) {
        view_.InvalidateText();
    } else {
        view_.RepaintFromCaretLine();
    }
    view_.PlaceCaret();
    UpdateCurrentWord();
}

}  // namespace vexa::edit
