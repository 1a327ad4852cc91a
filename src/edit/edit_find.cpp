// What Find and Replace do to the control: show its first line, select a
// match and bring it into view.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

void EditCommands::ShowTextStart() {
    buffer_.Flush();
    if (buffer_.TopLine() != 0) {
        view_.SetTopLine(0, true);
        view_.InvalidateText();
    }
    view_.ScrollTo(0, false, true);
    MoveCaretTo(0);
}

void EditCommands::SelectRange(std::size_t begin, std::size_t end) {
    buffer_.Flush();
    const std::size_t size = buffer_.Size();
    begin = std::min(begin, size);
    end = std::clamp(end, begin, size);
    view_.ClearSelection();
    view_.Sel().anchor = begin;
    view_.Sel().extent = end;
    // The line of the match's end comes into view directly (no key is
    // dispatched, so a view that cannot page never holds the dialog up).
    const int line = buffer_.LineOf(end);
    int top = std::min(buffer_.TopLine(), buffer_.LineOf(begin));
    if (line >= top + view_.PageLines()) top = line - view_.PageLines() + 1;
    view_.SetTopLine(top, false);
    // Then the row: from the left edge when the match fits there.
    const std::size_t lineStart = buffer_.LineStart(end);
    const int x =
        view_.MeasureText(std::string_view(buffer_.Text()).substr(lineStart, end - lineStart));
    const int width = view_.TextWidth();
    view_.ScrollTo(x <= width ? 0 : width - x - 2, false, false);
    view_.PlaceAnchor();
    MoveCaretTo(end);
    view_.InvalidateText();
}

}  // namespace vexa::edit
