// Mouse selection, auto-scroll while dragging, and the two scroll bars.
#include <algorithm>

#include "edit/edit_engine.h"

namespace vexa::edit {

namespace {

int FloorToMultiple(int v, int m) {
    if (m <= 0) return 0;
    const int q = v / m - ((v % m != 0 && v < 0) ? 1 : 0);
    return q * m;
}

}  // namespace

int EditEngine::LineAtPoint(int y) {
    EditBuffer& b = buffer_;
    const int h = metrics_.LineHeight();
    int row = h > 0 ? FloorToMultiple(y, h) / h : 0;
    row = std::clamp(row, 0, std::max(0, pageLines_ - 1));
    b.caretLine = std::min(b.topLine + row, b.lastLine);
    b.currentLineWidth = MeasureText(LineAround(b.LineOffset(b.caretLine)));
    return (b.caretLine - b.topLine) * h;
}

void EditEngine::OnLButtonDown(unsigned flags, platform::Point point) {
    Flush();
    if (!window_.HasFocus()) window_.SetFocus();
    if (!textRect_.Contains(point)) return;
    EditBuffer& b = buffer_;
    SnapToSyllable();
    caretFollow_ = true;
    dragging_ = true;
    window_.SetCapture();
    const int oldX = b.caretX;
    const int oldY = b.caretY;
    const int scrollsBefore = scrollCount_;
    if (flags & kMouseShift) {
        if (selAnchor_ == 0 && selExtent_ == 0) {
            selAnchor_ = b.caretIndex;
            selAnchorLine_ = b.caretLine;
            selAnchorX_ = b.caretX;
            selAnchorY_ = b.caretY;
        }
        platform::Point p{point.x, LineAtPoint(point.y)};
        b.caretIndex = IndexAtPoint(p);
        PlaceCaret(p.x, p.y);
        selExtent_ = b.caretIndex;
        if (scrollCount_ == scrollsBefore) {
            InvertSelection(oldX, oldY, b.caretX, b.caretY);
        } else {
            window_.Invalidate(textRect_, true);
        }
    } else {
        if (HasSelection()) ClearSelection();
        selAnchor_ = selExtent_ = 0;
        platform::Point p{point.x, LineAtPoint(point.y)};
        b.caretIndex = IndexAtPoint(p);
        PlaceCaret(p.x, p.y);
        selAnchor_ = selExtent_ = b.caretIndex;
        selAnchorLine_ = b.caretLine;
        selAnchorX_ = b.caretX;
        selAnchorY_ = b.caretY;
    }
    UpdateCurrentWord();
    b.undoArmed = true;
}

void EditEngine::OnLButtonUp(unsigned /*flags*/, platform::Point /*point*/) {
    window_.ReleaseCapture();
    dragging_ = false;
    if (selAnchor_ == selExtent_) {
        selAnchor_ = selExtent_ = 0;
    } else {
        selExtent_ = buffer_.caretIndex;
    }
    CheckSelectionEvents();
}

void EditEngine::OnMouseMove(unsigned flags, platform::Point point) {
    if (!window_.HasCapture() || !(flags & kMouseLeft)) return;
    Flush();
    EditBuffer& b = buffer_;
    const int oldX = b.caretX;
    const int oldY = b.caretY;
    const int scrollsBefore = scrollCount_;
    if (textRect_.Contains(point)) {
        window_.SetCapture();
        dragging_ = true;
        platform::Point p{point.x, LineAtPoint(point.y)};
        b.caretIndex = IndexAtPoint(p);
        PlaceCaret(p.x, p.y);
        UpdateCurrentWord();
        if (scrollCount_ == scrollsBefore) {
            InvertSelection(oldX, oldY, b.caretX, b.caretY);
        } else {
            window_.Invalidate(textRect_, true);
        }
    } else {
        // Outside the text: move the caret towards the mouse as Shift with
        // the arrow keys would, and come back while the button is held.
        platform::Point cursor = window_.CursorPosition();
        const int y = FloorToMultiple(cursor.y, metrics_.LineHeight());
        const KeyModifiers shift{true, false};
        if (b.lastLine > 0) {
            if (y >= textRect_.bottom || y > b.caretY) {
                OnKeyDown(keys::kDown, shift);
            } else if (y < textRect_.top || y < b.caretY) {
                OnKeyDown(keys::kUp, shift);
            }
        }
        const int x = cursor.x;
        const bool atLeftEdge = b.hScroll == 0 && b.caretX == 0;
        platform::Point probe{x, b.caretY};
        const std::size_t there = IndexAtPoint(probe);
        if ((x < textRect_.left || x < b.caretX) && !atLeftEdge && there < b.caretIndex) {
            OnKeyDown(keys::kLeft, shift);
        } else if ((x > textRect_.right || x > b.caretX) && there > b.caretIndex) {
            OnKeyDown(keys::kRight, shift);
        }
        if (window_.LeftButtonDown()) {
            platform::Point again = point;
            if (point.x >= 0 && point.x <= textWidth_) again.x = b.caretX;
            window_.PostMouseMove(flags, again);
        }
    }
    selExtent_ = b.caretIndex;
}

void EditEngine::OnVScroll(int code, int position) {
    Flush();
    EditBuffer& b = buffer_;
    const int old = b.topLine;
    int top = old;
    switch (code) {
        case scroll::kLineUp: top = old - 1; break;
        case scroll::kLineDown: top = old + 1; break;
        case scroll::kPageUp: top = old - pageLines_; break;
        case scroll::kPageDown: top = old + pageLines_; break;
        case scroll::kThumbPosition: top = position; break;
        case scroll::kThumbTrack: return;
        default: top = window_.ScrollPosition(platform::ScrollBar::Vertical); break;
    }
    top = std::clamp(top, 0, b.lastLine);
    if (top == old) return;
    const int h = metrics_.LineHeight();
    const bool wasInside = b.caretY >= 0 && b.caretY < textRect_.bottom;
    b.caretY += (old - top) * h;
    selAnchorY_ += (old - top) * h;
    const bool inside = b.caretY >= 0 && b.caretY < textRect_.bottom;
    if (wasInside && !inside) caretFollow_ = false;
    SetTopLine(top, false);
    platform::Rect clip = textRect_;
    if (h > 0) clip.bottom -= clip.bottom % h;
    window_.ScrollContents(0, (old - top) * h, clip);
    window_.Update();
    PlaceCaret(b.caretX, b.caretY);
}

void EditEngine::OnHScroll(int code, int position) {
    Flush();
    EditBuffer& b = buffer_;
    int h = b.hScroll;
    switch (code) {
        case scroll::kLineUp: h += 20; break;
        case scroll::kLineDown: h -= 20; break;
        case scroll::kPageUp: h += textWidth_; break;
        case scroll::kPageDown: h -= textWidth_; break;
        case scroll::kThumbPosition: h = -position; break;
        case scroll::kThumbTrack: return;
        default: h = -window_.ScrollPosition(platform::ScrollBar::Horizontal); break;
    }
    h = std::clamp(h, -b.widestLine, 0);
    if (h == b.hScroll) return;
    const int delta = h - b.hScroll;
    const bool wasInside = b.caretX >= 0 && b.caretX <= textWidth_;
    b.caretX += delta;
    b.wordStartX += delta;
    selAnchorX_ += delta;
    if (wasInside && (b.caretX < 0 || b.caretX > textWidth_)) caretFollow_ = false;
    b.hScroll = h;
    ++scrollCount_;
    SetBarPos(platform::ScrollBar::Horizontal, -h);
    window_.ScrollContents(delta, 0, textRect_);
    window_.Update();
    PlaceCaret(b.caretX, b.caretY);
}

}  // namespace vexa::edit
