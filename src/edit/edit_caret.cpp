// Key dispatch, caret movement by syllables and lines, selection by keys.
#include <algorithm>
#include <cstdlib>

#include "edit/edit_engine.h"

namespace vexa::edit {

namespace {

bool IsNavigation(unsigned vk) { return vk >= keys::kPrior && vk <= keys::kDown; }

bool IsIgnoredKey(unsigned vk) {
    return (vk >= 0x70 && vk <= 0x87) || vk == keys::kInsert || vk == keys::kClear ||
           vk == keys::kScroll || vk == keys::kNumLock || vk == keys::kShift ||
           vk == keys::kEscape || vk == keys::kPause || vk == keys::kCapital ||
           vk == keys::kControl;
}

// Keypad keys become the keys the layouts know; * and + imply Shift.
unsigned MapKeypad(unsigned vk, bool& impliedShift) {
    impliedShift = false;
    if (vk >= 0x60 && vk <= 0x69) return vk - 0x60 + 0x30;
    switch (vk) {
        case 0x6C: return keys::kReturn;
        case 0x6A: impliedShift = true; return 0x38;
        case 0x6B: impliedShift = true; return 0xBB;
        case 0x6D: return 0xBD;
        case 0x6E: return 0xBE;
        default: return vk;
    }
}

}  // namespace

void EditEngine::OnKeyDown(unsigned virtualKey, KeyModifiers modifiers) {
    bool impliedShift = false;
    const unsigned vk = MapKeypad(virtualKey, impliedShift);
    if (vk == keys::kTab) return;
    Flush();

    if (modifiers.ctrl) {
        if (script_.englishScript) return;
        const bool canCopy = !style_.password && HasSelection();
        if (vk == 'C' || vk == keys::kInsert) {
            if (canCopy) events_.CopySelection();
        } else if (vk == 'X') {
            if (canCopy) {
                if (events_.CopySelection() && !style_.readOnly) {
                    DeleteSelection(true);
                    events_.Changed();
                }
            }
        } else if (vk == 'V') {
            if (!style_.readOnly && events_.Paste()) events_.Changed();
        } else if (vk == 'Z') {
            if (!style_.readOnly) Undo();
        }
        return;
    }
    if (modifiers.shift && vk == keys::kInsert) {
        if (!style_.readOnly && !script_.englishScript && events_.Paste()) events_.Changed();
        return;
    }
    // Shift+Delete cuts, as Ctrl+X does.
    if (modifiers.shift && vk == keys::kDelete && HasSelection() && !script_.englishScript) {
        if (style_.password) return;
        if (events_.CopySelection() && !style_.readOnly) {
            DeleteSelection(true);
            events_.Changed();
        }
        return;
    }
    if (IsIgnoredKey(vk)) return;

    EnsureCaretLineVisible();
    shiftSelecting_ = false;

    if (!IsNavigation(vk) && HasSelection() && !style_.readOnly) {
        // Whatever the key, the selected text is gone: the host hears of it.
        DeleteSelection(true);
        events_.Changed();
        return;
    }

    int oldX = buffer_.caretX;
    int oldY = buffer_.caretY;
    const int scrollsBefore = scrollCount_;
    if (IsNavigation(vk)) {
        if (buffer_.caretIndex > 0 && SnapToSyllable() == 0 && vk == keys::kRight) return;
        if (modifiers.shift) {
            shiftSelecting_ = true;
            oldX = buffer_.caretX;
            oldY = buffer_.caretY;
            if (!HasSelection()) {
                selAnchor_ = selExtent_ = buffer_.caretIndex;
                selAnchorLine_ = buffer_.caretLine;
                selAnchorX_ = buffer_.caretX;
                selAnchorY_ = buffer_.caretY;
            }
        } else if (HasSelection()) {
            ClearSelection();
        }
        buffer_.undoArmed = true;
    }

    if (!RunTable(vk) && !style_.readOnly) {
        const bool typable = vk == keys::kSpace || (keyboard_ && keyboard_->ScanCode(vk) < 54);
        if (typable && keyboard_) {
            ProcessKey(vk, impliedShift);
            events_.Changed();
        }
    }

    EnsureCaretLineVisible();
    if (!wordWrap_ && (buffer_.caretX < 0 || buffer_.caretX > textWidth_)) {
        ScrollTo(buffer_.hScroll + textWidth_ / 2 - buffer_.caretX, true, true);
    }

    if (shiftSelecting_) {
        shiftSelecting_ = false;
        selExtent_ = buffer_.caretIndex;
        if (scrollCount_ == scrollsBefore) {
            InvertSelection(oldX, oldY, buffer_.caretX, buffer_.caretY);
        } else {
            window_.Invalidate(textRect_, true);
        }
        if (selAnchor_ == selExtent_) selAnchor_ = selExtent_ = 0;
    }
}

bool EditEngine::RunTable(unsigned vk) {
    switch (vk) {
        case keys::kBack:
            if (!style_.readOnly) {
                Backspace();
                events_.Changed();
            }
            return true;
        case keys::kTab:
        case 0x01:
        case 0x02:
            return true;
        case keys::kReturn:
            if (style_.wantReturn && !style_.readOnly) {
                if (!style_.autoVScroll && buffer_.lastLine >= pageLines_ - 1) return true;
                InsertLineBreak(kHardBreak);
                events_.Changed();
                return true;
            }
            // Without WantReturn, Enter is not the control's: nothing is typed.
            return true;
        case keys::kPrior:
            if (style_.multiLine) PageUp();
            return true;
        case keys::kNext:
            if (style_.multiLine && style_.autoVScroll) PageDown();
            return true;
        case keys::kEnd: LineEnd(); return true;
        case keys::kHome: LineHome(); return true;
        case keys::kLeft: StepLeft(); return true;
        case keys::kUp: style_.multiLine ? LineUp() : StepLeft(); return true;
        case keys::kRight: StepRight(); return true;
        case keys::kDown: style_.multiLine ? LineDown() : StepRight(); return true;
        case keys::kDelete:
            if (!style_.readOnly) {
                DeleteForward();
                events_.Changed();
            }
            return true;
        default: return false;
    }
}

// ------------------------------------------------------------ stepping

void EditEngine::StepRight() {
    Flush();
    EditBuffer& b = buffer_;
    if (b.caretIndex >= b.Size()) return;
    const unsigned char c = b.At(b.caretIndex);
    const int h = metrics_.LineHeight();
    if (IsLineEnd(c)) {
        if (b.caretLine >= b.lastLine) return;
        b.caretIndex += 1;
        b.caretLine += 1;
        if (b.caretLine - b.topLine >= pageLines_) {
            ScrollOneLineDown();
        } else {
            b.caretY += h;
        }
        if (b.hScroll < 0) ScrollTo(0, false, true);
        b.currentLineWidth = MeasureCaretLine();
    } else if (c < kFirstIscii) {
        b.caretIndex += 1;
    } else {
        b.caretIndex += SyllableLength(std::string_view(b.Text()).substr(b.caretIndex));
    }
    b.caretX = XOfOffset(b.caretIndex);
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

void EditEngine::StepLeft() {
    Flush();
    EditBuffer& b = buffer_;
    if (b.caretIndex == 0) return;
    const unsigned char c = b.At(b.caretIndex - 1);
    if (IsLineEnd(c)) {
        b.caretIndex -= 1;
        b.caretLine -= 1;
        b.caretY -= metrics_.LineHeight();
        if (b.caretY < 0) {
            ScrollOneLineUp();
            b.caretY += metrics_.LineHeight();
        }
        b.currentLineWidth = MeasureCaretLine();
    } else if (c < kFirstIscii || script_.englishScript) {
        b.caretIndex -= 1;
    } else {
        // Syllables are only known going forward: walk the word from its
        // start and stop at the last boundary before the caret.
        std::size_t start = b.caretIndex;
        while (start > 0 && b.At(start - 1) != kSpace && !IsLineEnd(b.At(start - 1))) --start;
        const std::string_view word = std::string_view(b.Text()).substr(start, b.caretIndex - start);
        std::size_t p = 0, last = 0;
        while (p < word.size()) {
            last = p;
            p += SyllableLength(word.substr(p));
        }
        b.caretIndex = start + last;
    }
    b.caretX = XOfOffset(b.caretIndex);
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

int EditEngine::SnapToSyllable() {
    Flush();
    EditBuffer& b = buffer_;
    EnsureCurrentWord();
    if (b.caretIndex == 0 || b.caretIndex >= b.Size() || b.wordCaretOffset == 0) return 1;
    const std::string_view word(b.currentWord);
    std::size_t p = 0;
    while (p < word.size() && p < b.wordCaretOffset) p += SyllableLength(word.substr(p));
    p = std::min(p, word.size());
    if (p == b.wordCaretOffset) return 1;
    b.caretIndex = b.wordStart + p;
    b.caretX = b.wordStartX + MeasureText(word.substr(0, p));
    b.wordCaretOffset = b.keyboardCaretOffset = p;
    RedrawWord();
    PlaceCaret(b.caretX, b.caretY);
    return 0;
}

std::size_t EditEngine::IndexAtPoint(platform::Point& point) {
    Flush();
    const EditBuffer& b = buffer_;
    const std::size_t start = b.LineOffset(b.caretLine);
    const std::size_t stop = b.LineStop(start);
    const std::string_view line = std::string_view(b.Text()).substr(start, stop - start);
    const int target = point.x - b.hScroll;
    std::size_t before = 0;
    int widthBefore = 0;
    while (before < line.size()) {
        const std::size_t n = SyllableLength(line.substr(before));
        const std::size_t after = std::min(line.size(), before + n);
        const int widthAfter = MeasureText(line.substr(0, after));
        if (widthAfter > target) {
            if (std::abs(target - widthAfter) < std::abs(target - widthBefore)) {
                point.x = widthAfter + b.hScroll;
                return start + after;
            }
            break;
        }
        before = after;
        widthBefore = widthAfter;
    }
    point.x = widthBefore + b.hScroll;
    return start + before;
}

// --------------------------------------------------------- lines and pages

void EditEngine::LineDown() {
    Flush();
    EditBuffer& b = buffer_;
    if ((!style_.autoVScroll && b.caretLine >= pageLines_ - 1) || b.caretLine >= b.lastLine) return;
    const bool lastRow = b.caretLine - b.topLine >= pageLines_ - 1;
    b.caretLine += 1;
    if (lastRow) {
        ScrollOneLineDown();
    } else {
        b.caretY += metrics_.LineHeight();
    }
    KeepCaretColumn();
}

void EditEngine::LineUp() {
    Flush();
    EditBuffer& b = buffer_;
    if (b.caretLine == 0) return;
    const bool firstRow = b.caretLine <= b.topLine;
    b.caretLine -= 1;
    if (firstRow) ScrollOneLineUp();
    b.caretY = (b.caretLine - b.topLine) * metrics_.LineHeight();
    KeepCaretColumn();
}

void EditEngine::KeepCaretColumn() {
    EditBuffer& b = buffer_;
    platform::Point p{b.caretX, b.caretY};
    b.caretIndex = IndexAtPoint(p);
    b.caretX = p.x;
    b.currentLineWidth = MeasureCaretLine();
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

void EditEngine::PageUp() {
    Flush();
    const EditBuffer& b = buffer_;
    const int newTop = std::max(0, b.topLine - pageLines_ + 1);
    if (newTop == b.topLine) return;
    MovePage(newTop, std::max(0, b.caretLine - (b.topLine - newTop)));
}

void EditEngine::PageDown() {
    Flush();
    const EditBuffer& b = buffer_;
    const int newTop = std::min(b.lastLine, b.topLine + pageLines_ - 1);
    if (newTop == b.topLine) return;
    MovePage(newTop, std::min(b.lastLine, b.caretLine + pageLines_ - 1));
}

void EditEngine::MovePage(int newTop, int caretLine) {
    EditBuffer& b = buffer_;
    b.caretLine = caretLine;
    SetTopLine(newTop, true);
    b.caretY = (b.caretLine - b.topLine) * metrics_.LineHeight();
    b.currentLineWidth = MeasureCaretLine();
    platform::Point p{b.caretX, b.caretY};
    b.caretIndex = IndexAtPoint(p);
    b.caretX = p.x;
    window_.Invalidate(textRect_, true);
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

void EditEngine::LineHome() {
    Flush();
    EditBuffer& b = buffer_;
    if (b.hScroll != 0) ScrollTo(0, false, true);
    platform::Point p{b.hScroll, b.caretY};
    b.caretIndex = IndexAtPoint(p);
    b.caretX = p.x;
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

void EditEngine::LineEnd() {
    Flush();
    EditBuffer& b = buffer_;
    b.caretY = (b.caretLine - b.topLine) * metrics_.LineHeight();
    const std::size_t start = b.LineOffset(b.caretLine);
    b.caretIndex = b.LineStop(start);
    b.caretX = XOfOffset(b.caretIndex);
    b.currentLineWidth = b.caretX - b.hScroll;
    PlaceCaret(b.caretX, b.caretY);
    UpdateCurrentWord();
}

// ------------------------------------------------------ caret and view

void EditEngine::PlaceCaret(int x, int y) {
    EditBuffer& b = buffer_;
    if (!wordWrap_ && caretFollow_ && (x > textWidth_ || x < 0)) {
        const int before = b.hScroll;
        ScrollTo(b.hScroll + textWidth_ / 2 - x, false, true);
        x += b.hScroll - before;
    }
    b.caretX = x;
    b.caretY = y;
    window_.HideCaret();
    window_.SetCaretPosition({x, y});
    window_.ShowCaret();
}

void EditEngine::EnsureCaretLineVisible() {
    EditBuffer& b = buffer_;
    int top = b.topLine;
    if (b.caretLine < top) top = b.caretLine;
    if (b.caretLine >= top + pageLines_) top = b.caretLine - pageLines_ + 1;
    if (top == b.topLine) return;
    SetTopLine(top, true);
    b.caretY = (b.caretLine - b.topLine) * metrics_.LineHeight();
    window_.Invalidate(textRect_, true);
    PlaceCaret(b.caretX, b.caretY);
}

void EditEngine::SetTopLine(int line, bool moveAnchor) {
    EditBuffer& b = buffer_;
    line = std::clamp(line, 0, b.lastLine);
    b.topLineOffset = b.LineOffset(line);
    if (moveAnchor) selAnchorY_ += metrics_.LineHeight() * (b.topLine - line);
    if (line != b.topLine) ++scrollCount_;
    b.topLine = line;
    UpdateVisibleLines();
    SetBarPos(platform::ScrollBar::Vertical, b.topLine);
}

void EditEngine::ScrollTo(int x, bool moveCaret, bool repaint) {
    EditBuffer& b = buffer_;
    const int h = std::min(0, x);
    const int delta = h - b.hScroll;
    if (delta == 0) return;
    ++scrollCount_;
    b.hScroll = h;
    b.wordStartX += delta;
    selAnchorX_ += delta;
    SetBarPos(platform::ScrollBar::Horizontal, -h);
    if (moveCaret) {
        const bool follow = caretFollow_;
        caretFollow_ = false;
        PlaceCaret(b.caretX + delta, b.caretY);
        caretFollow_ = follow;
    }
    if (repaint) window_.Invalidate(textRect_, true);
}

void EditEngine::ClearSelection() {
    const int first = std::min(selAnchorLine_, buffer_.caretLine) - buffer_.topLine;
    const int last = std::max(selAnchorLine_, buffer_.caretLine) - buffer_.topLine;
    selAnchor_ = selExtent_ = 0;
    for (int row = std::max(0, first); row <= std::min(last, pageLines_ - 1); ++row) {
        InvalidateRow(row);
    }
}

}  // namespace vexa::edit
