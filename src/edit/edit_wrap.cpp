// The view's line wrapping: soft breaks at spaces and tabs so that every
// line fits the width, and the line counts after an edit.
#include <algorithm>
#include <memory>

#include "edit/edit_view.h"
#include "edit/word_widths.h"

namespace vexa::edit {

namespace {

bool IsSeparator(unsigned char b) { return b == kSpace || b == kTab || IsLineEnd(b); }

}  // namespace

int EditView::Rewrap() {
    buffer_.Flush();
    const std::string& t = buffer_.Text();
    const int spaceWidth = MeasureText(" ");
    int breaks = 0;
    int acc = 0;
    int widest = 0;
    std::size_t p = buffer_.LineStart(buffer_.CaretIndex());
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
    buffer_.MoveCaret(buffer_.CaretIndex());
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    return breaks;
}

void EditView::RewrapToWidth() {
    buffer_.Flush();
    const std::size_t caret = buffer_.CaretIndex();
    // Soft breaks go back to what they stand for, as when the text is set;
    // the bytes keep their offsets, so the caret and the selection stay.
    const std::string& t = buffer_.Text();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == kSoftBreakSpace) buffer_.Replace(i, kSpace);
        if (c == kSoftBreakTab) buffer_.Replace(i, kTab);
    }
    buffer_.SetCaret(0, 0);  // Rewrap starts at the caret's line
    Rewrap();
    buffer_.MoveCaret(caret);
    widestLine_ = rewrapWidest_;
    if (sel_.Any() || sel_.dragging) {
        sel_.anchorLine = buffer_.LineOf(sel_.anchor);
        sel_.anchorX = XOfOffset(sel_.anchor);
    }
}

platform::Rect EditView::Recount() {
    buffer_.Flush();
    UpdateVisibleLines();
    SetBarRange(platform::ScrollBar::Vertical, buffer_.LastLine());
    return {0, caret_.y, textWidth_, caret_.y + metrics_.LineHeight()};
}

}  // namespace vexa::edit
