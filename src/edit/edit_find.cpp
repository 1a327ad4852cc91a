// What Find and Replace do to the control: show its first line, select a
// match and bring it into view, take a changed text.
#include <algorithm>

#include "edit/edit_engine.h"

namespace vexa::edit {

void EditEngine::ShowTextStart() {
    Flush();
    if (buffer_.topLine != 0) {
        SetTopLine(0, true);
        window_.Invalidate(textRect_, true);
    }
    ScrollTo(0, false, true);
    MoveCaretTo(0);
}

void EditEngine::SelectRange(std::size_t begin, std::size_t end) {
    Flush();
    const std::size_t size = buffer_.Size();
    begin = std::min(begin, size);
    end = std::clamp(end, begin, size);
    ClearSelection();
    selAnchor_ = begin;
    selExtent_ = end;
    // The line of the match's end comes into view directly (no key is
    // dispatched, so a view that cannot page never holds the dialog up).
    const int line = buffer_.LineOf(end);
    int top = std::min(buffer_.topLine, buffer_.LineOf(begin));
    if (line >= top + pageLines_) top = line - pageLines_ + 1;
    SetTopLine(top, false);
    // Then the row: from the left edge when the match fits there.
    const int x = MeasureText(std::string_view(buffer_.Text())
                                  .substr(buffer_.LineStart(end), end - buffer_.LineStart(end)));
    ScrollTo(x <= textWidth_ ? 0 : textWidth_ - x - 2, false, false);
    const int h = metrics_.LineHeight();
    selAnchorLine_ = buffer_.LineOf(begin);
    selAnchorX_ = XOfOffset(begin);
    selAnchorY_ = (selAnchorLine_ - buffer_.topLine) * h;
    MoveCaretTo(end);
    window_.Invalidate(textRect_, true);
}

void EditEngine::ReplaceText(std::string text, std::size_t caret) {
    Flush();
    const int top = buffer_.topLine;
    // SetText counts the lines, wraps again, resets the selection and sets
    // the scroll ranges; the view and the caret are then put back.
    SetText(std::move(text));
    SetTopLine(top, false);
    MoveCaretTo(caret);
    KeepCaretInView();
    window_.Invalidate(textRect_, true);
}

}  // namespace vexa::edit
