// The view's scrolling: the top line, the horizontal scroll, the scroll bars,
// keeping the caret in view, and the selection's anchor as it moves with them.
#include <algorithm>

#include "edit/edit_view.h"

namespace vexa::edit {

void EditView::SetBarRange(platform::ScrollBar bar, int maximum) {
    const bool on = bar == platform::ScrollBar::Vertical ? style_.vScrollBar : style_.hScrollBar;
    if (!on) return;
    window_.SetScrollRange(bar, 0, maximum < 2 ? 1 : maximum);
}

void EditView::SetBarPos(platform::ScrollBar bar, int position) {
    const bool on = bar == platform::ScrollBar::Vertical ? style_.vScrollBar : style_.hScrollBar;
    if (on) window_.SetScrollPosition(bar, position);
}

void EditView::SetTopLine(int line, bool moveAnchor) {
    line = std::clamp(line, 0, buffer_.LastLine());
    const int old = buffer_.TopLine();
    buffer_.SetTopLine(line);
    if (moveAnchor) sel_.anchorY += metrics_.LineHeight() * (old - line);
    if (line != old) ++scrollCount_;
    UpdateVisibleLines();
    SetBarPos(platform::ScrollBar::Vertical, line);
}

void EditView::ScrollTo(int x, bool moveCaret, bool repaint) {
    const int h = std::min(0, x);
    const int delta = h - hScroll_;
    if (delta == 0) return;
    ++scrollCount_;
    hScroll_ = h;
    caret_.wordStartX += delta;
    sel_.anchorX += delta;
    SetBarPos(platform::ScrollBar::Horizontal, -h);
    if (moveCaret) {
        const bool follow = caretFollow_;
        caretFollow_ = false;
        PlaceCaret(caret_.x + delta, caret_.y);
        caretFollow_ = follow;
    }
    if (repaint) InvalidateText();
}

void EditView::ScrollOneLineDown() {
    SetTopLine(buffer_.TopLine() + 1, true);
    InvalidateText();
}

void EditView::ScrollOneLineUp() {
    if (buffer_.TopLine() == 0) return;
    SetTopLine(buffer_.TopLine() - 1, true);
    InvalidateText();
}

void EditView::EnsureCaretLineVisible() {
    const int caretLine = buffer_.CaretLine();
    int top = buffer_.TopLine();
    if (caretLine < top) top = caretLine;
    if (caretLine >= top + pageLines_) top = caretLine - pageLines_ + 1;
    if (top == buffer_.TopLine()) return;
    SetTopLine(top, true);
    CaretRowFromLine();
    InvalidateText();
    PlaceCaret();
}

void EditView::KeepCaretInView() {
    const int caretLine = buffer_.CaretLine();
    int top = std::min(buffer_.TopLine(), caretLine);
    if (caretLine >= top + pageLines_) top = caretLine - pageLines_ + 1;
    SetTopLine(top, false);
    CaretRowFromLine();
    caret_.x = XOfOffset(buffer_.CaretIndex());
    caret_.lineWidth = MeasureCaretLine();
    if (sel_.Any() || sel_.dragging) {
        sel_.anchorY = (sel_.anchorLine - buffer_.TopLine()) * metrics_.LineHeight();
    }
    PlaceCaret();
}

void EditView::OnVScroll(int code, int position) {
    const int old = buffer_.TopLine();
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
    top = std::clamp(top, 0, buffer_.LastLine());
    if (top == old) return;
    const int h = metrics_.LineHeight();
    const bool wasInside = caret_.y >= 0 && caret_.y < textRect_.bottom;
    caret_.y += (old - top) * h;
    sel_.anchorY += (old - top) * h;
    const bool inside = caret_.y >= 0 && caret_.y < textRect_.bottom;
    if (wasInside && !inside) caretFollow_ = false;
    SetTopLine(top, false);
    platform::Rect clip = textRect_;
    if (h > 0) clip.bottom -= clip.bottom % h;
    window_.ScrollContents(0, (old - top) * h, clip);
    window_.Update();
    PlaceCaret();
}

void EditView::OnHScroll(int code, int position) {
    int h = hScroll_;
    switch (code) {
        case scroll::kLineUp: h += 20; break;
        case scroll::kLineDown: h -= 20; break;
        case scroll::kPageUp: h += textWidth_; break;
        case scroll::kPageDown: h -= textWidth_; break;
        case scroll::kThumbPosition: h = -position; break;
        case scroll::kThumbTrack: return;
        default: h = -window_.ScrollPosition(platform::ScrollBar::Horizontal); break;
    }
    h = std::clamp(h, -widestLine_, 0);
    if (h == hScroll_) return;
    const int delta = h - hScroll_;
    const bool wasInside = caret_.x >= 0 && caret_.x <= textWidth_;
    caret_.x += delta;
    caret_.wordStartX += delta;
    sel_.anchorX += delta;
    if (wasInside && (caret_.x < 0 || caret_.x > textWidth_)) caretFollow_ = false;
    hScroll_ = h;
    ++scrollCount_;
    SetBarPos(platform::ScrollBar::Horizontal, -h);
    window_.ScrollContents(delta, 0, textRect_);
    window_.Update();
    PlaceCaret();
}

// --------------------------------------------------------------- selection

void EditView::PlaceAnchor() {
    sel_.anchorLine = buffer_.LineOf(sel_.anchor);
    sel_.anchorX = XOfOffset(sel_.anchor);
    sel_.anchorY = (sel_.anchorLine - buffer_.TopLine()) * metrics_.LineHeight();
}

void EditView::ClearSelection() {
    const int first = std::min(sel_.anchorLine, buffer_.CaretLine()) - buffer_.TopLine();
    const int last = std::max(sel_.anchorLine, buffer_.CaretLine()) - buffer_.TopLine();
    sel_.anchor = sel_.extent = 0;
    for (int row = std::max(0, first); row <= std::min(last, pageLines_ - 1); ++row) {
        InvalidateRow(row);
    }
}

}  // namespace vexa::edit
