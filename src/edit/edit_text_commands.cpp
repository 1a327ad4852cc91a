// Commands on the whole text (assigning, undo, a replaced text) and on the
// selection as automation sets it.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

namespace {

// The 8-bit filter for text the control reloads from itself (undo): like
// the host filter, but tabs and extension pairs (0xF0 and a byte from 0xA1
// up) survive, since the control produced them.
std::string FilterReloadedText(std::string_view input) {
    std::string out;
    out.reserve(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto b = static_cast<unsigned char>(input[i]);
        if (b == kExtensionCode && i + 1 < input.size() &&
            static_cast<unsigned char>(input[i + 1]) >= 0xA1) {
            out += input.substr(i, 2);
            ++i;
            continue;
        }
        if (b == 0x1F || b == 0xEF || b == kExtensionCode) {
            ++i;
            continue;
        }
        if (b == kLineFeed) {
            if (i > 0 && static_cast<unsigned char>(input[i - 1]) != kHardBreak) out += '\r';
            out += static_cast<char>(b);
        } else if (IsLineEnd(b) || b == kTab || (b >= 0x20 && b <= 0x7E) ||
                   (b >= 0xA1 && b <= 0xEA)) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

}  // namespace

EditCommands::EditCommands(platform::ControlWindow& window, platform::MessageBoxes& messages,
                           EditEvents& events, const EditStyle& style,
                           const common::DrawingScript& script, EditBuffer& buffer, EditView& view)
    : window_(window),
      messages_(messages),
      events_(events),
      style_(style),
      script_(script),
      buffer_(buffer),
      view_(view) {}

void EditCommands::Reset() {
    word_ = CurrentWord();
    shiftSelecting_ = false;
}

void EditCommands::SetText(std::string text) {
    buffer_.Flush();
    view_.Reset(false);
    shiftSelecting_ = false;
    const bool wrapped = view_.WrapsLines() && style_.multiLine;
    if (wrapped) {
        // Soft breaks go back to what they stand for before wrapping again.
        for (char& c : text) {
            if (c == static_cast<char>(kSoftBreakSpace)) c = ' ';
            if (c == static_cast<char>(kSoftBreakTab)) c = static_cast<char>(kTab);
        }
    }
    buffer_.Reset(std::move(text));
    if (wrapped) view_.Rewrap();
    buffer_.SetCaret(0, 0);
    view_.SetCaretX(0);
    view_.SetCaretY(0);
    UpdateCurrentWord();
    view_.UpdateVisibleLines();
    view_.SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    view_.SetBarPos(platform::ScrollBar::Vertical, 0);

    // A wrapped text was measured line by line while it was wrapped.
    int widest = wrapped ? view_.RewrapWidest() : 0;
    const std::string& t = buffer_.Text();
    for (std::size_t p = 0; !wrapped && p <= t.size();) {
        const std::size_t stop = buffer_.LineStop(p);
        widest = std::max(widest, view_.MeasureText(std::string_view(t).substr(p, stop - p)));
        p = stop + 1;
    }
    view_.SetWidestLine(widest);
    if (widest > 0) view_.SetBarRange(platform::ScrollBar::Horizontal, widest);
    view_.MeasureCaretLineWidth();
    window_.InvalidateAll(true);
}

void EditCommands::Undo() {
    buffer_.Flush();
    std::string previous = buffer_.Text();
    SetText(FilterReloadedText(buffer_.UndoText()));
    buffer_.SetUndoText(std::move(previous));
}

void EditCommands::ReplaceText(std::string text, std::size_t caret) {
    buffer_.Flush();
    const int top = buffer_.TopLine();
    // SetText counts the lines, wraps again, resets the selection and sets
    // the scroll ranges; the view and the caret are then put back.
    SetText(std::move(text));
    view_.SetTopLine(top, false);
    MoveCaretTo(caret);
    view_.KeepCaretInView();
    view_.InvalidateText();
}

void EditCommands::SetSelStart(int start) {
    buffer_.Flush();
    view_.Sel().anchor =
        static_cast<std::size_t>(std::clamp<long>(start, 0, static_cast<long>(buffer_.Size())));
    events_.Modified();
}

void EditCommands::SetSelLength(int length) {
    buffer_.Flush();
    Selection& sel = view_.Sel();
    const long end = std::clamp<long>(static_cast<long>(sel.anchor) + length, 0,
                                      static_cast<long>(buffer_.Size()));
    sel.extent = static_cast<std::size_t>(end);
    view_.PlaceAnchor();
    MoveCaretTo(sel.extent);
    window_.InvalidateAll(true);
    events_.Modified();
}

void EditCommands::MoveCaretTo(std::size_t index) {
    buffer_.MoveCaret(index);
    view_.SetCaretX(view_.XOfOffset(buffer_.CaretIndex()));
    view_.CaretRowFromLine();
    view_.MeasureCaretLineWidth();
    UpdateCurrentWord();
    view_.PlaceCaret();
}

}  // namespace vexa::edit
