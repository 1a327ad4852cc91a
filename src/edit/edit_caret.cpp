// Caret movement by syllables, lines and pages, and the word at the caret.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

void EditCommands::StepRight() {
    buffer_.Flush();
    const std::size_t index = buffer_.CaretIndex();
    if (index >= buffer_.Size()) return;
    const unsigned char c = buffer_.At(index);
    if (IsLineEnd(c)) {
        if (buffer_.CaretLine() >= buffer_.LastLine()) return;
        buffer_.SetCaret(index + 1, buffer_.CaretLine() + 1);
        if (buffer_.CaretLine() - buffer_.TopLine() >= view_.PageLines()) {
            view_.ScrollOneLineDown();
        } else {
            view_.SetCaretY(view_.CaretY() + view_.LineHeight());
        }
        if (view_.HScroll() < 0) view_.ScrollTo(0, false, true);
        view_.MeasureCaretLineWidth();
    } else if (c < kFirstIscii) {
        buffer_.SetCaret(index + 1, buffer_.CaretLine());
    } else {
        const std::size_t n = view_.SyllableLength(std::string_view(buffer_.Text()).substr(index));
        buffer_.SetCaret(index + n, buffer_.CaretLine());
    }
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::StepLeft() {
    buffer_.Flush();
    const std::size_t index = buffer_.CaretIndex();
    if (index == 0) return;
    const unsigned char c = buffer_.At(index - 1);
    if (IsLineEnd(c)) {
        buffer_.SetCaret(index - 1, buffer_.CaretLine() - 1);
        view_.SetCaretY(view_.CaretY() - view_.LineHeight());
        if (view_.CaretY() < 0) {
            view_.ScrollOneLineUp();
            view_.SetCaretY(view_.CaretY() + view_.LineHeight());
        }
        view_.MeasureCaretLineWidth();
    } else if (c < kFirstIscii || script_.englishScript) {
        buffer_.SetCaret(index - 1, buffer_.CaretLine());
    } else {
        // Syllables are only known going forward: walk the word from its
        // start and stop at the last boundary before the caret.
        std::size_t start = index;
        while (start > 0 && buffer_.At(start - 1) != kSpace && !IsLineEnd(buffer_.At(start - 1))) {
            --start;
        }
        const std::string_view word = std::string_view(buffer_.Text()).substr(start, index - start);
        std::size_t p = 0, last = 0;
        while (p < word.size()) {
            last = p;
            p += view_.SyllableLength(word.substr(p));
        }
        buffer_.SetCaret(start + last, buffer_.CaretLine());
    }
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.PlaceCaret();
    UpdateCurrentWord();
}

int EditCommands::SnapToSyllable() {
    buffer_.Flush();
    EnsureCurrentWord();
    const std::size_t index = buffer_.CaretIndex();
    if (index == 0 || index >= buffer_.Size() || word_.caretOffset == 0) return 1;
    const std::string_view word(word_.text);
    std::size_t p = 0;
    while (p < word.size() && p < word_.caretOffset) p += view_.SyllableLength(word.substr(p));
    p = std::min(p, word.size());
    if (p == word_.caretOffset) return 1;
    buffer_.SetCaret(word_.start + p, buffer_.CaretLine());
    view_.SetCaretX(view_.WordStartX() + view_.MeasureText(word.substr(0, p)));
    word_.caretOffset = word_.keyCaretOffset = p;
    view_.RedrawWord(word_.start);
    view_.PlaceCaret();
    return 0;
}

// --------------------------------------------------------- lines and pages

void EditCommands::LineDown() {
    buffer_.Flush();
    const int line = buffer_.CaretLine();
    const int pageLines = view_.PageLines();
    if ((!style_.autoVScroll && line >= pageLines - 1) || line >= buffer_.LastLine()) return;
    const bool lastRow = line - buffer_.TopLine() >= pageLines - 1;
    buffer_.SetCaret(buffer_.CaretIndex(), line + 1);
    if (lastRow) {
        view_.ScrollOneLineDown();
    } else {
        view_.SetCaretY(view_.CaretY() + view_.LineHeight());
    }
    KeepCaretColumn();
}

void EditCommands::LineUp() {
    buffer_.Flush();
    const int line = buffer_.CaretLine();
    if (line == 0) return;
    const bool firstRow = line <= buffer_.TopLine();
    buffer_.SetCaret(buffer_.CaretIndex(), line - 1);
    if (firstRow) view_.ScrollOneLineUp();
    view_.CaretRowFromLine();
    KeepCaretColumn();
}

void EditCommands::KeepCaretColumn() {
    platform::Point p{view_.CaretX(), view_.CaretY()};
    buffer_.SetCaret(view_.IndexAtPoint(p), buffer_.CaretLine());
    view_.SetCaretX(p.x);
    view_.MeasureCaretLineWidth();
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::PageUp() {
    buffer_.Flush();
    const int top = buffer_.TopLine();
    const int newTop = std::max(0, top - view_.PageLines() + 1);
    if (newTop == top) return;
    MovePage(newTop, std::max(0, buffer_.CaretLine() - (top - newTop)));
}

void EditCommands::PageDown() {
    buffer_.Flush();
    const int top = buffer_.TopLine();
    const int newTop = std::min(buffer_.LastLine(), top + view_.PageLines() - 1);
    if (newTop == top) return;
    MovePage(newTop, std::min(buffer_.LastLine(), buffer_.CaretLine() + view_.PageLines() - 1));
}

void EditCommands::MovePage(int newTop, int caretLine) {
    buffer_.SetCaret(buffer_.CaretIndex(), caretLine);
    view_.SetTopLine(newTop, true);
    view_.CaretRowFromLine();
    view_.MeasureCaretLineWidth();
    platform::Point p{view_.CaretX(), view_.CaretY()};
    buffer_.SetCaret(view_.IndexAtPoint(p), caretLine);
    view_.SetCaretX(p.x);
    view_.InvalidateText();
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::LineHome() {
    buffer_.Flush();
    if (view_.HScroll() != 0) view_.ScrollTo(0, false, true);
    platform::Point p{view_.HScroll(), view_.CaretY()};
    buffer_.SetCaret(view_.IndexAtPoint(p), buffer_.CaretLine());
    view_.SetCaretX(p.x);
    view_.PlaceCaret();
    UpdateCurrentWord();
}

void EditCommands::LineEnd() {
    buffer_.Flush();
    view_.CaretRowFromLine();
    const std::size_t start = buffer_.LineOffset(buffer_.CaretLine());
    buffer_.SetCaret(buffer_.LineStop(start), buffer_.CaretLine());
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.SetCaretLineWidth(view_.CaretX() - view_.HScroll());
    view_.PlaceCaret();
    UpdateCurrentWord();
}

// ------------------------------------------------------ the word at the caret

void EditCommands::UpdateCurrentWord() {
    const std::size_t size = buffer_.Size();
    const std::size_t caret = buffer_.CaretIndex();
    if (size == 0) {
        word_ = CurrentWord();
        view_.SetWordStartX(view_.HScroll());
        return;
    }
    std::size_t start = 0;
    if (caret > 0) {
        std::size_t p = std::min(caret, size) - 1;
        int steps = 0;
        while (p > 0 && buffer_.At(p) != kSpace && !IsLineEnd(buffer_.At(p)) && steps < 100) {
            --p;
            ++steps;
        }
        start = (buffer_.At(p) == kSpace || IsLineEnd(buffer_.At(p))) ? p + 1 : p;
    }
    std::size_t stop = start;
    while (stop < size && buffer_.At(stop) != kSpace && !IsLineEnd(buffer_.At(stop))) ++stop;
    word_.start = start;
    word_.text = buffer_.Text().substr(start, stop - start);
    word_.keyText = word_.text;
    word_.caretOffset = caret >= start ? caret - start : 0;
    word_.keyCaretOffset = word_.caretOffset;
    view_.SetWordStartX(view_.XOfOffset(start));
}

void EditCommands::EnsureCurrentWord() {
    // The word must be the one at the caret; recompute it when anything
    // moved the text under it.
    if (word_.start > buffer_.Size() || buffer_.CaretIndex() != word_.start + word_.caretOffset ||
        buffer_.Text().compare(word_.start, word_.text.size(), word_.text) != 0) {
        UpdateCurrentWord();
    }
}

}  // namespace vexa::edit
