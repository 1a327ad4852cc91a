// Mouse selection and the auto-scroll while dragging outside the text.
#include <algorithm>

#include "edit/edit_commands.h"

namespace vexa::edit {

void EditCommands::AnchorAtCaret() {
    Selection& sel = view_.Sel();
    sel.anchorLine = buffer_.CaretLine();
    sel.anchorX = view_.CaretX();
    sel.anchorY = view_.CaretY();
}

void EditCommands::CaretToPoint(platform::Point point) {
    platform::Point p{point.x, view_.LineAtPoint(point.y)};
    buffer_.SetCaret(view_.IndexAtPoint(p), buffer_.CaretLine());
    view_.PlaceCaret(p.x, p.y);
}

void EditCommands::OnLButtonDown(unsigned flags, platform::Point point) {
    unicodeTyping_.Reset();
    buffer_.Flush();
    if (!window_.HasFocus()) window_.SetFocus();
    if (!view_.TextArea().Contains(point)) return;
    SnapToSyllable();
    view_.SetCaretFollows(true);
    Selection& sel = view_.Sel();
    sel.dragging = true;
    window_.SetCapture();
    const int oldX = view_.CaretX();
    const int oldY = view_.CaretY();
    const int scrollsBefore = view_.ScrollCount();
    if (flags & kMouseShift) {
        if (sel.anchor == 0 && sel.extent == 0) {
            sel.anchor = buffer_.CaretIndex();
            AnchorAtCaret();
        }
        CaretToPoint(point);
        sel.extent = buffer_.CaretIndex();
        if (view_.ScrollCount() == scrollsBefore) {
            view_.InvertSelection(oldX, oldY, view_.CaretX(), view_.CaretY());
        } else {
            view_.InvalidateText();
        }
    } else {
        if (sel.Any()) view_.ClearSelection();
        sel.anchor = sel.extent = 0;
        CaretToPoint(point);
        sel.anchor = sel.extent = buffer_.CaretIndex();
        AnchorAtCaret();
    }
    UpdateCurrentWord();
    buffer_.ArmUndo();
}

void EditCommands::OnLButtonUp() {
    window_.ReleaseCapture();
    Selection& sel = view_.Sel();
    sel.dragging = false;
    if (sel.anchor == sel.extent) {
        sel.anchor = sel.extent = 0;
    } else {
        sel.extent = buffer_.CaretIndex();
    }
    CheckSelectionEvents();
}

void EditCommands::OnMouseMove(unsigned flags, platform::Point point) {
    if (!window_.HasCapture() || !(flags & kMouseLeft)) return;
    buffer_.Flush();
    const int oldX = view_.CaretX();
    const int oldY = view_.CaretY();
    const int scrollsBefore = view_.ScrollCount();
    const platform::Rect& text = view_.TextArea();
    if (text.Contains(point)) {
        window_.SetCapture();
        view_.Sel().dragging = true;
        CaretToPoint(point);
        UpdateCurrentWord();
        if (view_.ScrollCount() == scrollsBefore) {
            view_.InvertSelection(oldX, oldY, view_.CaretX(), view_.CaretY());
        } else {
            view_.InvalidateText();
        }
    } else {
        // Outside the text: move the caret towards the mouse as Shift with
        // the arrow keys would, and come back while the button is held.
        const platform::Point cursor = window_.CursorPosition();
        const int h = view_.LineHeight();
        const int y = h > 0 ? cursor.y - (((cursor.y % h) + h) % h) : 0;
        const KeyModifiers shift{true, false};
        if (buffer_.LastLine() > 0) {
            if (y >= text.bottom || y > view_.CaretY()) {
                OnKeyDown(keys::kDown, shift);
            } else if (y < text.top || y < view_.CaretY()) {
                OnKeyDown(keys::kUp, shift);
            }
        }
        const int x = cursor.x;
        const bool atLeftEdge = view_.HScroll() == 0 && view_.CaretX() == 0;
        platform::Point probe{x, view_.CaretY()};
        const std::size_t there = view_.IndexAtPoint(probe);
        if ((x < text.left || x < view_.CaretX()) && !atLeftEdge && there < buffer_.CaretIndex()) {
            OnKeyDown(keys::kLeft, shift);
        } else if ((x > text.right || x > view_.CaretX()) && there > buffer_.CaretIndex()) {
            OnKeyDown(keys::kRight, shift);
        }
        if (window_.LeftButtonDown()) {
            platform::Point again = point;
            if (point.x >= 0 && point.x <= view_.TextWidth()) again.x = view_.CaretX();
            window_.PostMouseMove(flags, again);
        }
    }
    view_.Sel().extent = buffer_.CaretIndex();
}

void EditCommands::CheckSelectionEvents() {
    const bool any = view_.Sel().Any();
    if (any && !selectedFired_) {
        selectedFired_ = true;
        events_.Selected();
    } else if (!any && selectedFired_) {
        selectedFired_ = false;
        events_.UnSelected();
    }
}

}  // namespace vexa::edit
